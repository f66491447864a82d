#include "diff/report_html/template_loader.h"

#include <cerrno>      // errno
#include <cstdio>      // std::fgets, std::ferror
#include <cstring>     // std::strerror
#include <filesystem>  // std::filesystem::absolute
#include <utility>     // std::move

#include "diff/outcome/call_outcome.h"           // record_failure, DIFF_ERROR_READ
#include "diff/report_html/report_file.h"        // open_file
#include "diff/report_html/template_sections.h"  // replace_sections
#include "diff/report_html/template_splitter.h"  // TemplateSplitter

namespace diff {
namespace {

// One read of the template: up to 511 characters and the NUL. A NUL byte in
// the template ends the text of the read it falls in.
constexpr int kLineBufferSize = 512;

std::string loaded_path;

// The path as it will still name the file after the working folder changes.
std::string absolute_path(const char* path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? std::string(path) : absolute.string();
}

void record_read_failure(const char* template_path, int error) {
  record_failure(DIFF_ERROR_READ, std::string(template_path != nullptr ? template_path : "") +
                                      ": " + std::strerror(error));
}

}  // namespace

namespace report_html {

const std::string& loaded_template_path() { return loaded_path; }

}  // namespace report_html

int load_html_template(const char* template_path) {
  if (template_path == nullptr) {
    record_failure(DIFF_ERROR_ARGUMENT, "the template path is missing");
    return 0;
  }
  report_html::OpenFile file = report_html::open_file(template_path, "r");
  if (file == nullptr) {
    record_read_failure(template_path, errno);
    return 0;
  }
  // Split into new texts first, so that a failed read leaves the sections
  // of the last template as they were.
  report_html::TemplateSplitter splitter;
  char line[kLineBufferSize];
  while (std::fgets(line, kLineBufferSize, file.get()) != nullptr) splitter.add_line(line);
  if (std::ferror(file.get()) != 0) {
    record_read_failure(template_path, errno);
    return 0;
  }
  report_html::replace_sections(std::move(splitter.sections()));
  loaded_path = absolute_path(template_path);
  return 1;
}

}  // namespace diff
