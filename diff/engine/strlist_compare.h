// Keyed list comparison over the list library's CStrList class.
#ifndef DIFF_ENGINE_STRLIST_COMPARE_H_
#define DIFF_ENGINE_STRLIST_COMPARE_H_

#include "diff/host/list_library.h"  // CStrList

namespace diff::engine {

// Compares side A (names, values) with side B and fills the four sorted
// lists, which the caller passes in empty. Values are compared only when both
// sides' value lists are parallel to their names; an empty value list means
// "names only". Every name item of the inputs and of the sorted lists gets an
// item status code in its data word, and so does every value item when values
// are compared. Returns 1 when the sides differ, else 0. A null list counts
// as an empty one (a null sorted list is filled and dropped).
int compare_strlists(CStrList* a_names, CStrList* a_values, CStrList* b_names,
                     CStrList* b_values, CStrList* a_sorted_names, CStrList* a_sorted_values,
                     CStrList* b_sorted_names, CStrList* b_sorted_values);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_STRLIST_COMPARE_H_
