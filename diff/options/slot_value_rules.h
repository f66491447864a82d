// The slot rules: for the slots whose object and slot names match a pair of
// globs, a rule that decides equality in place of the run's value rule. The
// first rule added that matches a slot wins.
#ifndef DIFF_OPTIONS_SLOT_VALUE_RULES_H_
#define DIFF_OPTIONS_SLOT_VALUE_RULES_H_

#include <cstddef>      // std::size_t
#include <map>          // std::map, the lookups by the set of rules that apply
#include <memory>       // std::unique_ptr
#include <mutex>        // std::mutex
#include <string>       // std::string
#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "diff/engine/slot_rule.h"       // SlotRule, SlotRuleLookup
#include "diff/options/pattern_index.h"  // PatternIndex
#include "diff/units/units_database.h"   // UnitsDatabase

namespace diff {

class SlotValueRules {
 public:
  struct Rule {
    std::string object_pattern;  // "*" for every object
    std::string slot_pattern;
    engine::SlotRule rule;
  };

  // diff_add_slot_rule: adds a rule after those in force. Fails with
  // DIFF_ERROR_ARGUMENT, changing nothing, for a null slot pattern (a null
  // object pattern means every object), an unknown rule, case or list code,
  // a relative tolerance outside [0, 100) or an absolute one that is
  // negative or not finite, and when the units rule cannot read its units.
  void add(const char* object_pattern, const char* slot_pattern, int rule, double relative_percent,
           double absolute, int text_case, int lists);

  bool any() const { return !rules_.empty(); }

  // The rules that apply to the slots of `object` (which must stay valid
  // until the next call on this thread); null when there are no rules. The
  // rules that match the object are worked out only when a slot is first
  // looked up (most objects have no slot whose texts differ), once for each
  // set of rules that objects match; the lookup holds until the next call on
  // this thread.
  const engine::SlotRuleLookup* rules_of(std::string_view object) const;

  // The rule that applies to `slot` of `object`, and its number from 1 in
  // the order added; null and 0 when none does.
  const Rule* rule_for(std::string_view object, std::string_view slot, std::size_t& number) const;

 private:
  class Lookup final : public engine::SlotRuleLookup {
   public:
    Lookup(const std::vector<Rule>& rules, const std::vector<std::size_t>& applying);
    const engine::SlotRule* rule_for(std::string_view slot) const override;
    // The number (from 0) of the first rule matching `slot`; rules().size() when none.
    std::size_t first_match(std::string_view slot) const;

   private:
    const std::vector<Rule>& rules_;
    PatternIndex slots_;  // the slot patterns of the rules that apply, by rule number
  };

  // The rules_of of one object, worked out when first asked.
  class ObjectLookup final : public engine::SlotRuleLookup {
   public:
    void reset(const SlotValueRules& rules, std::string_view object);
    const engine::SlotRule* rule_for(std::string_view slot) const override;

   private:
    const SlotValueRules* rules_ = nullptr;
    std::string_view object_;
    mutable bool resolved_ = false;
    mutable const Lookup* lookup_ = nullptr;  // null: no rule matches the object
  };

  // The lookup of the rules that match `object`; null when none does.
  const Lookup* lookup_for(std::string_view object) const;

  // The lookups made so far, shared by the threads that compare.
  struct Lookups {
    std::mutex mutex;
    std::map<std::vector<std::size_t>, std::unique_ptr<Lookup>> by_rules;
  };

  std::vector<Rule> rules_;
  PatternIndex objects_;                   // the object patterns but "*", by rule number
  std::vector<std::size_t> every_object_;  // the rules whose object pattern is "*"
  std::unique_ptr<Lookups> lookups_ = std::make_unique<Lookups>();
  std::unique_ptr<UnitsDatabase> units_;  // read with the first units rule
};

}  // namespace diff

#endif  // DIFF_OPTIONS_SLOT_VALUE_RULES_H_
