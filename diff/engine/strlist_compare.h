// Keyed list comparison over the list library's CStrList class.
#ifndef DIFF_ENGINE_STRLIST_COMPARE_H_
#define DIFF_ENGINE_STRLIST_COMPARE_H_

#include <vector>  // std::vector of sorted texts and marks

#include "diff/engine/keyed_marking.h"  // Mark
#include "diff/engine/slot_rule.h"      // SlotRuleLookup
#include "diff/engine/value_rule.h"     // ValueRule
#include "diff/host/list_library.h"     // CStrList

namespace diff::engine {

// The sorted sides of a comparison as texts of its input lists, each with its
// mark: what compare_strlists writes into its sorted lists, without making
// them. The texts stay valid while the input lists do and are not changed.
struct SortedSides {
  std::vector<const char*> a_names, a_values, b_names, b_values;
  std::vector<Mark> a_name_marks, a_value_marks, b_name_marks, b_value_marks;
  bool differ = false;
};

// Compares side A (names, values) with side B and fills the four sorted
// lists, which the caller passes in empty. Values are compared, under `rule`,
// only when both sides' value lists are parallel to their names; an empty
// value list means "names only". Every name item of the inputs and of the
// sorted lists gets an item status code in its data word, and so does every
// value item when values are compared. Returns 1 when the sides differ, else
// 0. A null list counts as an empty one (a null sorted list is filled and
// dropped). With `slot_rules`, a slot's rule takes the place of `rule` for
// the slots it names.
int compare_strlists(const ValueRule& rule, CStrList* a_names, CStrList* a_values,
                     CStrList* b_names, CStrList* b_values, CStrList* a_sorted_names,
                     CStrList* a_sorted_values, CStrList* b_sorted_names,
                     CStrList* b_sorted_values, const SlotRuleLookup* slot_rules = nullptr);

// compare_strlists for sides whose value lists are both parallel to their
// names, giving the sorted sides as `sides` (whose vectors are refilled)
// instead of sorted lists. Returns false, `sides` then unchanged, when a
// value list is not parallel.
bool compare_strlists_sorted(const ValueRule& rule, CStrList& a_names, CStrList& a_values,
                             CStrList& b_names, CStrList& b_values, SortedSides& sides,
                             const SlotRuleLookup* slot_rules = nullptr);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_STRLIST_COMPARE_H_
