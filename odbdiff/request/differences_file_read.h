// Reading a JSON of differences (docs/json-output.md) as --json writes it, or
// a hand-edited subset of one, with its values as the object files hold
// them. The accept file and patch both read it. Entries of the lists of
// objects are handed on one by one as the parser reads them, so that the
// document never holds them all.
#ifndef ODBDIFF_REQUEST_DIFFERENCES_FILE_READ_H_
#define ODBDIFF_REQUEST_DIFFERENCES_FILE_READ_H_

#include <functional>  // std::function
#include <optional>    // std::optional
#include <string>      // std::string
#include <vector>      // std::vector

#include "inputs/object_model.h"  // SlotValue

namespace odbdiff {

// Where a difference stands: in A only, in B only, or in both (an object
// that differs, a slot whose values differ).
enum class DifferenceStatus { kOnlyInA, kOnlyInB, kBoth };

struct SlotDifference {
  std::string name;
  DifferenceStatus status = DifferenceStatus::kBoth;
  std::optional<SlotValue> a;  // set unless only in B
  std::optional<SlotValue> b;  // set unless only in A
};

// One entry of a list of objects. `slots_listed` is false for an object in
// one file only of a document of version 1, which lists no slots.
struct ObjectDifference {
  std::string name;
  DifferenceStatus status = DifferenceStatus::kBoth;
  bool slots_listed = true;
  std::vector<SlotDifference> slots;
  std::string pointer;  // its JSON pointer, to name it in messages
};

struct DifferencesFileHeading {
  int version = 2;
  std::string command;  // "compare", "compare-object" or "compare-project"
};

// Receives the entries: `file` is the project's file they belong to, empty
// for a pair's document. A project's file in one folder only is no entry.
using ObjectDifferenceTaker =
    std::function<void(const std::string& file, ObjectDifference&& entry)>;

// Reads and checks the document at `path` within the accept file's limits,
// handing every entry to `take`. `project` tells whether the reader serves
// projects: a compare-project document serves only those. Throws Failure
// "PATH: /pointer: what was expected" at the first fault.
DifferencesFileHeading ReadDifferencesFile(const std::string& path, bool project,
                                           const ObjectDifferenceTaker& take);

}  // namespace odbdiff

#endif  // ODBDIFF_REQUEST_DIFFERENCES_FILE_READ_H_
