#include "diff/report_html/section_instance.h"

#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <initializer_list>  // std::initializer_list
#include <string>            // std::string
#include <utility>           // std::move

#include "diff/report_html/html_escape.h"           // html_escaped
#include "diff/report_html/report_file.h"           // open_file, close_checked
#include "diff/report_html/template_loader.h"       // load_html_template
#include "tests/report_html/html_report_fixture.h"  // read_file, write_file
#include "tests/support/temp_dir.h"                 // TempDir

namespace diff::report_html {
namespace {

class SectionInstanceTest : public ::testing::Test {
 protected:
  // Loads a template whose object row section is `row` (a line with its
  // markers) and whose project start section is `project`.
  void use_sections(const std::string& row, const std::string& project = "") {
    testing::write_file(template_path_, "_INITIAL_\n" + row + project);
    ASSERT_EQ(load_html_template(template_path_.c_str()), 1);
  }

  // The text that one instance of `section` writes with `fills`.
  std::string instance(Section section, std::initializer_list<Fill> fills) {
    OpenFile file = open_file(output_path_.c_str(), "w");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return "";
    write_section_instance(file.get(), section, fills);
    EXPECT_TRUE(close_checked(std::move(file), output_path_.c_str()));
    return testing::read_file(output_path_);
  }

  testing::TempDir dir_;
  const std::string template_path_ = dir_.file("template.html");
  const std::string output_path_ = dir_.file("out.html");
};

TEST_F(SectionInstanceTest, ReplacesOnlyTheFirstOccurrenceOfEachPlaceholder) {
  use_sections("_OBJ_ROW_START _ASLOT_ _BSLOT_ _ASLOT_ _OBJ_ROW_END\n");
  EXPECT_EQ(instance(Section::kObjectRow, {{"_ASLOT_", "a"}, {"_BSLOT_", "b"}}),
            "_OBJ_ROW_START a b _ASLOT_ _OBJ_ROW_END\n\n");
}

TEST_F(SectionInstanceTest, EmptyOrMissingValuesRemoveThePlaceholder) {
  use_sections("_OBJ_ROW_START [_ASLOT_][_AVALUE_] _OBJ_ROW_END\n");
  EXPECT_EQ(instance(Section::kObjectRow, {{"_ASLOT_", ""}, {"_AVALUE_", nullptr}}),
            "_OBJ_ROW_START [][] _OBJ_ROW_END\n\n");
}

TEST_F(SectionInstanceTest, PlaceholderMissingFromTheSectionIsSkipped) {
  use_sections("_OBJ_ROW_START _BVALUE_ _OBJ_ROW_END\n");
  EXPECT_EQ(instance(Section::kObjectRow, {{"_ASLOT_", "a"}, {"_BVALUE_", "b"}}),
            "_OBJ_ROW_START b _OBJ_ROW_END\n\n");
}

TEST_F(SectionInstanceTest, EmptySectionWritesALoneNewline) {
  use_sections("");
  EXPECT_EQ(instance(Section::kObjectRow, {{"_ASLOT_", "a"}}), "\n");
}

TEST_F(SectionInstanceTest, ProjectPlaceholderTakesItsTrailingBlankWithIt) {
  use_sections("", "_PROJ_START_START [_APROJ_ ][_BPROJ_] _APROJ_\n_PROJ_START_END\n");
  EXPECT_EQ(instance(Section::kProjectStart, {{"_APROJ_ ", "A"}, {"_BPROJ_", "B"}}),
            "_PROJ_START_START [A][B] _APROJ_\n_PROJ_START_END\n\n");
  // At the end of a line "_APROJ_" has no blank after it and stays.
  use_sections("", "_PROJ_START_START _APROJ_\n_BPROJ_ _PROJ_START_END\n");
  EXPECT_EQ(instance(Section::kProjectStart, {{"_APROJ_ ", "A"}, {"_BPROJ_", "B"}}),
            "_PROJ_START_START _APROJ_\nB _PROJ_START_END\n\n");
}

TEST_F(SectionInstanceTest, PercentSignsAreWrittenUnchanged) {
  use_sections("_OBJ_ROW_START %s %d _ASLOT_ 100%% _OBJ_ROW_END\n");
  EXPECT_EQ(instance(Section::kObjectRow, {{"_ASLOT_", "50% %n"}}),
            "_OBJ_ROW_START %s %d 50% %n 100%% _OBJ_ROW_END\n\n");
}

TEST_F(SectionInstanceTest, ValuesAreEscapedAndTheTemplateIsNot) {
  use_sections("<tr><td title=\"_ASLOT_\">&nbsp;_AVALUE_</td></tr> _OBJ_ROW_START _OBJ_ROW_END\n");
  EXPECT_EQ(instance(Section::kObjectRow,
                     {{"_ASLOT_", "\"><script>alert('x')</script>"}, {"_AVALUE_", "a & b"}}),
            "<tr><td title=\"&quot;&gt;&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;\">"
            "&nbsp;a &amp; b</td></tr> _OBJ_ROW_START _OBJ_ROW_END\n\n");
}

TEST_F(SectionInstanceTest, ValueBeforeTheTemplatesPlaceholderCanReceiveALaterOne) {
  // Each placeholder is looked for in the text as the earlier replacements
  // left it, so "_AVALUE_" inside the slot name is the first one found.
  use_sections("_OBJ_ROW_START <_ASLOT_> <_AVALUE_> _OBJ_ROW_END\n");
  EXPECT_EQ(instance(Section::kObjectRow, {{"_ASLOT_", "<_AVALUE_>"}, {"_AVALUE_", "v"}}),
            "_OBJ_ROW_START <&lt;v&gt;> <_AVALUE_> _OBJ_ROW_END\n\n");
}

TEST_F(SectionInstanceTest, SectionsAndValuesHaveNoSizeLimit) {
  const std::string body(30000, 'r');
  const std::string value(25000, 'v');
  use_sections("_OBJ_ROW_START " + body + " _AVALUE_ _OBJ_ROW_END\n");
  EXPECT_EQ(instance(Section::kObjectRow, {{"_AVALUE_", value.c_str()}}),
            "_OBJ_ROW_START " + body + " " + value + " _OBJ_ROW_END\n\n");
}

TEST(HtmlEscapeTest, EscapesTheFiveSpecialCharactersAndKeepsEveryOtherByte) {
  EXPECT_EQ(html_escaped("&<>\"'"), "&amp;&lt;&gt;&quot;&#39;");
  EXPECT_EQ(html_escaped("&amp;"), "&amp;amp;");
  EXPECT_EQ(html_escaped(std::string("tab\tnew\nline \xC3\xA9\0end", 19)),
            std::string("tab\tnew\nline \xC3\xA9\0end", 19));
  EXPECT_EQ(html_escaped(""), "");
}

}  // namespace
}  // namespace diff::report_html
