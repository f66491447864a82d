// Report files: opening, closing and line-by-line writing.
#ifndef DIFF_REPORT_TEXT_REPORT_FILE_H_
#define DIFF_REPORT_TEXT_REPORT_FILE_H_

#include <cstdio>       // std::FILE
#include <memory>       // std::unique_ptr
#include <string_view>  // std::string_view

namespace diff::report_text {

// Closes a report file when it goes. The reports flush every line as they
// write it, so a failed close there loses nothing unseen; a caller that
// needs the result of closing releases the file and closes it itself.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using ReportFile = std::unique_ptr<std::FILE, FileCloser>;

// Creates the file at `path`, or truncates it, for writing. Null when it
// cannot be created (or `path` is null).
ReportFile create_report_file(const char* path);

// Writes `text` and a newline and flushes. Once the stream has failed,
// nothing more is written to it: a report either holds its lines in order
// or ends where writing first failed.
void write_line(std::FILE* file, std::string_view text);

}  // namespace diff::report_text

#endif  // DIFF_REPORT_TEXT_REPORT_FILE_H_
