// --stat: the counts of the differences and the value rule in force, printed
// on standard output once everything else is in place.
#ifndef ODBDIFF_OUTPUTS_TEXT_STAT_OUTPUT_H_
#define ODBDIFF_OUTPUTS_TEXT_STAT_OUTPUT_H_

#include <string>  // std::string

#include "outputs/comparison_output.h"  // ComparisonOutput
#include "outputs/text/difference_counts.h"  // DifferenceCounts
#include "request/comparison_rules.h"   // ComparisonRules, ValueRuleLine

namespace odbdiff {

class StatOutput final : public ComparisonOutput {
 public:
  void CheckOutputs(std::vector<std::string>&) override {}
  void Stage(const ComparisonRules& rules) override { value_rule_line_ = ValueRuleLine(rules); }
  DifferencesWanted Differences() override { return {&counts_, false}; }
  // Prints the counts. Throws Failure when standard output cannot be written.
  void Commit() override;

 private:
  std::string value_rule_line_;
  DifferenceCounts counts_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_TEXT_STAT_OUTPUT_H_
