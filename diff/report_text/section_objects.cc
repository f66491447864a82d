#include "diff/report_text/section_objects.h"

#include "diff/filediff/difference_records.h"  // the names of the list objects
#include "diff/host/list_library.h"              // CStrList

namespace diff::report_text {
namespace {

std::vector<std::string> texts_of(CStrList& list) {
  std::vector<std::string> texts;
  texts.reserve(static_cast<std::size_t>(list.GetLength()));
  for (int i = 0; i < list.GetLength(); ++i) texts.emplace_back(list.GetTextAt(i));
  return texts;
}

// The entries of a one-sided list object are numbered slots whose values
// are the object names.
std::vector<std::string> one_sided_objects(CvxODB& combined, const char* list_object) {
  if (!combined.ObjectExists(list_object)) return {};
  CStrList numbers;
  CStrList names;
  combined.LoadAllSlots(list_object, &numbers, &names, 0, 0);  // a failure leaves them empty
  return texts_of(names);
}

}  // namespace

std::vector<std::string> objects_only_in_a(const ReportDatabases& databases) {
  return one_sided_objects(databases.combined_differences, kObjectsOnlyInA);
}

std::vector<std::string> objects_only_in_b(const ReportDatabases& databases) {
  return one_sided_objects(databases.combined_differences, kObjectsOnlyInB);
}

std::vector<std::string> identical_objects(const ReportDatabases& databases) {
  if (!databases.combined_differences.ObjectExists(kCommonObjects)) return {};
  CStrList common;
  databases.combined_differences.GetSlots(kCommonObjects, &common, 0);
  std::vector<std::string> identical;
  for (int i = 0; i < common.GetLength(); ++i) {
    const char* name = common.GetTextAt(i);
    if (databases.a_differences.ObjectExists(name) || databases.b_differences.ObjectExists(name)) {
      continue;
    }
    identical.emplace_back(name);
  }
  return identical;
}

std::vector<std::string> differing_objects(const ReportDatabases& databases) {
  CStrList in_a;
  CStrList in_b;
  databases.a_differences.GetObjects(&in_a);
  databases.b_differences.GetObjects(&in_b);
  std::vector<std::string> differing = texts_of(in_a);
  for (int i = 0; i < in_b.GetLength(); ++i) {
    const char* name = in_b.GetTextAt(i);
    if (!in_a.IsMember(name)) differing.emplace_back(name);
  }
  return differing;
}

}  // namespace diff::report_text
