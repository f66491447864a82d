#include "diff/report_html/template_loader.h"

#include <cstdio>   // std::fgets, std::ferror
#include <utility>  // std::move

#include "diff/report_html/report_file.h"        // open_file
#include "diff/report_html/template_sections.h"  // replace_sections
#include "diff/report_html/template_splitter.h"  // TemplateSplitter

namespace diff {
namespace {

// One read of the template: up to 511 characters and the NUL. A NUL byte in
// the template ends the text of the read it falls in.
constexpr int kLineBufferSize = 512;

}  // namespace

int load_html_template(const char* template_path) {
  report_html::OpenFile file = report_html::open_file(template_path, "r");
  if (file == nullptr) return 0;
  // Split into new texts first, so that a failed read leaves the sections
  // of the last template as they were.
  report_html::TemplateSplitter splitter;
  char line[kLineBufferSize];
  while (std::fgets(line, kLineBufferSize, file.get()) != nullptr) splitter.add_line(line);
  if (std::ferror(file.get()) != 0) return 0;
  report_html::replace_sections(std::move(splitter.sections()));
  return 1;
}

}  // namespace diff
