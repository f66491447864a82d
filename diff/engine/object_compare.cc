#include "diff/engine/object_compare.h"

#include <string>  // std::string, the message

#include "diff/engine/strlist_compare.h"    // compare_strlists
#include "diff/outcome/call_outcome.h"      // DIFF_ERROR_READ
#include "diff/outcome/database_failure.h"  // fail_on, library_gave_reason

namespace diff::engine {
namespace {

void load_slots(CvxODB* database, const char* object, CStrList& names, CStrList& values,
                bool listed) {
  if (database == nullptr) return;
  if (database->LoadAllSlots(object, &names, &values, 0, 0) != 0) return;
  if (listed || library_gave_reason(*database)) {
    fail_on(*database, DIFF_ERROR_READ,
            std::string("object \"") + (object ? object : "") + "\": its slots cannot be read");
  }
}

}  // namespace

int compare_objects(CvxODB* a_database, const char* a_object, CvxODB* b_database,
                    const char* b_object, CStrList* a_sorted_names, CStrList* a_sorted_values,
                    CStrList* b_sorted_names, CStrList* b_sorted_values, bool objects_listed) {
  CStrList a_names;
  CStrList a_values;
  CStrList b_names;
  CStrList b_values;
  load_slots(a_database, a_object, a_names, a_values, objects_listed);
  load_slots(b_database, b_object, b_names, b_values, objects_listed);
  return compare_strlists(&a_names, &a_values, &b_names, &b_values, a_sorted_names,
                          a_sorted_values, b_sorted_names, b_sorted_values);
}

}  // namespace diff::engine
