#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <cstdio>  // EOF
#include <string>  // std::string

#include "diff/report_html/report_document.h"    // start_html_file, end_html_file
#include "diff/report_html/template_loader.h"    // load_html_template
#include "diff/report_html/template_sections.h"  // section_text, Section
#include "tests/report_html/html_report_fixture.h"  // read_file, write_file, kCompactTemplate
#include "tests/support/temp_dir.h"                 // TempDir

namespace diff {
namespace {

using report_html::Section;
using report_html::section_text;

class HtmlTemplateTest : public ::testing::Test {
 protected:
  // Loads a template of `text`; the loader's result.
  int load(const std::string& text) {
    testing::write_file(template_path_, text);
    return load_html_template(template_path_.c_str());
  }

  testing::TempDir dir_;
  const std::string template_path_ = dir_.file("template.html");
};

TEST_F(HtmlTemplateTest, SplitsEverySectionAndDropsLinesOutsideThem) {
  EXPECT_EQ(load(testing::kCompactTemplate), 1);
  EXPECT_EQ(section_text(Section::kInitial), "<html>\n<!-- _INITIAL_ -->\n");
  EXPECT_EQ(section_text(Section::kProjectStart),
            "_PROJ_START_START project _APROJ_ vs _BPROJ_ _PROJ_START_END\n");
  EXPECT_EQ(section_text(Section::kProjectEnd), "_PROJ_END_START end project _PROJ_END_END\n");
  EXPECT_EQ(section_text(Section::kFileStart),
            "_FILE_START_START file _AFILE_ | _BFILE_ _FILE_START_END\n");
  EXPECT_EQ(section_text(Section::kFileEnd), "_FILE_END_START end file _FILE_END_END\n");
  EXPECT_EQ(section_text(Section::kObjectStart),
            "_OBJ_START_START object _OBJ_NAME_: _ATITLE_ | _BTITLE_ _OBJ_START_END\n");
  EXPECT_EQ(section_text(Section::kObjectEnd), "_OBJ_END_START end object _OBJ_END_END\n");
  EXPECT_EQ(section_text(Section::kObjectRow),
            "_OBJ_ROW_START row _ASLOT_=_AVALUE_ | _BSLOT_=_BVALUE_ _OBJ_ROW_END\n");
  EXPECT_EQ(section_text(Section::kFinal), "<!-- _FINAL_ -->\n</html>\n");
}

TEST_F(HtmlTemplateTest, SectionsRunFromTheirOpeningToTheirClosingLine) {
  EXPECT_EQ(load("head _INITIAL_ here\n"
                 "between\n"
                 "<tr> _OBJ_ROW_START\n"
                 "  <td>_ASLOT_</td> _FILE_START_START _FINAL_ _OBJ_ROW_START\n"
                 "</tr> _OBJ_ROW_END\n"
                 "between _INITIAL_\n"
                 "x _OBJ_ROW_START _PROJ_END_START _OBJ_ROW_END\n"
                 "y _PROJ_END_END\n"
                 "_FINAL_\n"
                 "_OBJ_ROW_START _INITIAL_ _PROJ_START_START\n"
                 "last line without newline"),
            1);
  EXPECT_EQ(section_text(Section::kInitial), "head _INITIAL_ here\n");
  // Other markers inside a section are plain text.
  EXPECT_EQ(section_text(Section::kObjectRow),
            "<tr> _OBJ_ROW_START\n"
            "  <td>_ASLOT_</td> _FILE_START_START _FINAL_ _OBJ_ROW_START\n"
            "</tr> _OBJ_ROW_END\n");
  // Two opening markers: the one earlier in the order wins, and only its
  // own closing marker ends the section.
  EXPECT_EQ(section_text(Section::kProjectEnd),
            "x _OBJ_ROW_START _PROJ_END_START _OBJ_ROW_END\n"
            "y _PROJ_END_END\n");
  EXPECT_EQ(section_text(Section::kFinal),
            "_FINAL_\n"
            "_OBJ_ROW_START _INITIAL_ _PROJ_START_START\n"
            "last line without newline");
  EXPECT_EQ(section_text(Section::kFileStart), "");
  EXPECT_EQ(section_text(Section::kProjectStart), "");
}

TEST_F(HtmlTemplateTest, RepeatedSectionsAreAppendedInTurn) {
  EXPECT_EQ(load("_INITIAL_\n"
                 "_OBJ_ROW_START first _OBJ_ROW_END\n"
                 "_OBJ_END_START end _OBJ_END_END\n"
                 "_OBJ_ROW_START\n"
                 "second\n"
                 "_OBJ_ROW_END\n"),
            1);
  EXPECT_EQ(section_text(Section::kObjectRow),
            "_OBJ_ROW_START first _OBJ_ROW_END\n_OBJ_ROW_START\nsecond\n_OBJ_ROW_END\n");
  EXPECT_EQ(section_text(Section::kObjectEnd), "_OBJ_END_START end _OBJ_END_END\n");
}

TEST_F(HtmlTemplateTest, LongLinesAreReadIn511CharacterPieces) {
  // A 600-character line is read as its first 511 characters, then 89 with
  // the newline. A marker over the place between them counts in neither.
  const std::string row_line = "_OBJ_ROW_START" + std::string(491, 'a') + "_OBJ_ROW_END" +
                               std::string(83, 'b');  // closing marker at 505..516
  const std::string file_line = "_FILE_END_START" + std::string(496, 'c') + "_FILE_END_END" +
                                std::string(76, 'd');  // closing marker at 511..523
  const std::string end_line = "_OBJ_END_START" + std::string(484, 'e') + "_OBJ_END_END" +
                               std::string(90, 'f');  // closing marker at 498..509
  ASSERT_EQ(row_line.size(), 600u);
  ASSERT_EQ(file_line.size(), 600u);
  ASSERT_EQ(end_line.size(), 600u);
  EXPECT_EQ(load("_INITIAL_\n" + row_line + "\nrow closes _OBJ_ROW_END\n" + file_line + "\n" +
                 end_line + "\n"),
            1);
  EXPECT_EQ(section_text(Section::kObjectRow), row_line + "\nrow closes _OBJ_ROW_END\n");
  // The closing marker ends in the second piece: the section holds the whole line.
  EXPECT_EQ(section_text(Section::kFileEnd), file_line + "\n");
  // The closing marker lies in the first piece: the other 89 characters and
  // the newline fall outside every section.
  EXPECT_EQ(section_text(Section::kObjectEnd), end_line.substr(0, 511));
}

TEST_F(HtmlTemplateTest, TemplateOutsideTheFormatStillLoadsToItsEnd) {
  EXPECT_EQ(load("no marker\n_OBJ_ROW_START x _OBJ_ROW_END\n_FINAL_\n"), 1);
  EXPECT_EQ(section_text(Section::kInitial), "no marker\n_OBJ_ROW_START x _OBJ_ROW_END\n_FINAL_\n");
  EXPECT_EQ(section_text(Section::kObjectRow), "");
  EXPECT_EQ(section_text(Section::kFinal), "");

  EXPECT_EQ(load("_INITIAL_\n_OBJ_ROW_START never closed\n_FINAL_\n"), 1);
  EXPECT_EQ(section_text(Section::kObjectRow), "_OBJ_ROW_START never closed\n_FINAL_\n");
  EXPECT_EQ(section_text(Section::kFinal), "");
}

TEST_F(HtmlTemplateTest, EachLoadReplacesEverySection) {
  ASSERT_EQ(load(testing::kCompactTemplate), 1);
  EXPECT_EQ(load("only _INITIAL_\nignored\n"), 1);
  EXPECT_EQ(section_text(Section::kInitial), "only _INITIAL_\n");
  EXPECT_EQ(section_text(Section::kObjectRow), "");
  EXPECT_EQ(section_text(Section::kFinal), "");
}

TEST_F(HtmlTemplateTest, TemplateThatCannotBeReadChangesNoSection) {
  ASSERT_EQ(load(testing::kCompactTemplate), 1);
  EXPECT_EQ(load_html_template(dir_.file("missing.html").c_str()), 0);
  EXPECT_EQ(load_html_template(nullptr), 0);
  // A folder opens but cannot be read.
  EXPECT_EQ(load_html_template(dir_.path().c_str()), 0);
  EXPECT_EQ(section_text(Section::kInitial), "<html>\n<!-- _INITIAL_ -->\n");
  EXPECT_EQ(section_text(Section::kFinal), "<!-- _FINAL_ -->\n</html>\n");
}

class HtmlDocumentTest : public HtmlTemplateTest {};

TEST_F(HtmlDocumentTest, StartReplacesTheFileWithTheInitialSectionAsItStands) {
  ASSERT_EQ(load("<p>100% %s %d%%</p> _INITIAL_\n_FINAL_ 50%n done\n"), 1);
  const std::string report = dir_.file("report.html");
  testing::write_file(report, "old content that goes\n");
  EXPECT_EQ(start_html_file(report.c_str()), 0);
  EXPECT_EQ(testing::read_file(report), "<p>100% %s %d%%</p> _INITIAL_\n");
  EXPECT_EQ(end_html_file(report.c_str()), 0);
  EXPECT_EQ(testing::read_file(report),
            "<p>100% %s %d%%</p> _INITIAL_\n_FINAL_ 50%n done\n");
}

TEST_F(HtmlDocumentTest, EndCreatesAMissingFile) {
  ASSERT_EQ(load("_INITIAL_\n_FINAL_\n"), 1);
  const std::string report = dir_.file("report.html");
  EXPECT_EQ(end_html_file(report.c_str()), 0);
  EXPECT_EQ(testing::read_file(report), "_FINAL_\n");
}

TEST_F(HtmlDocumentTest, FileThatCannotBeWrittenGivesEof) {
  ASSERT_EQ(load("_INITIAL_\n_FINAL_\n"), 1);
  const std::string unreachable = dir_.file("no_such_folder/report.html");
  EXPECT_EQ(start_html_file(unreachable.c_str()), EOF);
  EXPECT_EQ(end_html_file(unreachable.c_str()), EOF);
  EXPECT_EQ(start_html_file(nullptr), EOF);
  EXPECT_EQ(end_html_file(nullptr), EOF);
  // Every write to /dev/full fails for want of room.
  EXPECT_EQ(start_html_file("/dev/full"), EOF);
  EXPECT_EQ(end_html_file("/dev/full"), EOF);
}

}  // namespace
}  // namespace diff
