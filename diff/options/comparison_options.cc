#include "diff/options/comparison_options.h"

#include <string>  // std::to_string, the refused value in messages

#include "diff/diff.h"                  // DIFF_VALUE_RULE_*, DIFF_ERROR_ARGUMENT
#include "diff/engine/value_rule.h"     // ValueRule, current_value_rule, set_current_value_rule
#include "diff/options/accepted_differences.h"  // clear_accepted_differences
#include "diff/options/ignore_rules.h"           // clear_ignore_rules
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

int set_value_rule_option(int rule, double tolerance_percent) {
  const engine::ValueRuleKind kind = kind_of(rule);
  // Written so that NaN fails the test too.
  if (!(tolerance_percent >= 0.0 && tolerance_percent < 100.0)) {
    fail(DIFF_ERROR_ARGUMENT,
         "diff_set_value_rule: the tolerance must be at least 0 and below 100 percent");
  }
  // Division is correctly rounded: 2 percent gives the double nearest 0.02.
  engine::set_current_value_rule({kind, tolerance_percent, tolerance_percent / 100.0});
  return 1;
}

int value_rule_option(double* tolerance_percent) {
  const engine::ValueRule& rule = engine::current_value_rule();
  if (tolerance_percent != nullptr) *tolerance_percent = rule.tolerance_percent;
  return code_of(rule.kind);
}

int reset_comparison_options() {
  engine::set_current_value_rule(engine::ValueRule{});
  clear_ignore_rules();
  clear_accepted_differences();
  return 1;
}

}  // namespace diff
