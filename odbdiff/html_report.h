// What the compare commands share for their HTML reports: the template a
// report is built from, and the failure of a report entry point.
#ifndef ODBDIFF_HTML_REPORT_H_
#define ODBDIFF_HTML_REPORT_H_

#include <optional>  // std::optional
#include <string>    // std::string

#include "failure.h"  // Failure

namespace odbdiff {

// `given` (the --template option) when set, else the default template found
// beside the executable: first where an installed odbdiff has it, then where
// a build tree has it. Throws Failure when the template is missing or cannot
// be read.
std::string ChooseHtmlTemplate(const std::optional<std::string>& given);

// The failure of a report entry point that returned 0 for `report`.
Failure HtmlReportFailure(const std::string& report);

}  // namespace odbdiff

#endif  // ODBDIFF_HTML_REPORT_H_
