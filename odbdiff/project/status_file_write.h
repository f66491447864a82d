// Writing the status file of a pair of object files, the outcome of their
// comparison that the diff module's file report reads (docs/status-file.md).
#ifndef ODBDIFF_PROJECT_STATUS_FILE_WRITE_H_
#define ODBDIFF_PROJECT_STATUS_FILE_WRITE_H_

#include <string>  // std::string

#include "module/module_binding.h"    // DiffModule
#include "outputs/difference_sink.h"  // DifferenceSink
#include "outputs/html/report_statuses.h"  // ReportStatuses

namespace odbdiff {

// Makes the status file `status_file` (replacing an object file there) for
// object files A and B: every object of either file, in byte-wise order of
// the names, and in each a slot per slot name of A or B whose value is its
// code: "0" the values differ, "1" they are equal (both as the module's own
// slot comparison, diff_objects_ormo, finds), "3" only in A, "4" only in B.
// Objects that an ignore rule covers, and objects on one side only whose
// absence is accepted, are left out. Every object written is also handed to
// `sink` when one is given, and its status added to the current file section
// of `statuses` when given. Returns true when the files differ: an object or
// slot on one side only, or a value that differs. Throws Failure when a file
// cannot be read or the status file cannot be written.
bool WriteStatusFile(const DiffModule& module, const std::string& file_a,
                     const std::string& file_b, const std::string& status_file,
                     DifferenceSink* sink = nullptr, ReportStatuses* statuses = nullptr);

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_STATUS_FILE_WRITE_H_
