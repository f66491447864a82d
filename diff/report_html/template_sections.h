// The nine sections of the HTML report template, held for the whole process.
#ifndef DIFF_REPORT_HTML_TEMPLATE_SECTIONS_H_
#define DIFF_REPORT_HTML_TEMPLATE_SECTIONS_H_

#include <array>    // std::array
#include <cstddef>  // std::size_t
#include <string>   // std::string

namespace diff::report_html {

enum class Section : std::size_t {
  kInitial,       // top of the template through the "_INITIAL_" line
  kProjectStart,  // "_PROJ_START_START" ... "_PROJ_START_END"
  kProjectEnd,    // "_PROJ_END_START" ... "_PROJ_END_END"
  kFileStart,     // "_FILE_START_START" ... "_FILE_START_END"
  kFileEnd,       // "_FILE_END_START" ... "_FILE_END_END"
  kObjectStart,   // "_OBJ_START_START" ... "_OBJ_START_END"
  kObjectEnd,     // "_OBJ_END_START" ... "_OBJ_END_END"
  kObjectRow,     // "_OBJ_ROW_START" ... "_OBJ_ROW_END"
  kFinal,         // the "_FINAL_" line through the end of the template
};
inline constexpr std::size_t kSectionCount = 9;

// The texts of all sections, indexed by Section.
using SectionTexts = std::array<std::string, kSectionCount>;

// The text of `section` in the template loaded last; empty before any load.
const std::string& section_text(Section section);

// Makes `texts` the process's sections, replacing every earlier text.
void replace_sections(SectionTexts&& texts);

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_TEMPLATE_SECTIONS_H_
