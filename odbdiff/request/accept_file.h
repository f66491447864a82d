// The accept file (--accept FILE): a JSON of differences as --json writes it,
// or a hand-edited subset of one, whose differences the module is to accept
// (docs/json-output.md). The whole document is checked before anything is
// compared; its "rules" member is not applied.
#ifndef ODBDIFF_REQUEST_ACCEPT_FILE_H_
#define ODBDIFF_REQUEST_ACCEPT_FILE_H_

#include <string>         // std::string
#include <unordered_map>  // std::unordered_map
#include <vector>         // std::vector

#include "module/module_binding.h"  // DiffModule

namespace odbdiff {

// One difference as diff_accept_difference takes it: values in the text form
// of the object-database library.
struct AcceptedDifference {
  int kind = 0;  // DIFF_OBJECT_ONLY_IN_A ... DIFF_SLOT_VALUES_DIFFER
  std::string object;
  std::string slot;
  std::string a_value;
  std::string b_value;
};

struct AcceptedDifferences {
  // A compare-project document: each file's differences, by file name.
  bool per_file = false;
  std::vector<AcceptedDifference> everywhere;  // any other document
  std::unordered_map<std::string, std::vector<AcceptedDifference>> by_file;

  // The differences to accept when comparing the project file `file_name`
  // (or a pair of files, with an empty name).
  const std::vector<AcceptedDifference>& For(const std::string& file_name) const;
};

// Reads and checks the accept file `path`. `project` tells whether the
// command compares projects: a compare-project document serves only those.
// Throws Failure "PATH: /pointer: what was expected" at the first fault.
AcceptedDifferences ReadAcceptFile(const std::string& path, bool project);

// Forgets the module's accepted differences and accepts `differences`.
// Throws Failure with the module's message when it refuses one.
void PutAcceptedInForce(const DiffModule& module,
                        const std::vector<AcceptedDifference>& differences);

}  // namespace odbdiff

#endif  // ODBDIFF_REQUEST_ACCEPT_FILE_H_
