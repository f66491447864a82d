// The databases that the text reports read: the five of the comparison
// context left by the last object-file comparison.
#ifndef DIFF_REPORT_TEXT_REPORT_CONTEXT_H_
#define DIFF_REPORT_TEXT_REPORT_CONTEXT_H_

#include <cstdio>  // std::FILE

#include "diff/host/object_database.h"  // CvxODB

namespace diff::report_text {

struct ReportDatabases {
  CvxODB& object_file_a;
  CvxODB& object_file_b;
  CvxODB& a_differences;
  CvxODB& b_differences;
  CvxODB& combined_differences;
};

// Fails with DIFF_ERROR_ARGUMENT unless the comparison context holds a
// finished comparison to report: before any comparison, after
// DiffTerminate (no context), and after a comparison that failed or whose
// difference databases were deleted (nothing complete to report).
void require_finished_comparison();

// Fails with DIFF_ERROR_ARGUMENT when `report_path` names a file of the
// context: writing it would destroy what the report reads.
void refuse_context_file(const char* report_path);

// The context's databases, each opened unless it is open already; one that
// does not open fails with DIFF_ERROR_READ. Call after
// require_finished_comparison.
ReportDatabases open_report_databases();

// The first two lines of both reports: "A = " and the name of object file A,
// "B = " and the name of object file B.
void write_object_file_names(std::FILE* file, const ReportDatabases& databases);

}  // namespace diff::report_text

#endif  // DIFF_REPORT_TEXT_REPORT_CONTEXT_H_
