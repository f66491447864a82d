// The five fixed-width columns of the detailed text report.
#ifndef DIFF_REPORT_TEXT_REPORT_TABLE_H_
#define DIFF_REPORT_TEXT_REPORT_TABLE_H_

#include <cstdio>       // std::FILE
#include <string_view>  // std::string_view

namespace diff::report_text {

// One row. Each field is cut to its column width minus one byte and padded
// with blanks to the width (35, 25, 25, 25, 20), so a row is 130 bytes
// before its newline. A newline inside a field counts as one byte. A field
// that is valid UTF-8 is cut before a character that would not fit whole.
struct TableRow {
  std::string_view object;
  std::string_view slot;
  std::string_view a_value;
  std::string_view b_value;
  std::string_view comment;
};

// Writes the three column-header lines: dashes over each column, the column
// names, and dashes under each column with one blank after each run.
void write_table_header(std::FILE* file);

// Writes `row` and a newline and flushes.
void write_table_row(std::FILE* file, const TableRow& row);

}  // namespace diff::report_text

#endif  // DIFF_REPORT_TEXT_REPORT_TABLE_H_
