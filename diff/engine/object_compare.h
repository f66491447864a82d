// Slot comparison of one object held in two object databases.
#ifndef DIFF_ENGINE_OBJECT_COMPARE_H_
#define DIFF_ENGINE_OBJECT_COMPARE_H_

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB

namespace diff::engine {

// Loads the slot names and value texts of `a_object` from `a_database` and of
// `b_object` from `b_database` and compares them as keyed lists, filling the
// four sorted lists. An object that does not exist, or a null database, gives
// no slots; with `objects_listed` the caller has seen both objects in their
// databases, so that a load finding nothing is a failure. A load that fails
// (the library says why, or a listed object) fails with DIFF_ERROR_READ
// naming the database and the object. Returns 1 when the objects differ,
// else 0.
int compare_objects(CvxODB* a_database, const char* a_object, CvxODB* b_database,
                    const char* b_object, CStrList* a_sorted_names, CStrList* a_sorted_values,
                    CStrList* b_sorted_names, CStrList* b_sorted_values,
                    bool objects_listed = false);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_OBJECT_COMPARE_H_
