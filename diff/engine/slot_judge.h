// What a comparison of one object's slots asks of the comparison rules: the
// value rule, which slots the ignore rules leave out, and which differences
// a person has accepted. The engine sees the rules only through this
// interface; the options hold them and implement it.
#ifndef DIFF_ENGINE_SLOT_JUDGE_H_
#define DIFF_ENGINE_SLOT_JUDGE_H_

#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "diff/engine/slot_rule.h"   // SlotRuleLookup
#include "diff/engine/value_rule.h"  // ValueRule

namespace diff::engine {

// A set of slot name patterns of the ignore rules.
class SlotNamePatterns {
 public:
  // True when some pattern of the set matches `slot` as a whole.
  virtual bool matches(std::string_view slot) const = 0;

 protected:
  ~SlotNamePatterns() = default;
};

// The slot name patterns that apply to one object, worked out once for it.
// The sets stay the judge's; this holds while the judge is unchanged.
class ObjectSlotIgnores {
 public:
  // Sets are tried in the order added.
  void add(const SlotNamePatterns& patterns) {
    if (first_ == nullptr) {
      first_ = &patterns;
    } else {
      more_.push_back(&patterns);
    }
  }

  // True when a slot of the object may be ignored at all.
  bool any() const { return first_ != nullptr; }

  bool ignored(std::string_view slot) const {
    if (first_ == nullptr) return false;
    if (first_->matches(slot)) return true;
    for (const SlotNamePatterns* patterns : more_) {
      if (patterns->matches(slot)) return true;
    }
    return false;
  }

 private:
  const SlotNamePatterns* first_ = nullptr;  // most objects have one set at most
  std::vector<const SlotNamePatterns*> more_;
};

class SlotJudge {
 public:
  // The rule by which two value texts are equal.
  virtual const ValueRule& value_rule() const = 0;

  // The slot rules that apply to the slots of `object`, which take the place
  // of the value rule for the slots they name; null when there are no slot
  // rules. `object` must stay valid, and the lookup holds, until the next
  // call on this thread.
  virtual const SlotRuleLookup* slot_rules_of(std::string_view object) const = 0;

  // True when some ignore rule is in force.
  virtual bool ignores_slots() const = 0;

  // The slot patterns that apply to the slots of `object`.
  virtual ObjectSlotIgnores ignored_slots_of(std::string_view object) const = 0;

  // True when some difference is accepted.
  virtual bool accepts_differences() const = 0;

  // True when the difference is accepted; the texts that `kind` (a known
  // difference kind, DIFF_OBJECT_ONLY_IN_A to DIFF_SLOT_VALUES_DIFFER) does
  // not use are not read, those it uses are not null.
  virtual bool difference_accepted(int kind, const char* object, const char* slot,
                                   const char* a_value, const char* b_value) const = 0;

  // True when an ignore rule or an accepted difference is in force; without
  // one, a comparison needs to ask nothing else but the value rule.
  bool judges_slots() const { return ignores_slots() || accepts_differences(); }

 protected:
  ~SlotJudge() = default;
};

}  // namespace diff::engine

#endif  // DIFF_ENGINE_SLOT_JUDGE_H_
