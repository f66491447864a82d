// The comparison rules: the value rule with its tolerance, the slot rules,
// the ignore rules and the accepted differences, as the host sets them through the option
// entry points. One object holds them all; the comparisons and the reports
// receive it by reference, the engine as a SlotJudge.
#ifndef DIFF_OPTIONS_COMPARISON_RULES_H_
#define DIFF_OPTIONS_COMPARISON_RULES_H_

#include <string>       // std::string
#include <string_view>  // std::string_view

#include "diff/engine/slot_judge.h"             // SlotJudge, ObjectSlotIgnores
#include "diff/engine/value_rule.h"             // ValueRule
#include "diff/options/accepted_differences.h"  // AcceptedDifferences
#include "diff/options/ignore_rules.h"          // IgnoreRules
#include "diff/options/slot_value_rules.h"      // SlotValueRules

namespace diff {

// Default-constructed, every rule has its default: the tolerant value rule
// with a tolerance of 2 percent, no slot rule, no ignore rule, no accepted
// difference.
class ComparisonRules final : public engine::SlotJudge {
 public:
  // diff_set_value_rule: puts `rule` (a DIFF_VALUE_RULE_ code) with
  // `tolerance_percent` in force. Fails with DIFF_ERROR_ARGUMENT, changing
  // nothing, for an unknown rule or a tolerance outside [0, 100).
  void set_value_rule(int rule, double tolerance_percent);

  // diff_get_value_rule: the DIFF_VALUE_RULE_ code of the rule in force, its
  // tolerance through `tolerance_percent` when not null.
  int value_rule_code(double* tolerance_percent) const;

  SlotValueRules& slot_rules() { return slot_rules_; }
  const SlotValueRules& slot_rules() const { return slot_rules_; }
  IgnoreRules& ignore_rules() { return ignore_rules_; }
  const IgnoreRules& ignore_rules() const { return ignore_rules_; }
  AcceptedDifferences& accepted_differences() { return accepted_; }
  const AcceptedDifferences& accepted_differences() const { return accepted_; }

  // diff_explain_values: 1 when `a` and `b` differ as values of `slot` of
  // `object`, else 0, with the rule that judged them and what it compared in
  // `explanation`.
  int explain_values(const char* object, const char* slot, const char* a, const char* b,
                     std::string& explanation) const;

  // True when an ignore rule covers `object` as a whole.
  bool object_ignored(std::string_view object) const {
    return ignore_rules_.object_ignored(object);
  }

  // engine::SlotJudge
  const engine::ValueRule& value_rule() const override { return value_rule_; }
  const engine::SlotRuleLookup* slot_rules_of(std::string_view object) const override {
    return slot_rules_.rules_of(object);
  }
  bool ignores_slots() const override { return ignore_rules_.any(); }
  engine::ObjectSlotIgnores ignored_slots_of(std::string_view object) const override {
    return ignore_rules_.slots_of(object);
  }
  bool accepts_differences() const override { return accepted_.any(); }
  bool difference_accepted(int kind, const char* object, const char* slot, const char* a_value,
                           const char* b_value) const override {
    return accepted_.contains(kind, object, slot, a_value, b_value);
  }

 private:
  engine::ValueRule value_rule_;
  SlotValueRules slot_rules_;
  IgnoreRules ignore_rules_;
  AcceptedDifferences accepted_;
};

}  // namespace diff

#endif  // DIFF_OPTIONS_COMPARISON_RULES_H_
