#include "outputs/html/html_report_output.h"  // HtmlReportOutput

#include "outputs/html/html_report.h"   // ChooseHtmlTemplate, WriteHtmlReportWithOwnBlocks
#include "request/input_checks.h"  // CheckWritableOutput

namespace odbdiff {

HtmlReportOutput::HtmlReportOutput(HtmlReportRequest html)
    : html_(std::move(html)), statuses_(html_.show_all), collected_(html_.show_all, statuses_) {
  statuses_.BeginFile();
  both_.Add(collected_);
  both_.Add(differences_);
}

void HtmlReportOutput::CheckInputs(std::vector<std::string>& inputs) {
  template_ = ChooseHtmlTemplate(html_.template_file);
  inputs.push_back(template_);
}

void HtmlReportOutput::CheckOutputs(std::vector<std::string>& outputs) {
  CheckWritableOutput(*html_.report);
  outputs.push_back(*html_.report);
}

void HtmlReportOutput::Write(const ComparedPair& pair) {
  const std::string status_file = (pair.scratch / "status.odb").string();
  collected_.Write(pair.module, pair.file_a, pair.file_b, status_file);
  const StagedOutput& report = *staged_;
  WriteHtmlReportWithOwnBlocks(
      pair.module, report, template_,
      [&] {
        const int written = pair.module.diff_ReportFileHTML(
            pair.file_a.c_str(), pair.file_b.c_str(), status_file.c_str(), pair.given_a.c_str(),
            pair.given_b.c_str(), html_.a_title.c_str(), html_.b_title.c_str(),
            report.writing_path().c_str(), template_.c_str(), html_.show_all ? 1 : 0, 1);
        ThrowIfModuleFailed(pair.module, {{report.writing_path(), report.path()}});
        if (written == 0) throw HtmlReportFailure(report.path());
      },
      statuses_.ScriptBlock() + differences_.ScriptBlock());
}

}  // namespace odbdiff
