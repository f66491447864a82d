// The template shipped with the project splits into its sections, and each
// section carries exactly the placeholders that reports fill in it.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <fstream>  // std::ifstream, the template read line by line
#include <string>   // std::string
#include <utility>  // std::pair
#include <vector>   // std::vector

#include "diff/report_html/template_loader.h"    // diff::load_html_template
#include "diff/report_html/template_sections.h"  // section_text, Section

namespace diff::report_html {
namespace {

int occurrences(const std::string& text, const std::string& word) {
  int count = 0;
  for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++count;
  return count;
}

TEST(DefaultTemplateTest, EverySectionHoldsItsPlaceholdersOnce) {
  ASSERT_EQ(diff::load_html_template(DEFAULT_TEMPLATE_PATH), 1);
  const std::vector<std::pair<Section, std::vector<std::string>>> expected = {
      {Section::kProjectStart, {"_APROJ_ ", "_BPROJ_"}},
      {Section::kFileStart, {"_AFILE_", "_BFILE_"}},
      {Section::kObjectStart, {"_OBJ_NAME_", "_ATITLE_", "_BTITLE_"}},
      {Section::kObjectRow, {"_ASLOT_", "_AVALUE_", "_BSLOT_", "_BVALUE_"}},
  };
  for (const auto& [section, placeholders] : expected) {
    for (const std::string& placeholder : placeholders) {
      EXPECT_EQ(occurrences(section_text(section), placeholder), 1)
          << placeholder << " in section " << static_cast<int>(section);
    }
  }
  for (Section section : {Section::kInitial, Section::kProjectEnd, Section::kFileEnd,
                          Section::kObjectEnd, Section::kFinal}) {
    EXPECT_FALSE(section_text(section).empty()) << static_cast<int>(section);
  }
  EXPECT_NE(section_text(Section::kInitial).find("<!DOCTYPE html>"), std::string::npos);
  EXPECT_NE(section_text(Section::kFinal).find("</html>"), std::string::npos);
}

// Whole: no section over the 20,479 characters a section holds, and no line
// over the 511 characters of one read, so that no marker can be cut in two.
// Each section ends where the template's text says.
TEST(DefaultTemplateTest, LoadsWhole) {
  ASSERT_EQ(diff::load_html_template(DEFAULT_TEMPLATE_PATH), 1);
  const std::vector<std::pair<Section, std::string>> endings = {
      {Section::kInitial, "<!-- _INITIAL_ -->\n"},
      {Section::kProjectStart, "<!-- _PROJ_START_END -->\n"},
      {Section::kProjectEnd, "<!-- _PROJ_END_END -->\n"},
      {Section::kFileStart, "<!-- _FILE_START_END -->\n"},
      {Section::kFileEnd, "<!-- _FILE_END_END -->\n"},
      {Section::kObjectStart, "<tbody><!-- _OBJ_START_END -->\n"},
      {Section::kObjectEnd, "</div><!-- _OBJ_END_END -->\n"},
      {Section::kObjectRow, "</tr><!-- _OBJ_ROW_START _OBJ_ROW_END -->\n"},
      {Section::kFinal, "</script>\n</body>\n</html>\n"},
  };
  for (const auto& [section, ending] : endings) {
    const std::string& text = section_text(section);
    EXPECT_LE(text.size(), 20479u) << static_cast<int>(section);
    EXPECT_TRUE(text.ends_with(ending)) << static_cast<int>(section);
  }
  std::ifstream file(DEFAULT_TEMPLATE_PATH);
  int number = 0;
  for (std::string line; std::getline(file, line);) {
    ++number;
    EXPECT_LT(line.size(), 511u) << "line " << number;
  }
  EXPECT_GT(number, 0);
}

}  // namespace
}  // namespace diff::report_html
