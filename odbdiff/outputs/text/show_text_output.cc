#include "outputs/text/show_text_output.h"  // ShowTextOutput

#include "outputs/standard_output.h"  // WriteStandardOutput

namespace odbdiff {

void ShowTextOutput::Stage(const ComparisonRules& rules) {
  value_rule_line_ = ValueRuleLine(rules);
}

void ShowTextOutput::Commit() { WriteStandardOutput(writer_.Finish() + value_rule_line_); }

bool ShowTextOutput::differ() const {
  const Counts& counts = writer_.counts();
  return counts.objects_differing + counts.objects_only_in_a + counts.objects_only_in_b != 0;
}

}  // namespace odbdiff
