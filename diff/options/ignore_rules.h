// The ignore rules in force: object patterns, slot patterns for every
// object, and slot patterns limited to the objects matching an object
// pattern. Held for the process, like the value rule.
#ifndef DIFF_OPTIONS_IGNORE_RULES_H_
#define DIFF_OPTIONS_IGNORE_RULES_H_

#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "diff/options/pattern_index.h"  // PatternIndex

namespace diff {

// The slot patterns that apply to one object, worked out once for it.
class ObjectSlotRules {
 public:
  // True when a slot of the object may be ignored at all.
  bool any() const { return everywhere_ != nullptr || !limited_.empty(); }
  bool ignored(std::string_view slot) const;

 private:
  friend ObjectSlotRules slot_rules_for(std::string_view object);
  const PatternIndex* everywhere_ = nullptr;
  std::vector<const PatternIndex*> limited_;
};

// True when some ignore rule is in force.
bool ignore_rules_set();

// True when an object pattern matches `object`.
bool object_ignored(std::string_view object);

// The slot patterns that apply to the slots of `object`.
ObjectSlotRules slot_rules_for(std::string_view object);

// diff_ignore_object, diff_ignore_slot, diff_is_ignored: refuse a null
// pattern with DIFF_ERROR_ARGUMENT, changing nothing.
int add_ignored_object(const char* object_pattern);
int add_ignored_slot(const char* object_pattern, const char* slot_pattern);
int is_ignored(const char* object, const char* slot);

// Forgets every ignore rule.
void clear_ignore_rules();

}  // namespace diff

#endif  // DIFF_OPTIONS_IGNORE_RULES_H_
