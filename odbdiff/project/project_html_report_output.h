// --html FILE of compare-project: the module's project report of the pairs,
// from their status files, with the files in one folder only and the
// statuses of the objects after it.
#ifndef ODBDIFF_PROJECT_PROJECT_HTML_REPORT_OUTPUT_H_
#define ODBDIFF_PROJECT_PROJECT_HTML_REPORT_OUTPUT_H_

#include <optional>  // std::optional
#include <string>    // std::string

#include "outputs/comparison_output.h"  // ComparisonOutput
#include "outputs/staged_output.h"      // StagedOutput, IsStandardOutput
#include "request/command_line.h"       // HtmlReportRequest

namespace odbdiff {

class ProjectHtmlReportOutput final : public ComparisonOutput {
 public:
  explicit ProjectHtmlReportOutput(HtmlReportRequest html) : html_(std::move(html)) {}

  void CheckInputs(std::vector<std::string>& inputs) override;
  void CheckOutputs(std::vector<std::string>& outputs) override;
  bool ToStandardOutput() const override { return IsStandardOutput(*html_.report); }
  void Stage(const ComparisonRules&) override { staged_.emplace(*html_.report); }
  void Write(const ComparedPair& pair) override;
  void Commit() override { staged_->Commit(); }

 private:
  HtmlReportRequest html_;
  std::string template_;  // chosen by CheckInputs
  std::optional<StagedOutput> staged_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_PROJECT_HTML_REPORT_OUTPUT_H_
