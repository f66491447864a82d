// Report files: writing a text output whole or not at all, and writing it
// line by line.
#ifndef DIFF_REPORT_TEXT_REPORT_FILE_H_
#define DIFF_REPORT_TEXT_REPORT_FILE_H_

#include <sys/types.h>  // off_t, ssize_t

#include <cstdio>       // std::FILE
#include <memory>       // std::unique_ptr
#include <string>       // std::string
#include <string_view>  // std::string_view

namespace diff::report_text {

// Closes a file when it goes. Owners whose writes matter close it
// themselves and check the result.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using ReportFile = std::unique_ptr<std::FILE, FileCloser>;

// A text output that its reader finds whole or not at all. When the target
// is a regular file or does not exist, the text goes into a new file in the
// target's folder (symlinks followed), nameless while it is written where
// the file system allows, else under a hidden name ".<name>.diff-XXXXXX");
// commit syncs it and renames it over the target, keeping the target's
// permission bits. An output that is not committed leaves the target as it
// was and nothing behind. Any other target (a terminal, a pipe, a device) is
// written directly.
class OutputFile {
 public:
  // Fails with DIFF_ERROR_WRITE, "<path>: <reason>", when the file cannot be
  // made (or `path` is null).
  explicit OutputFile(const char* path);
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  std::FILE* stream() const { return stream_; }

  // Puts the text in the target's place. Fails with DIFF_ERROR_WRITE naming
  // the path when a write, the flush, the sync, the close or the rename
  // failed; the target then stays as it was.
  void commit();

 private:
  static ssize_t write_through(void* output, const char* bytes, std::size_t size);
  [[noreturn]] void fail_with(int error) const;
  void open_new_file(int mode);
  void link_into_folder();
  void discard();

  std::string path_;       // as the caller named it
  std::string target_;     // where the text lands
  std::string folder_;     // the target's folder
  std::string temporary_;  // the hidden name, once the new file has one
  int descriptor_ = -1;
  bool direct_ = false;    // the target itself is written
  int first_error_ = 0;    // errno of the first write that failed
  off_t written_ = 0;         // bytes written so far
  off_t writeback_from_ = 0;  // the first byte not yet handed to the disk's writeback
  // The stream's buffer: stdio's own is 8 KiB, a system call for every
  // 8 KiB of a report of a hundred megabytes and more.
  std::unique_ptr<char[]> buffer_;
  std::FILE* stream_ = nullptr;
};

// Writes `text` and a newline through the stream's buffer (one system call
// per line would dominate a large report). Once the stream has failed,
// nothing more is written to it; the owner learns of it when it commits.
void write_line(std::FILE* file, std::string_view text);

}  // namespace diff::report_text

#endif  // DIFF_REPORT_TEXT_REPORT_FILE_H_
