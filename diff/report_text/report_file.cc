#include "diff/report_text/report_file.h"

namespace diff::report_text {

ReportFile create_report_file(const char* path) {
  if (path == nullptr) return nullptr;
  return ReportFile(std::fopen(path, "w"));
}

void write_line(std::FILE* file, std::string_view text) {
  if (std::ferror(file)) return;
  // A failure here sets the stream's error flag, which stops the later lines.
  std::fwrite(text.data(), 1, text.size(), file);
  std::fputc('\n', file);
}

}  // namespace diff::report_text
