#include "diff/report_html/report_file.h"

namespace diff::report_html {

OpenFile open_file(const char* path, const char* mode) {
  if (path == nullptr) return nullptr;
  return OpenFile(std::fopen(path, mode));
}

void write_text(std::FILE* file, std::string_view text) {
  // A short write sets the stream's error flag, which close_checked reports.
  std::fwrite(text.data(), 1, text.size(), file);
}

bool close_checked(OpenFile file) {
  const bool write_failed = std::ferror(file.get()) != 0;
  const bool closed = std::fclose(file.release()) == 0;
  return closed && !write_failed;
}

}  // namespace diff::report_html
