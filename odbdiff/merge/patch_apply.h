// Applying a JSON of differences to object file A: every object and slot
// that the document does not name is taken as A holds it, and each
// difference turns A's side into B's (B's into A's in reverse). Strict: a
// difference whose side does not match what A holds is a mismatch.
#ifndef ODBDIFF_MERGE_PATCH_APPLY_H_
#define ODBDIFF_MERGE_PATCH_APPLY_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "inputs/object_model.h"  // ObjectSink

namespace odbdiff {

struct PatchSources {
  std::string a;            // object file A as read
  std::string a_shown;      // as the user named it
  std::string differences;  // the JSON of differences
  bool reverse = false;     // apply B -> A
};

// Writes the patched objects to `out` and returns the mismatches, one line
// each ("FILE: /pointer: cause"); the result is only whole when there are
// none. Throws Failure when a file cannot be read, the document is not valid,
// or `out` cannot be written.
std::vector<std::string> ApplyDifferences(const PatchSources& sources, ObjectSink& out);

}  // namespace odbdiff

#endif  // ODBDIFF_MERGE_PATCH_APPLY_H_
