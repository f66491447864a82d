#include "diff/engine/object_compare.h"

#include "diff/engine/strlist_compare.h"  // compare_strlists

namespace diff::engine {

int compare_objects(CvxODB* a_database, const char* a_object, CvxODB* b_database,
                    const char* b_object, CStrList* a_sorted_names, CStrList* a_sorted_values,
                    CStrList* b_sorted_names, CStrList* b_sorted_values) {
  CStrList a_names;
  CStrList a_values;
  CStrList b_names;
  CStrList b_values;
  // A failed load leaves its lists empty, which compares as an object without slots.
  if (a_database != nullptr) a_database->LoadAllSlots(a_object, &a_names, &a_values, 0, 0);
  if (b_database != nullptr) b_database->LoadAllSlots(b_object, &b_names, &b_values, 0, 0);
  return compare_strlists(&a_names, &a_values, &b_names, &b_values, a_sorted_names,
                          a_sorted_values, b_sorted_names, b_sorted_values);
}

}  // namespace diff::engine
