// --html FILE of compare-object: the diff module's object report of the
// object's slots.
#ifndef ODBDIFF_OUTPUTS_HTML_OBJECT_HTML_REPORT_OUTPUT_H_
#define ODBDIFF_OUTPUTS_HTML_OBJECT_HTML_REPORT_OUTPUT_H_

#include <optional>  // std::optional
#include <string>    // std::string

#include "outputs/comparison_output.h"  // ComparisonOutput
#include "outputs/staged_output.h"      // StagedOutput, IsStandardOutput
#include "request/command_line.h"       // HtmlReportRequest

namespace odbdiff {

class ObjectHtmlReportOutput final : public ComparisonOutput {
 public:
  ObjectHtmlReportOutput(std::string object, HtmlReportRequest html)
      : object_(std::move(object)), html_(std::move(html)) {}

  void CheckInputs(std::vector<std::string>& inputs) override;
  void CheckOutputs(std::vector<std::string>& outputs) override;
  bool ToStandardOutput() const override { return IsStandardOutput(*html_.report); }
  void Stage(const ComparisonRules&) override { staged_.emplace(*html_.report); }
  void Write(const ComparedPair& pair) override;
  void Commit() override { staged_->Commit(); }

 private:
  std::string object_;
  HtmlReportRequest html_;
  std::string template_;  // chosen by CheckInputs
  std::optional<StagedOutput> staged_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_HTML_OBJECT_HTML_REPORT_OUTPUT_H_
