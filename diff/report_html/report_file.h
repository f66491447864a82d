// Opening, writing and closing the files of the HTML reports.
#ifndef DIFF_REPORT_HTML_REPORT_FILE_H_
#define DIFF_REPORT_HTML_REPORT_FILE_H_

#include <cstdio>       // std::FILE
#include <string_view>  // std::string_view
#include <utility>      // std::move

#include "diff/report_text/report_file.h"  // ReportFile, the owning file handle

namespace diff::report_html {

// A file closed when it goes. A file whose writes matter is closed through
// close_checked instead, which tells whether they reached it.
using OpenFile = report_text::ReportFile;

// The file at `path` opened with `mode`; null when it cannot be opened or
// `path` is null.
OpenFile open_file(const char* path, const char* mode);

// The report file at `path` opened with `mode` for writing; null, with the
// failure recorded (DIFF_ERROR_WRITE, naming the file), when it cannot be
// opened.
OpenFile open_report_file(const char* path, const char* mode);

// Writes `text` as it stands.
void write_text(std::FILE* file, std::string_view text);

// Closes `file`, the report file at `path`. True when every write to it and
// the close succeeded; otherwise the failure is recorded (DIFF_ERROR_WRITE,
// naming the file).
bool close_checked(OpenFile file, const char* path);

// One phase of writing a report: opens the report file for appending, lets
// `write` write to it and closes it. False, with the failure recorded, when
// the file cannot be opened or a write or the close fails.
template <typename Write>
bool append_phase(const char* report_path, Write&& write) {
  OpenFile file = open_report_file(report_path, "a");
  if (file == nullptr) return false;
  write(file.get());
  return close_checked(std::move(file), report_path);
}

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_REPORT_FILE_H_
