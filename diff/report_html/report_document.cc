#include "diff/report_html/report_document.h"

#include <cstdio>   // EOF
#include <utility>  // std::move

#include "diff/report_html/report_file.h"        // open_report_file, write_text, close_checked
#include "diff/report_html/report_path_check.h"  // refuse_report_path
#include "diff/report_html/template_loader.h"    // load_html_template
#include "diff/report_html/template_sections.h"  // section_text

namespace diff {
namespace {

// Writes `section` as it stands into the file opened with `mode`.
int write_whole_section(const char* report_path, const char* mode,
                        report_html::Section section) {
  report_html::refuse_report_path(report_path, nullptr);
  report_html::OpenFile file = report_html::open_report_file(report_path, mode);
  if (file == nullptr) return EOF;
  report_html::write_text(file.get(), report_html::section_text(section));
  return report_html::close_checked(std::move(file), report_path) ? 0 : EOF;
}

}  // namespace

int start_html_file(const char* report_path) {
  return write_whole_section(report_path, "w", report_html::Section::kInitial);
}

int end_html_file(const char* report_path) {
  return write_whole_section(report_path, "a", report_html::Section::kFinal);
}

namespace report_html {

bool begin_document(const char* template_path, const char* report_path) {
  return load_html_template(template_path) == 1 && start_html_file(report_path) == 0;
}

bool finish_document(const char* report_path) { return end_html_file(report_path) == 0; }

}  // namespace report_html
}  // namespace diff
