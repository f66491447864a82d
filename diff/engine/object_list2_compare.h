// Keyed list comparison of one object's slots over list2 lists, with the
// ignore rules and accepted differences of that object applied.
#ifndef DIFF_ENGINE_OBJECT_LIST2_COMPARE_H_
#define DIFF_ENGINE_OBJECT_LIST2_COMPARE_H_

#include "diff/engine/slot_judge.h"  // SlotJudge
#include "diff/host/list_library.h"  // list2

namespace diff::engine {

// compare_list2 for the slots of `object` (not null) under the rules of
// `judge`: ignored slots left out of the sorted lists, accepted one-sided
// slots too, accepted value changes marked equal. Without slot rules in
// force, exactly compare_list2 with the judge's value rule.
int compare_object_list2(const SlotJudge& judge, const char* object, list2 a_names,
                         list2 a_values, list2 b_names, list2 b_values, list2* a_sorted_names,
                         list2* a_sorted_values, list2* b_sorted_names,
                         list2* b_sorted_values);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_OBJECT_LIST2_COMPARE_H_
