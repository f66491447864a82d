// Keyed list comparison over the list library's list2 lists.
#ifndef DIFF_ENGINE_LIST2_COMPARE_H_
#define DIFF_ENGINE_LIST2_COMPARE_H_

#include "diff/engine/slot_rule.h"   // SlotRuleLookup
#include "diff/engine/value_rule.h"  // ValueRule
#include "diff/host/list_library.h"  // list2

namespace diff::engine {

// Compares side A (names, values) with side B, values being equal under
// `rule`, marks every item of the four input lists and of four new sorted
// lists with an item status code, and stores the sorted lists through the
// out-parameters (a null out-parameter means the caller does not want that
// list). Returns 1 when the sides differ,
// else 0. When the list library cannot make a list, fails (throws Failure)
// with DIFF_ERROR_INTERNAL and the out-parameters hold null. A null input
// handle counts as an empty list. With `slot_rules`, a slot's rule takes the
// place of `rule` for the slots it names.
int compare_list2(const ValueRule& rule, list2 a_names, list2 a_values, list2 b_names,
                  list2 b_values, list2* a_sorted_names, list2* a_sorted_values,
                  list2* b_sorted_names, list2* b_sorted_values,
                  const SlotRuleLookup* slot_rules = nullptr);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_LIST2_COMPARE_H_
