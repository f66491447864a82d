// A slot rule: how the values of the slots it names are found equal, in
// place of the run's value rule. The options hold the rules and find the one
// that applies to a slot; the engine judges values by it.
#ifndef DIFF_ENGINE_SLOT_RULE_H_
#define DIFF_ENGINE_SLOT_RULE_H_

#include <cstdint>      // std::uint8_t
#include <string_view>  // std::string_view

#include "diff/engine/value_rule.h"  // ValueRuleKind

namespace diff::engine {

enum class SlotRuleKind : std::uint8_t {
  kTolerant,  // as the value rule of that name
  kNumeric,   // as the value rule of that name
  kExact,     // as the value rule of that name
  kUnits,     // numbers converted to A's units before the tolerances apply
};

enum class TextCase : std::uint8_t {
  kExact,   // texts equal byte for byte
  kIgnore,  // texts equal but for the case of ASCII letters count as equal
};

enum class ListOrder : std::uint8_t {
  kOrdered,    // items compared in order, pair by pair
  kUnordered,  // multisets: the same items as often, in any order
  kSet,        // sets: the same items, however often each occurs
};

// Converts numbers between units; the units rule asks it.
class UnitConversion {
 public:
  enum class Outcome : std::uint8_t {
    kConverted,       // `number` now stands in the units asked for
    kNotConvertible,  // both units known, of different kinds
    kUnknown,         // one of the units is not known
  };

  // Converts `number` from `from` units to `to` units.
  virtual Outcome convert(std::string_view from, std::string_view to, double& number) const = 0;

 protected:
  ~UnitConversion() = default;
};

struct SlotRule {
  SlotRuleKind kind = SlotRuleKind::kNumeric;
  double relative_percent = 0.0;  // as set, for explanations
  double relative = 0.0;          // the same as a fraction
  double absolute = 0.0;          // in the slot's units (A's, under kUnits)
  TextCase text_case = TextCase::kExact;
  ListOrder lists = ListOrder::kOrdered;
  const UnitConversion* units = nullptr;  // set for kUnits
};

// Finds the slot rule of a slot of one object.
class SlotRuleLookup {
 public:
  // The first rule, in the order given, that names `slot`; null when none
  // does and the run's value rule applies.
  virtual const SlotRule* rule_for(std::string_view slot) const = 0;

 protected:
  ~SlotRuleLookup() = default;
};

}  // namespace diff::engine

#endif  // DIFF_ENGINE_SLOT_RULE_H_
