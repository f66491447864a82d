// Slot comparison of one object held in two object databases.
#ifndef DIFF_ENGINE_OBJECT_COMPARE_H_
#define DIFF_ENGINE_OBJECT_COMPARE_H_

#include "diff/engine/slot_judge.h"       // SlotJudge
#include "diff/engine/strlist_compare.h"  // SortedSides
#include "diff/host/list_library.h"        // CStrList
#include "diff/host/object_database.h"     // CvxODB

namespace diff::engine {

// Loads the slot names and value texts of `a_object` from `a_database` and of
// `b_object` from `b_database` and compares them as keyed lists under the
// rules of `judge`, filling the four sorted lists (without the ignored slots;
// accepted differences settled as diff_objects_ormo has it). An object that
// does not exist, or a null database, gives no slots; with `objects_listed`
// the caller has seen both objects in their databases, so that a load finding
// nothing is a failure. A load that fails (the library says why, or a listed
// object) fails with DIFF_ERROR_READ naming the database and the object.
// Returns 1 when the objects differ, else 0.
int compare_objects(const SlotJudge& judge, CvxODB* a_database, const char* a_object,
                    CvxODB* b_database, const char* b_object, CStrList* a_sorted_names,
                    CStrList* a_sorted_values, CStrList* b_sorted_names,
                    CStrList* b_sorted_values, bool objects_listed = false);

// The slots of one object as loaded from both databases.
struct LoadedSlots {
  CStrList a_names, a_values, b_names, b_values;
};

// compare_objects of an object listed in both databases, for a caller that
// walks the result at once: the slots go to `loaded` and the sorted sides,
// texts of those lists, to `sides`, instead of into sorted lists. Returns
// false when the judge has slot rules in force (nothing is loaded then), or
// when the library gave values that are not parallel to the names;
// compare_objects then serves.
bool compare_listed_objects_sorted(const SlotJudge& judge, CvxODB& a_database,
                                   CvxODB& b_database, const char* object, LoadedSlots& loaded,
                                   SortedSides& sides);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_OBJECT_COMPARE_H_
