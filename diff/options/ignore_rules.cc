#include "diff/options/ignore_rules.h"

#include <cstddef>        // std::size_t
#include <string>         // std::string
#include <unordered_map>  // std::unordered_map, the limited groups by object pattern

#include "diff/diff.h"                  // DIFF_ERROR_ARGUMENT
#include "diff/outcome/call_outcome.h"  // fail

namespace diff {
namespace {

struct IgnoreRules {
  PatternIndex objects;
  PatternIndex slots_everywhere;
  // Slot patterns limited to objects: one group of slot patterns per object
  // pattern; the object patterns carry their group's number.
  PatternIndex limiting_objects;
  std::vector<PatternIndex> limited_slots;
  std::unordered_map<std::string, std::size_t> group_of_pattern;
};

IgnoreRules& rules() {
  static IgnoreRules held;
  return held;
}

bool rules_set = false;

}  // namespace

bool ObjectSlotRules::ignored(std::string_view slot) const {
  if (everywhere_ != nullptr && everywhere_->matches_any(slot)) return true;
  for (const PatternIndex* group : limited_) {
    if (group->matches_any(slot)) return true;
  }
  return false;
}

bool ignore_rules_set() { return rules_set; }

bool object_ignored(std::string_view object) { return rules().objects.matches_any(object); }

ObjectSlotRules slot_rules_for(std::string_view object) {
  ObjectSlotRules applying;
  const IgnoreRules& held = rules();
  if (!held.slots_everywhere.empty()) applying.everywhere_ = &held.slots_everywhere;
  held.limiting_objects.for_each_match(
      object, [&](std::size_t group) { applying.limited_.push_back(&held.limited_slots[group]); });
  return applying;
}

int add_ignored_object(const char* object_pattern) {
  if (object_pattern == nullptr) fail(DIFF_ERROR_ARGUMENT, "diff_ignore_object: the pattern is null");
  rules().objects.add(object_pattern, 0);
  rules_set = true;
  return 1;
}

int add_ignored_slot(const char* object_pattern, const char* slot_pattern) {
  if (slot_pattern == nullptr) fail(DIFF_ERROR_ARGUMENT, "diff_ignore_slot: the slot pattern is null");
  IgnoreRules& held = rules();
  if (object_pattern == nullptr) {
    held.slots_everywhere.add(slot_pattern, 0);
  } else {
    const auto [group, added] =
        held.group_of_pattern.try_emplace(object_pattern, held.limited_slots.size());
    if (added) {
      held.limited_slots.emplace_back();
      held.limiting_objects.add(object_pattern, group->second);
    }
    held.limited_slots[group->second].add(slot_pattern, 0);
  }
  rules_set = true;
  return 1;
}

int is_ignored(const char* object, const char* slot) {
  if (object == nullptr) return 0;
  if (object_ignored(object)) return 1;
  return slot != nullptr && slot_rules_for(object).ignored(slot) ? 1 : 0;
}

void clear_ignore_rules() {
  rules() = IgnoreRules{};
  rules_set = false;
}

}  // namespace diff
