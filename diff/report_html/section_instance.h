// Writing one instance of a template section with its placeholders filled.
#ifndef DIFF_REPORT_HTML_SECTION_INSTANCE_H_
#define DIFF_REPORT_HTML_SECTION_INSTANCE_H_

#include <cstdio>            // std::FILE
#include <initializer_list>  // std::initializer_list
#include <string_view>       // std::string_view

#include "diff/report_html/template_sections.h"  // Section

namespace diff::report_html {

// A placeholder of a section and the text that replaces it (null: empty).
struct Fill {
  std::string_view placeholder;
  const char* value;
};

// Writes the text of `section` followed by one newline, after replacing the
// first occurrence of each placeholder, in the order of `fills`, with its
// value HTML-escaped. Each placeholder is looked for in the text as the
// earlier replacements left it. A placeholder not found is skipped; later
// occurrences of one are written unchanged.
void write_section_instance(std::FILE* file, Section section, std::initializer_list<Fill> fills);

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_SECTION_INSTANCE_H_
