#include "diff/report_html/section_instance.h"

#include <string>  // std::string, the instance being built

#include "diff/report_html/html_escape.h"  // html_escaped
#include "diff/report_html/report_file.h"  // write_text

namespace diff::report_html {

void write_section_instance(std::FILE* file, Section section, std::initializer_list<Fill> fills) {
  std::string instance = section_text(section);
  for (const Fill& fill : fills) {
    const std::string::size_type at = instance.find(fill.placeholder);
    if (at == std::string::npos) continue;
    instance.replace(at, fill.placeholder.size(),
                     html_escaped(fill.value != nullptr ? fill.value : ""));
  }
  instance += '\n';
  write_text(file, instance);
}

}  // namespace diff::report_html
