// The HTML report of a project: the module's project report of the file
// pairs, read from their status files, and after it what the module's report
// has no place for: a block that names the files in one folder only, and the
// statuses of the objects of every pair, read from the same status files.
#ifndef ODBDIFF_PROJECT_PROJECT_REPORT_H_
#define ODBDIFF_PROJECT_PROJECT_REPORT_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "module/module_binding.h"
#include "outputs/staged_output.h"    // StagedOutput    // DiffModule
#include "project/project_pairing.h"  // ProjectPairing
#include "request/command_line.h"     // HtmlReportRequest

namespace odbdiff {

// What the report is made of: the folders as given, their files, and the
// status file of each pair (index-aligned with pairing.pairs).
struct ProjectReportInput {
  const std::string& folder_a;
  const std::string& folder_b;
  const ProjectPairing& pairing;
  const std::vector<std::string>& status_files;
};

// Writes the report of html.report into `report`, from the template
// `html_template`; the caller commits it. Throws Failure when it cannot be
// written.
void WriteProjectReport(const DiffModule& module, const ProjectReportInput& input,
                        const HtmlReportRequest& html, const std::string& html_template,
                        const StagedOutput& report);

// The block of the files in one folder only, as it stands in the report.
std::string OneSidedFilesBlock(const std::vector<OneSidedFile>& files);

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_PROJECT_REPORT_H_
