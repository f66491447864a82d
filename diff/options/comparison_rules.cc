#include "diff/options/comparison_rules.h"

#include <string>  // std::to_string, the refused value in messages

#include "diff/diff.h"                  // DIFF_VALUE_RULE_*, DIFF_ERROR_ARGUMENT
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

}  // namespace diff
