// The text of show and git-diff on standard output: the differences with
// their values (show_text_write.h), then the line of the value rule in force.
#ifndef ODBDIFF_OUTPUTS_TEXT_SHOW_TEXT_OUTPUT_H_
#define ODBDIFF_OUTPUTS_TEXT_SHOW_TEXT_OUTPUT_H_

#include <string>  // std::string

#include "outputs/comparison_output.h"  // ComparisonOutput
#include "outputs/text/show_text_write.h"    // ShowTextWriter, ShowSources

namespace odbdiff {

class ShowTextOutput final : public ComparisonOutput {
 public:
  ShowTextOutput(ShowSources sources, bool color, const DiffModule& module)
      : writer_(std::move(sources), color, module) {}

  // Standard output is checked by the command.
  void CheckOutputs(std::vector<std::string>&) override {}
  bool ToStandardOutput() const override { return true; }
  void Stage(const ComparisonRules& rules) override;
  DifferencesWanted Differences() override { return {&writer_, true}; }
  // Prints the text. Throws Failure when standard output cannot be written.
  void Commit() override;

  // True when the text shows a difference.
  bool differ() const;

 private:
  ShowTextWriter writer_;
  std::string value_rule_line_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_TEXT_SHOW_TEXT_OUTPUT_H_
