// Report files: opening, closing and line-by-line writing.
#ifndef DIFF_REPORT_TEXT_REPORT_FILE_H_
#define DIFF_REPORT_TEXT_REPORT_FILE_H_

#include <cstdio>       // std::FILE
#include <memory>       // std::unique_ptr
#include <string_view>  // std::string_view

namespace diff::report_text {

// Closes a report file when it goes, writing out what stdio still buffers.
// The text and summary reports count as written whatever their writes
// answer, so they ignore the result of that close; a caller that needs it
// releases the file and closes it itself.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using ReportFile = std::unique_ptr<std::FILE, FileCloser>;

// Creates the file at `path`, or truncates it, for writing. Null when it
// cannot be created (or `path` is null).
ReportFile create_report_file(const char* path);

// Writes `text` and a newline through the stream's buffer (one system call
// per line would dominate a large report). Once the stream has failed,
// nothing more is written to it: a report either holds its lines in order
// or ends where writing first failed.
void write_line(std::FILE* file, std::string_view text);

}  // namespace diff::report_text

#endif  // DIFF_REPORT_TEXT_REPORT_FILE_H_
