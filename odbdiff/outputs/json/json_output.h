// --json FILE: the JSON of differences (docs/json-output.md), written as the
// comparison hands them on.
#ifndef ODBDIFF_OUTPUTS_JSON_JSON_OUTPUT_H_
#define ODBDIFF_OUTPUTS_JSON_JSON_OUTPUT_H_

#include <optional>  // std::optional
#include <string>    // std::string

#include "outputs/comparison_output.h"       // ComparisonOutput
#include "outputs/json/json_differences_write.h"  // JsonDifferencesWriter, DifferencesHeading
#include "outputs/staged_output.h"           // StagedOutput

namespace odbdiff {

class JsonOutput final : public ComparisonOutput {
 public:
  // `heading` without its rules, which Stage adds.
  JsonOutput(std::string path, DifferencesHeading heading)
      : path_(std::move(path)), heading_(std::move(heading)) {}

  void CheckOutputs(std::vector<std::string>& outputs) override;
  bool ToStandardOutput() const override { return IsStandardOutput(path_); }
  void Stage(const ComparisonRules& rules) override;
  DifferencesWanted Differences() override { return {&*writer_, true}; }
  void ComparisonDone() override { writer_->Finish(); }
  void Commit() override { staged_->Commit(); }

 private:
  std::string path_;
  DifferencesHeading heading_;
  std::optional<StagedOutput> staged_;
  std::optional<JsonDifferencesWriter> writer_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_JSON_JSON_OUTPUT_H_
