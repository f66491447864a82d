#include "diff/options/comparison_rules.h"

#include <string>  // std::to_string, the refused value in messages

#include "diff/diff.h"                  // DIFF_VALUE_RULE_*, DIFF_ERROR_ARGUMENT
#include "diff/engine/slot_values_judge.h"  // slot_values_differ, explain_value_rule
#include "diff/outcome/call_outcome.h"  // fail

namespace diff {
namespace {

engine::ValueRuleKind kind_of(int rule) {
  switch (rule) {
    case DIFF_VALUE_RULE_TOLERANT:
      return engine::ValueRuleKind::kTolerant;
    case DIFF_VALUE_RULE_NUMERIC:
      return engine::ValueRuleKind::kNumeric;
    case DIFF_VALUE_RULE_EXACT:
      return engine::ValueRuleKind::kExact;
    default:
      fail(DIFF_ERROR_ARGUMENT, "diff_set_value_rule: unknown value rule " + std::to_string(rule));
  }
}

int code_of(engine::ValueRuleKind kind) {
  switch (kind) {
    case engine::ValueRuleKind::kTolerant:
      return DIFF_VALUE_RULE_TOLERANT;
    case engine::ValueRuleKind::kNumeric:
      return DIFF_VALUE_RULE_NUMERIC;
    case engine::ValueRuleKind::kExact:
      break;
  }
  return DIFF_VALUE_RULE_EXACT;
}

}  // namespace

void ComparisonRules::set_value_rule(int rule, double tolerance_percent) {
  const engine::ValueRuleKind kind = kind_of(rule);
  // Written so that NaN fails the test too.
  if (!(tolerance_percent >= 0.0 && tolerance_percent < 100.0)) {
    fail(DIFF_ERROR_ARGUMENT,
         "diff_set_value_rule: the tolerance must be at least 0 and below 100 percent");
  }
  // Division is correctly rounded: 2 percent gives the double nearest 0.02.
  value_rule_ = {kind, tolerance_percent, tolerance_percent / 100.0};
}

int ComparisonRules::value_rule_code(double* tolerance_percent) const {
  if (tolerance_percent != nullptr) *tolerance_percent = value_rule_.tolerance_percent;
  return code_of(value_rule_.kind);
}

int ComparisonRules::explain_values(const char* object, const char* slot, const char* a,
                                    const char* b, std::string& explanation) const {
  std::size_t number = 0;
  const SlotValueRules::Rule* rule =
      object != nullptr && slot != nullptr ? slot_rules_.rule_for(object, slot, number) : nullptr;
  std::string compared;
  if (rule == nullptr) {
    const int differ = engine::explain_value_rule(a, b, value_rule_, compared);
    explanation = "value rule (" + engine::describe_value_rule(value_rule_) + "): " + compared;
    return differ;
  }
  const int differ = engine::slot_values_differ(a, b, rule->rule, &compared);
  explanation = "slot rule " + std::to_string(number) + " " + rule->object_pattern + ":" +
                rule->slot_pattern + " (" + engine::describe_slot_rule(rule->rule) +
                "): " + compared;
  return differ;
}

}  // namespace diff
