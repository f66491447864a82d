// The value rule in force: how two value texts are found equal. It is held
// for the process, like the comparison context; every comparison reads it
// once at its start.
#ifndef DIFF_ENGINE_VALUE_RULE_H_
#define DIFF_ENGINE_VALUE_RULE_H_

#include <cstdint>  // std::uint8_t

namespace diff::engine {

enum class ValueRuleKind : std::uint8_t {
  kTolerant,  // leading numbers within the tolerance; the default
  kNumeric,   // whole numbers with equal units within the tolerance, else exact
  kExact,     // texts equal byte for byte
};

struct ValueRule {
  ValueRuleKind kind = ValueRuleKind::kTolerant;
  double tolerance_percent = 2.0;  // as set, for the host to read back
  double tolerance = 0.02;         // the same as a fraction, which the rules use
};

// The rule in force; the default until set_current_value_rule changes it.
const ValueRule& current_value_rule();

// Puts `rule` in force for the comparisons that follow. `rule` is valid.
void set_current_value_rule(const ValueRule& rule);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_VALUE_RULE_H_
