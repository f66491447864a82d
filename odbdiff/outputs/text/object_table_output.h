// --table FILE of compare-object: the diff module's two-sided table of the
// object's slots.
#ifndef ODBDIFF_OUTPUTS_TEXT_OBJECT_TABLE_OUTPUT_H_
#define ODBDIFF_OUTPUTS_TEXT_OBJECT_TABLE_OUTPUT_H_

#include <optional>  // std::optional
#include <string>    // std::string

#include "outputs/comparison_output.h"  // ComparisonOutput
#include "outputs/staged_output.h"      // StagedOutput, IsStandardOutput

namespace odbdiff {

class ObjectTableOutput final : public ComparisonOutput {
 public:
  explicit ObjectTableOutput(std::string path) : path_(std::move(path)) {}

  void CheckOutputs(std::vector<std::string>& outputs) override;
  bool ToStandardOutput() const override { return IsStandardOutput(path_); }
  void Stage(const ComparisonRules&) override { staged_.emplace(path_); }
  void Write(const ComparedPair& pair) override;
  void Commit() override { staged_->Commit(); }

 private:
  std::string path_;
  std::optional<StagedOutput> staged_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_TEXT_OBJECT_TABLE_OUTPUT_H_
