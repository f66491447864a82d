// What the compare commands share for their HTML reports: the template a
// report is built from, the writing of a report with odbdiff's own blocks
// after the module's, and the failure of a report entry point.
#ifndef ODBDIFF_OUTPUTS_HTML_HTML_REPORT_H_
#define ODBDIFF_OUTPUTS_HTML_HTML_REPORT_H_

#include <functional>  // std::function, the module's part of a report
#include <optional>    // std::optional
#include <string>      // std::string

#include "module/module_binding.h"  // DiffModule
#include "outputs/staged_output.h"  // StagedOutput
#include "platform/failure.h"       // Failure

namespace odbdiff {

// `given` (the --template option) when set, else the default template found
// beside the executable: first where an installed odbdiff has it, then where
// a build tree has it. Throws Failure when the template is missing or cannot
// be read.
std::string ChooseHtmlTemplate(const std::optional<std::string>& given);

// Writes `report` from `html_template` in the module's three phases: its
// initial section, then `module_part` (a report entry point called nested,
// which throws on failure), then `own_blocks` as they stand, then its final
// section. Throws Failure when the report cannot be written.
void WriteHtmlReportWithOwnBlocks(const DiffModule& module, const StagedOutput& report,
                                  const std::string& html_template,
                                  const std::function<void()>& module_part,
                                  const std::string& own_blocks);

// The failure of a report entry point that returned 0 for `report`.
Failure HtmlReportFailure(const std::string& report);

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_HTML_HTML_REPORT_H_
