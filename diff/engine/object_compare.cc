#include "diff/engine/object_compare.h"

#include <string>  // std::string, the message

#include "diff/engine/slot_rules.h"         // drop_ignored_slots, settle_accepted_slots
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

int compare_objects(const SlotJudge& judge, CvxODB* a_database, const char* a_object,
                    CvxODB* b_database, const char* b_object, CStrList* a_sorted_names,
                    CStrList* a_sorted_values, CStrList* b_sorted_names,
                    CStrList* b_sorted_values, bool objects_listed) {
  CStrList a_names;
  CStrList a_values;
  CStrList b_names;
  CStrList b_values;
  load_slots(a_database, a_object, a_names, a_values, objects_listed);
  load_slots(b_database, b_object, b_names, b_values, objects_listed);
  const ValueRule& rule = judge.value_rule();
  // The rules go by the object's name on side A (on side B without one).
  const char* object = a_object != nullptr ? a_object : b_object;
  const SlotRuleLookup* slot_rules = judge.slot_rules_of(object != nullptr ? object : "");
  if (!judge.judges_slots()) {
    return compare_strlists(rule, &a_names, &a_values, &b_names, &b_values, a_sorted_names,
                            a_sorted_values, b_sorted_names, b_sorted_values, slot_rules);
  }
  drop_ignored_slots(judge, object, a_names, a_values);
  drop_ignored_slots(judge, object, b_names, b_values);
  // A null sorted list is filled and dropped, as without rules.
  CStrList dropped[4];
  CStrList& a_sorted = a_sorted_names != nullptr ? *a_sorted_names : dropped[0];
  CStrList& a_sorted_value = a_sorted_values != nullptr ? *a_sorted_values : dropped[1];
  CStrList& b_sorted = b_sorted_names != nullptr ? *b_sorted_names : dropped[2];
  CStrList& b_sorted_value = b_sorted_values != nullptr ? *b_sorted_values : dropped[3];
  const int result = compare_strlists(rule, &a_names, &a_values, &b_names, &b_values, &a_sorted,
                                      &a_sorted_value, &b_sorted, &b_sorted_value, slot_rules);
  return settle_accepted_slots(judge, object, a_sorted, a_sorted_value, b_sorted, b_sorted_value,
                               result);
}

bool compare_listed_objects_sorted(const SlotJudge& judge, CvxODB& a_database,
                                   CvxODB& b_database, const char* object, LoadedSlots& loaded,
                                   SortedSides& sides) {
  if (judge.judges_slots()) return false;
  load_slots(&a_database, object, loaded.a_names, loaded.a_values, /*listed=*/true);
  load_slots(&b_database, object, loaded.b_names, loaded.b_values, /*listed=*/true);
  // The library gives a value for every slot name; lists that are not
  // parallel are compared as compare_objects does.
  return compare_strlists_sorted(judge.value_rule(), loaded.a_names, loaded.a_values,
                                 loaded.b_names, loaded.b_values, sides,
                                 judge.slot_rules_of(object != nullptr ? object : ""));
}

}  // namespace diff::engine
