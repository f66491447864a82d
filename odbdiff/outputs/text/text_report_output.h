// --text-report FILE and --summary FILE: the diff module's two text reports,
// written from the difference databases of the comparison.
#ifndef ODBDIFF_OUTPUTS_TEXT_TEXT_REPORT_OUTPUT_H_
#define ODBDIFF_OUTPUTS_TEXT_TEXT_REPORT_OUTPUT_H_

#include <optional>  // std::optional
#include <string>    // std::string

#include "outputs/comparison_output.h"  // ComparisonOutput
#include "outputs/staged_output.h"      // StagedOutput, IsStandardOutput

namespace odbdiff {

class TextReportOutput final : public ComparisonOutput {
 public:
  enum class Kind { kTextReport, kSummary };

  TextReportOutput(Kind kind, std::string path) : kind_(kind), path_(std::move(path)) {}

  void CheckOutputs(std::vector<std::string>& outputs) override;
  bool ToStandardOutput() const override { return IsStandardOutput(path_); }
  void Stage(const ComparisonRules&) override { staged_.emplace(path_); }
  bool WritesFromContext() const override { return true; }
  void WriteFromContext(const ComparedPair& pair) override;
  void Commit() override { staged_->Commit(); }

 private:
  Kind kind_;
  std::string path_;
  std::optional<StagedOutput> staged_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_TEXT_TEXT_REPORT_OUTPUT_H_
