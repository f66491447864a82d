#include "diff/filediff/difference_records.h"

#include <cstdint>  // std::int64_t
#include <cstring>  // std::strcmp
#include <string>   // std::string, std::to_string

#include "diff/outcome/call_outcome.h"      // DIFF_ERROR_WRITE
#include "diff/outcome/database_failure.h"  // fail_on

namespace diff {
namespace {

// Running numbers of the one-sided lists, never reset within a process.
std::int64_t objects_only_in_a_count = 0;
std::int64_t objects_only_in_b_count = 0;

std::string quoted(const char* text) { return std::string("\"") + (text ? text : "") + "\""; }

// A refused write would leave the records incomplete: the comparison ends.
void ensure_object(CvxODB& database, const char* object) {
  if (database.ObjectExists(object) != 0 || database.CreateObject(object, nullptr) != 0) return;
  fail_on(database, DIFF_ERROR_WRITE, "object " + quoted(object) + ": cannot be created");
}

void set_value(CvxODB& database, const char* object, const char* slot, const char* value) {
  if (database.SetValue(object, slot, value, 0, 0) != 0) return;
  fail_on(database, DIFF_ERROR_WRITE,
          "object " + quoted(object) + ", slot " + quoted(slot) + ": cannot be written");
}

void record_numbered(CvxODB& combined_db, const char* list_object, std::int64_t& counter,
                     const char* object) {
  ensure_object(combined_db, list_object);
  ++counter;
  set_value(combined_db, list_object, std::to_string(counter).c_str(), object);
}

// The slot name that a side's slot takes in the combined database. Slot
// names of any length are kept whole.
std::string composed_name(const char* side_tag, const char* slot) {
  return std::string(side_tag) + "->" + (slot != nullptr ? slot : "");
}

}  // namespace

void diff_record_only_in_a(CvxODB& combined_db, const char* object) {
  record_numbered(combined_db, kObjectsOnlyInA, objects_only_in_a_count, object);
}

void diff_record_only_in_b(CvxODB& combined_db, const char* object) {
  record_numbered(combined_db, kObjectsOnlyInB, objects_only_in_b_count, object);
}

void diff_record_common(CvxODB& combined_db, const char* object) {
  ensure_object(combined_db, kCommonObjects);
  set_value(combined_db, kCommonObjects, object, "");
}

int diff_record_slot_only(CvxODB& side_db, CvxODB& combined_db, const char* object,
                          const char* slot, const char* value, const char* side_tag) {
  ensure_object(side_db, object);
  ensure_object(combined_db, object);
  if (side_tag == nullptr || (std::strcmp(side_tag, "A") != 0 && std::strcmp(side_tag, "B") != 0)) {
    return 0;
  }
  set_value(side_db, object, slot, value);
  set_value(combined_db, object, composed_name(side_tag, slot).c_str(), "ONLY");
  return 1;
}

int diff_record_slot_values(CvxODB& a_db, CvxODB& b_db, CvxODB& combined_db, const char* object,
                            const char* slot, const char* a_value, const char* b_value) {
  ensure_object(a_db, object);
  ensure_object(b_db, object);
  ensure_object(combined_db, object);
  set_value(a_db, object, slot, a_value);
  set_value(b_db, object, slot, b_value);
  set_value(combined_db, object, composed_name("A", slot).c_str(), a_value);
  set_value(combined_db, object, composed_name("B", slot).c_str(), b_value);
  return 1;
}

}  // namespace diff
