// The databases that the text reports read: the five of the comparison
// context left by the last object-file comparison.
#ifndef DIFF_REPORT_TEXT_REPORT_CONTEXT_H_
#define DIFF_REPORT_TEXT_REPORT_CONTEXT_H_

#include <cstdio>    // std::FILE
#include <optional>  // std::optional

#include "diff/host/object_database.h"  // CvxODB

namespace diff::report_text {

struct ReportDatabases {
  CvxODB& object_file_a;
  CvxODB& object_file_b;
  CvxODB& a_differences;
  CvxODB& b_differences;
  CvxODB& combined_differences;
};

// The context's databases, each opened unless it is open already; nothing
// (and nothing opened) when any of the five context slots is empty.
std::optional<ReportDatabases> open_report_databases();

// The first two lines of both reports: "A = " and the name of object file A,
// "B = " and the name of object file B.
void write_object_file_names(std::FILE* file, const ReportDatabases& databases);

}  // namespace diff::report_text

#endif  // DIFF_REPORT_TEXT_REPORT_CONTEXT_H_
