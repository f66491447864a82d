#include "project/status_file_read.h"  // ReadStatusFile, StatusFileShowsDifference

#include <algorithm>  // std::sort, std::binary_search
#include <cstring>    // std::strcmp
#include <vector>     // std::vector

#include "diff/host/list_library.h"      // CStrList
#include "diff/host/object_database.h"   // CvxODB
#include "inputs/object_file_failure.h"  // ObjectFileFailure
#include "platform/failure.h"            // Failure
#include "request/input_checks.h"        // CheckReadableFile

namespace odbdiff {
namespace {

// An object file open for reading, named as the user gave it.
struct OpenObjectFile {
  explicit OpenObjectFile(const std::string& path) : path(path), database(0, path.c_str(), 0) {
    CheckReadableFile(path);
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

// The object names of an object file, sorted byte-wise for lookups; they
// point into `names`.
std::vector<std::string_view> SortedNames(OpenObjectFile& file, CStrList& names) {
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

// Counts one slot's code; throws when it is no code of a status file.
void Tally(const std::string& status_file, const char* object, const char* slot,
           const char* code, SlotCodes& codes) {
  if (std::strcmp(code, "0") == 0) {
    ++codes.values_differ;
  } else if (std::strcmp(code, "1") == 0) {
    ++codes.values_equal;
  } else if (std::strcmp(code, "3") == 0) {
    ++codes.only_in_a;
  } else if (std::strcmp(code, "4") == 0) {
    ++codes.only_in_b;
  } else {
    throw Failure(status_file, std::string("is no status file of compare-project: object \"") +
                                   object + "\", slot \"" + slot + "\" holds \"" + code +
                                   "\", not 0, 1, 3 or 4");
  }
}

SlotCodes ReadSlotCodes(OpenObjectFile& status, const char* object) {
  CStrList slots;
  CStrList codes;
  if (status.database.LoadAllSlots(object, &slots, &codes, 0, 0) == 0) {
    throw ObjectFileFailure(status.path, status.database,
                            std::string("cannot read the slots of object ") + object);
  }
  SlotCodes tally;
  for (int position = 0; position < slots.GetLength(); ++position) {
    const char* code = codes.GetTextAt(position);
    Tally(status.path, object, slots.GetTextAt(position), code ? code : "", tally);
  }
  return tally;
}

// Whether the object is where its codes place it: compared values in both
// files, a slot of one file in that file. A status file of another pair
// seldom is.
bool CodesFitPlace(const StatusFileObject& object) {
  const SlotCodes& codes = object.codes;
  return (codes.values_differ + codes.values_equal == 0 || (object.in_a && object.in_b)) &&
         (codes.only_in_a == 0 || object.in_a) && (codes.only_in_b == 0 || object.in_b);
}

}  // namespace

void ReadStatusFile(const std::string& status_file, const std::string& file_a,
                    const std::string& file_b,
                    const std::function<void(const StatusFileObject&)>& take) {
  OpenObjectFile status(status_file);
  CStrList objects;
  status.ReadObjects(objects);
  OpenObjectFile a(file_a);
  OpenObjectFile b(file_b);
  CStrList a_names;
  CStrList b_names;
  const std::vector<std::string_view> in_a = SortedNames(a, a_names);
  const std::vector<std::string_view> in_b = SortedNames(b, b_names);
  for (int position = 0; position < objects.GetLength(); ++position) {
    const char* object = objects.GetTextAt(position);
    const StatusFileObject read{object, Holds(in_a, object), Holds(in_b, object),
                                ReadSlotCodes(status, object)};
    if (!read.in_a && !read.in_b) {
      throw Failure(status_file, "lists an object that neither compared file holds");
    }
    if (!CodesFitPlace(read)) {
      throw Failure(status_file, "is no status file of " + file_a + " and " + file_b +
                                     ": the codes of object \"" + object +
                                     "\" do not match where it is");
    }
    take(read);
  }
}

bool StatusFileShowsDifference(const std::string& status_file, const std::string& file_a,
                               const std::string& file_b) {
  bool differ = false;
  ReadStatusFile(status_file, file_a, file_b,
                 [&](const StatusFileObject& object) { differ = differ || object.differs(); });
  return differ;
}

}  // namespace odbdiff
