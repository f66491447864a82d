// --html FILE of compare: the diff module's file report of the pair, from
// the status file that the comparison's differences give, with the
// statuses of its objects and its differences after it.
#ifndef ODBDIFF_OUTPUTS_HTML_HTML_REPORT_OUTPUT_H_
#define ODBDIFF_OUTPUTS_HTML_HTML_REPORT_OUTPUT_H_

#include <optional>  // std::optional
#include <string>    // std::string

#include "outputs/comparison_output.h"    // ComparisonOutput
#include "outputs/difference_sink.h"      // DifferenceFanOut
#include "outputs/html/report_differences.h"  // ReportDifferences
#include "outputs/html/report_statuses.h"      // ReportStatuses
#include "outputs/staged_output.h"        // StagedOutput, IsStandardOutput
#include "outputs/html/status_file_collect.h"  // StatusFileCollector
#include "request/command_line.h"         // HtmlReportRequest

namespace odbdiff {

class HtmlReportOutput final : public ComparisonOutput {
 public:
  explicit HtmlReportOutput(HtmlReportRequest html);

  void CheckInputs(std::vector<std::string>& inputs) override;
  void CheckOutputs(std::vector<std::string>& outputs) override;
  bool ToStandardOutput() const override { return IsStandardOutput(*html_.report); }
  void Stage(const ComparisonRules&) override { staged_.emplace(*html_.report); }
  bool UsesScratch() const override { return true; }
  DifferencesWanted Differences() override { return {&both_, false}; }
  void Write(const ComparedPair& pair) override;
  void Commit() override { staged_->Commit(); }

 private:
  HtmlReportRequest html_;
  std::string template_;  // chosen by CheckInputs
  ReportStatuses statuses_;
  StatusFileCollector collected_;
  ReportDifferences differences_;
  DifferenceFanOut both_;  // collected_ and differences_, in one pass
  std::optional<StagedOutput> staged_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_HTML_HTML_REPORT_OUTPUT_H_
