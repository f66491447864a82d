// The statuses of a report's objects read back from a status file that
// odbdiff wrote (a project report's, made by a worker or a share): the slot
// codes of each of its objects, and whether the object is in file A and in
// file B, which the codes alone cannot tell for an object whose slots are all
// on one side.
#ifndef ODBDIFF_STATUS_FILE_STATUSES_H_
#define ODBDIFF_STATUS_FILE_STATUSES_H_

#include <string>  // std::string

#include "report_statuses.h"  // ReportStatuses

namespace odbdiff {

// Adds every object of `status_file`, in its order, to the current file
// section of `statuses`. Throws Failure naming the file that cannot be read,
// or the status file when it holds a code that odbdiff does not write.
void AddStatusFileObjects(const std::string& status_file, const std::string& file_a,
                          const std::string& file_b, ReportStatuses& statuses);

}  // namespace odbdiff

#endif  // ODBDIFF_STATUS_FILE_STATUSES_H_
