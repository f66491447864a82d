#include "status_file_statuses.h"  // AddStatusFileObjects

#include <algorithm>    // std::sort, std::binary_search
#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "failure.h"                    // Failure
#include "object_file_failure.h"        // ObjectFileFailure

namespace odbdiff {
namespace {

// An object file open for reading, named as odbdiff was given it.
struct OpenFile {
  explicit OpenFile(const std::string& path) : path(path), database(0, path.c_str(), 0) {
    if (database.Open(1) == 0) throw ObjectFileFailure(path, database, "not an object file");
  }

  // Every object name, in creation order.
  void ReadObjects(CStrList& names) {
    if (database.GetObjects(&names) == 0) {
      throw ObjectFileFailure(path, database, "cannot read its objects");
    }
  }

  const std::string& path;
  CvxODB database;
};

// The object names of an object file, sorted byte-wise, for lookups. They
// point into `names`.
std::vector<std::string_view> SortedNames(OpenFile& file, CStrList& names) {
  file.ReadObjects(names);
  std::vector<std::string_view> sorted;
  sorted.reserve(static_cast<std::size_t>(names.GetLength()));
  for (int position = 0; position < names.GetLength(); ++position) {
    sorted.emplace_back(names.GetTextAt(position));
  }
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

bool Holds(const std::vector<std::string_view>& sorted, std::string_view name) {
  return std::binary_search(sorted.begin(), sorted.end(), name);
}

SlotCodes ReadSlotCodes(OpenFile& status, const char* object) {
  CStrList slots;
  CStrList codes;
  if (status.database.LoadAllSlots(object, &slots, &codes, 0, 0) == 0) {
    throw ObjectFileFailure(status.path, status.database,
                            std::string("cannot read the slots of object ") + object);
  }
  SlotCodes tally;
  for (int position = 0; position < codes.GetLength(); ++position) {
    const std::string_view code = codes.GetTextAt(position);
    if (code == "0") {
      ++tally.values_differ;
    } else if (code == "1") {
      ++tally.values_equal;
    } else if (code == "3") {
      ++tally.only_in_a;
    } else if (code == "4") {
      ++tally.only_in_b;
    } else {
      throw Failure(status.path, "holds a slot status that odbdiff does not write");
    }
  }
  return tally;
}

}  // namespace

void AddStatusFileObjects(const std::string& status_file, const std::string& file_a,
                          const std::string& file_b, ReportStatuses& statuses) {
  OpenFile a(file_a);
  OpenFile b(file_b);
  OpenFile status(status_file);
  CStrList a_names;
  CStrList b_names;
  const std::vector<std::string_view> in_a = SortedNames(a, a_names);
  const std::vector<std::string_view> in_b = SortedNames(b, b_names);
  CStrList objects;
  status.ReadObjects(objects);
  for (int position = 0; position < objects.GetLength(); ++position) {
    const char* object = objects.GetTextAt(position);
    const bool object_in_a = Holds(in_a, object);
    const bool object_in_b = Holds(in_b, object);
    if (!object_in_a && !object_in_b) {
      throw Failure(status.path, "lists an object that neither compared file holds");
    }
    statuses.AddObject(object, object_in_a, object_in_b, ReadSlotCodes(status, object));
  }
}

}  // namespace odbdiff
