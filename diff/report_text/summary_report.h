// GenSumReport: the summary report of the last object-file comparison.
#ifndef DIFF_REPORT_TEXT_SUMMARY_REPORT_H_
#define DIFF_REPORT_TEXT_SUMMARY_REPORT_H_

namespace diff {

// Writes the report to `report_path`: the names of object files A and B,
// then up to four sections (objects only in A, only in B, identical in A
// and B, differing), each an empty line, a heading, and one line per object
// of five blanks and the whole object name. Prints "Generating summary
// report.\n". Returns 1 when written. Fails as generate_text_report does.
int generate_summary_report(const char* report_path);

}  // namespace diff

#endif  // DIFF_REPORT_TEXT_SUMMARY_REPORT_H_
