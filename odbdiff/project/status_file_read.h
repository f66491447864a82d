// Reading back a status file that compare-project wrote (docs/status-file.md):
// assemble-project takes a pair's status from the file it puts into the
// report, and a project report takes the status of each object from it.
#ifndef ODBDIFF_PROJECT_STATUS_FILE_READ_H_
#define ODBDIFF_PROJECT_STATUS_FILE_READ_H_

#include <functional>   // std::function
#include <string>       // std::string
#include <string_view>  // std::string_view

#include "outputs/html/report_statuses.h"  // SlotCodes

namespace odbdiff {

// One object of a status file: whether object files A and B hold it, which
// the codes alone cannot tell for an object whose slots are all on one side,
// and the codes of its slots.
struct StatusFileObject {
  std::string_view name;
  bool in_a;
  bool in_b;
  SlotCodes codes;

  bool differs() const { return !in_a || !in_b || codes.differing() != 0; }
};

// Hands every object of `status_file`, the status file of object files A and
// B, to `take` in the file's order. Throws Failure naming the status file when
// it is not an object file, cannot be read to its end, holds a code other than
// 0, 1, 3 and 4, lists an object that neither A nor B holds, or codes that do
// not match where the object is (values compared of an object of one file,
// a slot only in A of an object not in A, ...); naming A or B
// when its objects cannot be read.
void ReadStatusFile(const std::string& status_file, const std::string& file_a,
                    const std::string& file_b,
                    const std::function<void(const StatusFileObject&)>& take);

// Whether the status file of A and B shows a difference: a slot whose code is
// 0, 3 or 4, or an object that is not in both files. Reads the whole file.
bool StatusFileShowsDifference(const std::string& status_file, const std::string& file_a,
                               const std::string& file_b);

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_STATUS_FILE_READ_H_
