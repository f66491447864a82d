// A value rule: how two value texts are found equal. The comparisons take
// the rule they apply as an argument; the options hold the one the host set.
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

}  // namespace diff::engine

#endif  // DIFF_ENGINE_VALUE_RULE_H_
