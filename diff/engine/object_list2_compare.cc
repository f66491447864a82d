#include "diff/engine/object_list2_compare.h"

#include "diff/engine/list2_compare.h"  // compare_list2
#include "diff/engine/slot_rules.h"     // KeptSlots, settle_accepted_slots

namespace diff::engine {
namespace {

// Gives `list` to the caller through `destination`, or drops it when the
// caller does not want it.
void hand_over(list2 list, list2* destination) {
  if (destination != nullptr) {
    *destination = list;
  } else {
    list2_delete(list);
  }
}

}  // namespace

int compare_object_list2(const SlotJudge& judge, const char* object, list2 a_names,
                         list2 a_values, list2 b_names, list2 b_values, list2* a_sorted_names,
                         list2* a_sorted_values, list2* b_sorted_names,
                         list2* b_sorted_values) {
  const ValueRule& rule = judge.value_rule();
  const SlotRuleLookup* slot_rules = judge.slot_rules_of(object != nullptr ? object : "");
  if (!judge.judges_slots()) {
    return compare_list2(rule, a_names, a_values, b_names, b_values, a_sorted_names,
                         a_sorted_values, b_sorted_names, b_sorted_values, slot_rules);
  }
  // The caller's lists stay as given; the comparison runs on copies without
  // the object's ignored slots.
  const KeptSlots a(judge, object, a_names, a_values);
  const KeptSlots b(judge, object, b_names, b_values);
  list2 sorted[4] = {nullptr, nullptr, nullptr, nullptr};
  int result = 0;
  try {
    result = compare_list2(rule, a.names(), a.values(), b.names(), b.values(), &sorted[0],
                           &sorted[1], &sorted[2], &sorted[3], slot_rules);
    result = settle_accepted_slots(judge, object, &sorted[0], &sorted[1], &sorted[2], &sorted[3],
                                   result);
  } catch (...) {
    for (list2 list : sorted) list2_delete(list);
    throw;
  }
  hand_over(sorted[0], a_sorted_names);
  hand_over(sorted[1], a_sorted_values);
  hand_over(sorted[2], b_sorted_names);
  hand_over(sorted[3], b_sorted_values);
  return result;
}

}  // namespace diff::engine
