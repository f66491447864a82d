#include "diff/report_text/section_objects.h"

#include <string_view>    // std::string_view, the keys of a name set
#include <unordered_set>  // std::unordered_set, the objects of a difference database

#include "diff/filediff/difference_records.h"  // the names of the list objects
#include "diff/host/list_library.h"              // CStrList
#include "diff/outcome/call_outcome.h"           // DIFF_ERROR_READ
#include "diff/outcome/database_failure.h"       // read_answer, fail_on, list_objects

namespace diff::report_text {
namespace {

std::vector<std::string> texts_of(CStrList& list) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(list.GetLength()));
  for (int i = 0; i < list.GetLength(); ++i) texts.emplace_back(list.GetTextAt(i));
  return texts;
}

// The slots of a list object that exists: finding none is a failure.
void list_slots(CvxODB& combined, const char* list_object, CStrList& names, CStrList* values) {
  const int answer = values != nullptr ? combined.LoadAllSlots(list_object, &names, values, 0, 0)
                                       : combined.GetSlots(list_object, &names, 0);
  if (answer == 0) {
    fail_on(combined, DIFF_ERROR_READ,
            std::string("object \"") + list_object + "\": its slots cannot be read");
  }
}

// The entries of a one-sided list object are numbered slots whose values
// are the object names.
std::vector<std::string> one_sided_objects(CvxODB& combined, const char* list_object) {
  if (!read_answer(combined, combined.ObjectExists(list_object))) return {};
  CStrList numbers;
  CStrList names;
  list_slots(combined, list_object, numbers, &names);
  return texts_of(names);
}

// The objects of a difference database, read once: asking the database
// about each of a million common objects costs a query apiece. The views
// point into `names`, which must outlive the set.
std::unordered_set<std::string_view> object_names(CvxODB& database, CStrList& names) {
  list_objects(database, names);
  std::unordered_set<std::string_view> set;
  set.reserve(static_cast<std::size_t>(names.GetLength()));
  for (int i = 0; i < names.GetLength(); ++i) set.emplace(names.GetTextAt(i));
  return set;
}

}  // namespace

std::vector<std::string> objects_only_in_a(const ReportDatabases& databases) {
  return one_sided_objects(databases.combined_differences, kObjectsOnlyInA);
}

std::vector<std::string> objects_only_in_b(const ReportDatabases& databases) {
  return one_sided_objects(databases.combined_differences, kObjectsOnlyInB);
}

std::vector<const char*> identical_objects(const ReportDatabases& databases, CStrList& common) {
  CvxODB& combined = databases.combined_differences;
  if (!read_answer(combined, combined.ObjectExists(kCommonObjects))) return {};
  list_slots(combined, kCommonObjects, common, nullptr);
  CStrList a_names;
  CStrList b_names;
  const auto in_a = object_names(databases.a_differences, a_names);
  const auto in_b = object_names(databases.b_differences, b_names);
  std::vector<const char*> identical;
  identical.reserve(static_cast<std::size_t>(common.GetLength()));
  for (int i = 0; i < common.GetLength(); ++i) {
    const char* name = common.GetTextAt(i);
    if (in_a.contains(name) || in_b.contains(name)) continue;
    identical.push_back(name);
  }
  return identical;
}

std::vector<std::string> differing_objects(const ReportDatabases& databases) {
  CStrList in_a;
  CStrList in_b;
  list_objects(databases.a_differences, in_a);
  list_objects(databases.b_differences, in_b);
  std::vector<std::string> differing = texts_of(in_a);
  for (int i = 0; i < in_b.GetLength(); ++i) {
    const char* name = in_b.GetTextAt(i);
    if (!in_a.IsMember(name)) differing.emplace_back(name);
  }
  return differing;
}

}  // namespace diff::report_text
