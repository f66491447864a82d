#include "project/project_html_report_output.h"  // ProjectHtmlReportOutput

#include "outputs/html/html_report.h"       // ChooseHtmlTemplate
#include "project/compared_project.h"  // ComparedProject
#include "project/project_report.h"    // WriteProjectReport
#include "request/input_checks.h"      // CheckWritableOutput

namespace odbdiff {

void ProjectHtmlReportOutput::CheckInputs(std::vector<std::string>& inputs) {
  template_ = ChooseHtmlTemplate(html_.template_file);
  inputs.push_back(template_);
}

void ProjectHtmlReportOutput::CheckOutputs(std::vector<std::string>& outputs) {
  CheckWritableOutput(*html_.report);
  outputs.push_back(*html_.report);
}

void ProjectHtmlReportOutput::Write(const ComparedPair& pair) {
  const ComparedProject& project = *pair.project;
  WriteProjectReport(
      pair.module,
      {project.folder_a, project.folder_b, project.pairing, project.status_files}, html_,
      template_, *staged_);
}

}  // namespace odbdiff
