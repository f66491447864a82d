// GenTextReport: the detailed text report of the last object-file comparison.
#ifndef DIFF_REPORT_TEXT_TEXT_REPORT_H_
#define DIFF_REPORT_TEXT_TEXT_REPORT_H_

#include "diff/options/comparison_rules.h"  // ComparisonRules

namespace diff {

// Writes the report to `report_path`, leaving out what `rules` ignore or
// accept: the names of object files A and B,
// then up to four sections (objects identical in A and B, only in A, only
// in B, differing), each a heading and a five-column table with one row per
// object or slot. Prints "Generating output report file.\n", and for a
// differing object that object file B lacks "Error: missing object %s in
// B.\n". Returns 1 when written.
//
// Fails (throws Failure) with DIFF_ERROR_ARGUMENT for a null path, without a
// finished comparison, or for a path that names a file of the comparison
// context; with DIFF_ERROR_READ when a database of the context cannot be
// opened or read; with DIFF_ERROR_WRITE when the file cannot be created or
// written in full. Nothing is printed when it fails before the file is
// made. The report is written whole or not at all (see OutputFile).
int generate_text_report(const ComparisonRules& rules, const char* report_path);

}  // namespace diff

#endif  // DIFF_REPORT_TEXT_TEXT_REPORT_H_
