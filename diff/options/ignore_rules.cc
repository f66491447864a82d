#include "diff/options/ignore_rules.h"

#include "diff/diff.h"                  // DIFF_ERROR_ARGUMENT
#include "diff/outcome/call_outcome.h"  // fail

namespace diff {

void IgnoreRules::add_object(const char* object_pattern) {
  if (object_pattern == nullptr) fail(DIFF_ERROR_ARGUMENT, "diff_ignore_object: the pattern is null");
  objects_.add(object_pattern, 0);
  any_ = true;
}

void IgnoreRules::add_slot(const char* object_pattern, const char* slot_pattern) {
  if (slot_pattern == nullptr) fail(DIFF_ERROR_ARGUMENT, "diff_ignore_slot: the slot pattern is null");
  if (object_pattern == nullptr) {
    slots_everywhere_.add(slot_pattern);
  } else {
    const auto [group, added] =
        group_of_pattern_.try_emplace(object_pattern, limited_slots_.size());
    if (added) {
      limited_slots_.emplace_back();
      limiting_objects_.add(object_pattern, group->second);
    }
    limited_slots_[group->second].add(slot_pattern);
  }
  any_ = true;
}

engine::ObjectSlotIgnores IgnoreRules::slots_of(std::string_view object) const {
  engine::ObjectSlotIgnores applying;
  if (!slots_everywhere_.empty()) applying.add(slots_everywhere_);
  limiting_objects_.for_each_match(
      object, [&](std::size_t group) { applying.add(limited_slots_[group]); });
  return applying;
}

bool IgnoreRules::covers(const char* object, const char* slot) const {
  if (object == nullptr) return false;
  if (object_ignored(object)) return true;
  return slot != nullptr && slots_of(object).ignored(slot);
}

}  // namespace diff
