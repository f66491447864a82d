#include "diff/report_html/report_file.h"

#include <cerrno>   // errno, EIO
#include <cstring>  // std::strerror
#include <string>   // std::string, the messages

#include "diff/outcome/call_outcome.h"  // record_failure, DIFF_ERROR_*

namespace diff::report_html {
namespace {

void record_write_failure(const char* path, int error) {
  record_failure(DIFF_ERROR_WRITE, std::string(path != nullptr ? path : "") + ": " +
                                       std::strerror(error != 0 ? error : EIO));
}

}  // namespace

OpenFile open_file(const char* path, const char* mode) {
  if (path == nullptr) return nullptr;
  return OpenFile(std::fopen(path, mode));
}

OpenFile open_report_file(const char* path, const char* mode) {
  if (path == nullptr) {
    record_failure(DIFF_ERROR_ARGUMENT, "the report path is missing");
    return nullptr;
  }
  OpenFile file = open_file(path, mode);
  if (file == nullptr) record_write_failure(path, errno);
  return file;
}

void write_text(std::FILE* file, std::string_view text) {
  // A short write sets the stream's error flag, which close_checked reports.
  std::fwrite(text.data(), 1, text.size(), file);
}

bool close_checked(OpenFile file, const char* path) {
  // The stream keeps no reason for a failed write; errno, set by the write
  // that failed, most likely still holds it (EIO stands in when it does not).
  const bool write_failed = std::ferror(file.get()) != 0;
  const int write_error = errno;
  const bool closed = std::fclose(file.release()) == 0;
  if (write_failed || !closed) record_write_failure(path, write_failed ? write_error : errno);
  return closed && !write_failed;
}

}  // namespace diff::report_html
