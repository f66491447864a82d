// Reading back a status file that compare-project wrote (docs/status-file.md),
// so that assemble-project takes a pair's status from the file it puts into
// the report, not from what a manifest says of it.
#ifndef ODBDIFF_STATUS_FILE_READ_H_
#define ODBDIFF_STATUS_FILE_READ_H_

#include <string>  // std::string

namespace odbdiff {

// Whether the status file of object files A and B shows a difference: a slot
// whose code is 0 (values differ), 3 (only in A) or 4 (only in B), or an
// object without slots that is not in both files (an object of one file
// whose slots are all ignored, or that has none). Throws Failure naming the
// status file when it is not an object file, cannot be read to its end, or
// holds a code other than 0, 1, 3 and 4; naming A or B when one that is
// needed cannot be read.
bool StatusFileShowsDifference(const std::string& status_file, const std::string& file_a,
                               const std::string& file_b);

}  // namespace odbdiff

#endif  // ODBDIFF_STATUS_FILE_READ_H_
