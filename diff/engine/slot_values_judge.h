// Judging two value texts of a slot by its slot rule, and telling how a pair
// of values was judged, by a slot rule or by the run's value rule.
#ifndef DIFF_ENGINE_SLOT_VALUES_JUDGE_H_
#define DIFF_ENGINE_SLOT_VALUES_JUDGE_H_

#include <string>  // std::string, the explanations

#include "diff/engine/slot_rule.h"   // SlotRule
#include "diff/engine/value_rule.h"  // ValueRule

namespace diff::engine {

// 0 when the value texts `a` and `b` (null counts as "") are equal under
// `rule`, 1 when they differ. Texts equal byte for byte are equal. A text
// holding "\n" is a list, its items the lines; a text without one is a list
// of one item, so that the list settings change nothing for other values.
//
// Items are judged one pair at a time:
//   - with TextCase::kIgnore, items equal but for the case of ASCII letters
//     are equal;
//   - kExact: every other pair differs;
//   - kTolerant: as the tolerant value rule, with both tolerances (an
//     infinity or a NaN is within none);
//   - kNumeric: numbers as a whole (as the numeric value rule reads them)
//     with units equal byte for byte, within a tolerance; every other pair
//     differs;
//   - kUnits: numbers as a whole with equal units as under kNumeric; with
//     different units, both known and convertible, B's number is converted
//     to A's units first (and conversion round-off, 1e-12 of the larger
//     magnitude, is always allowed); units of different kinds differ, and
//     so do unknown units and a number without units against one with.
// Otherwise two numbers x and y are within the tolerances when they are
// equal, both NaN, |x - y| <= absolute, or |x - y| <= relative * max(|x|,
// |y|).
//
// Lists: kOrdered pairs the items in order (lists of different lengths
// differ). kUnordered first pairs the items that are equal (ignoring case
// under kIgnore), then pairs the rest, in sorted order (numbers by value),
// each pair judged as above; kSet does the same after dropping repeated
// items from each side.
//
// When `explanation` is not null it receives what was compared, as
// "120 m3/h = 33.3333 l/s (120 m3/h) within 0.5 %".
int slot_values_differ(const char* a, const char* b, const SlotRule& rule,
                       std::string* explanation = nullptr);

// values_differ under the run's value rule, with what was compared in
// `explanation` ("45 m != 47 m outside 2 %", "texts differ").
int explain_value_rule(const char* a, const char* b, const ValueRule& rule,
                       std::string& explanation);

// The words that name a slot rule: "units, relative 0.5 %, absolute 0.1,
// case ignore, lists unordered" (a setting at its default left out).
std::string describe_slot_rule(const SlotRule& rule);

// The words that name the run's value rule: "numeric, tolerance 2 %".
std::string describe_value_rule(const ValueRule& rule);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_SLOT_VALUES_JUDGE_H_
