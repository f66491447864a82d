// Ignore rules: object patterns, slot patterns for every object, and slot
// patterns limited to the objects matching an object pattern.
#ifndef DIFF_OPTIONS_IGNORE_RULES_H_
#define DIFF_OPTIONS_IGNORE_RULES_H_

#include <cstddef>        // std::size_t
#include <string>         // std::string
#include <string_view>    // std::string_view
#include <unordered_map>  // std::unordered_map, the limited groups by object pattern
#include <vector>         // std::vector

#include "diff/engine/slot_judge.h"      // SlotNamePatterns, ObjectSlotIgnores
#include "diff/options/pattern_index.h"  // PatternIndex

namespace diff {

class IgnoreRules {
 public:
  // diff_ignore_object, diff_ignore_slot: fail with DIFF_ERROR_ARGUMENT,
  // changing nothing, for a null pattern (a null `object_pattern` of
  // add_slot means every object).
  void add_object(const char* object_pattern);
  void add_slot(const char* object_pattern, const char* slot_pattern);

  // True when some rule is in force.
  bool any() const { return any_; }

  // True when an object pattern matches `object`.
  bool object_ignored(std::string_view object) const { return objects_.matches_any(object); }

  // The slot patterns that apply to the slots of `object`.
  engine::ObjectSlotIgnores slots_of(std::string_view object) const;

  // diff_is_ignored: true when a rule covers the object (`slot` null) or the
  // slot `slot` of the object; false for a null object.
  bool covers(const char* object, const char* slot) const;

 private:
  // A group of slot patterns as the engine asks them.
  class SlotPatterns final : public engine::SlotNamePatterns {
   public:
    void add(std::string_view pattern) { index_.add(pattern, 0); }
    bool empty() const { return index_.empty(); }
    bool matches(std::string_view slot) const override { return index_.matches_any(slot); }

   private:
    PatternIndex index_;
  };

  PatternIndex objects_;
  SlotPatterns slots_everywhere_;
  // Slot patterns limited to objects: one group of slot patterns per object
  // pattern; the object patterns carry their group's number.
  PatternIndex limiting_objects_;
  std::vector<SlotPatterns> limited_slots_;
  std::unordered_map<std::string, std::size_t> group_of_pattern_;
  bool any_ = false;
};

}  // namespace diff

#endif  // DIFF_OPTIONS_IGNORE_RULES_H_
