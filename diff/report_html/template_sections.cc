#include "diff/report_html/template_sections.h"

#include <utility>  // std::move

namespace diff::report_html {
namespace {

SectionTexts& sections() {
  static SectionTexts texts;
  return texts;
}

}  // namespace

const std::string& section_text(Section section) {
  return sections()[static_cast<std::size_t>(section)];
}

void replace_sections(SectionTexts&& texts) { sections() = std::move(texts); }

}  // namespace diff::report_html
