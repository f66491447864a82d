#include "diff/report_html/project_report.h"

#include <gtest/gtest.h>  // TEST, TEST_F, EXPECT_*

#include <cstdint>  // std::int64_t
#include <string>   // std::string
#include <utility>  // std::pair
#include <vector>   // std::vector

#include "diff/report_html/project_file_names.h"    // project_file_name
#include "tests/report_html/html_report_fixture.h"  // HtmlReportFixture, read_file, write_file
#include "tests/support/list2_fixtures.h"           // List2Ptr, make_list2
#include "tests/support/object_files.h"             // write_object_file

namespace diff {
namespace {

using testing::List2Ptr;
using testing::make_list2;

// A list of empty texts whose data words are `numbers`.
List2Ptr numbers_list(const std::vector<std::int64_t>& numbers) {
  List2Ptr list(list2_create());
  for (const std::int64_t number : numbers) list2_append_to_end(list.get(), "", number);
  return list;
}

TEST(ProjectFileNameTest, NumbersArePaddedToFourCharactersAfterTheBaseName) {
  EXPECT_EQ(report_html::project_file_name("P", 0), "PPROJ");
  EXPECT_EQ(report_html::project_file_name("P", 7), "PPROJ0007");
  EXPECT_EQ(report_html::project_file_name("P", 123), "PPROJ0123");
  EXPECT_EQ(report_html::project_file_name("P", 12345), "PPROJ12345");
  EXPECT_EQ(report_html::project_file_name("P", -5), "PPROJ-005");
  EXPECT_EQ(report_html::project_file_name("", 7), "PROJ0007");
  EXPECT_EQ(report_html::project_file_name(nullptr, 7), "PROJ0007");
  // Only the low 32 bits are printed; the test for 0 takes the whole word.
  EXPECT_EQ(report_html::project_file_name("P", 0x100000007), "PPROJ0007");
  EXPECT_EQ(report_html::project_file_name("P", 0x100000000), "PPROJ0000");
  const std::string long_prefix(700, 'p');
  EXPECT_EQ(report_html::project_file_name(long_prefix.c_str(), 1), long_prefix + "PROJ0001");
}

class ProjectHtmlReportTest : public testing::HtmlReportFixture {
 protected:
  // Writes an object file whose one object "obj" has slot "s" with `value`.
  void write_file_with_value(const std::string& name, const std::string& value) {
    testing::write_object_file(dir_.file(name), {{"obj", {{"s", value}}}});
  }

  int report_project(const List2Ptr& labels, const List2Ptr& a_numbers,
                     const List2Ptr& b_numbers, const List2Ptr& status_names, int nested,
                     const std::string& template_path) {
    const std::string a_prefix = dir_.file("a_");
    const std::string b_prefix = dir_.file("b_");
    const std::string status_prefix = dir_.file("status_");
    return report_project_html(rules_, labels.get(), a_numbers.get(), b_numbers.get(),
                               status_names.get(), a_prefix.c_str(), b_prefix.c_str(),
                               "<Project A>", "Project B", "A", "B", status_prefix.c_str(),
                               report_path_.c_str(), template_path.c_str(), 0, nested);
  }
};

TEST_F(ProjectHtmlReportTest, ReportsEveryFileUnderItsBuiltNames) {
  const std::vector<std::pair<std::string, std::string>> a_files = {
      {"a_PROJ", "1"}, {"a_PROJ0007", "2"}, {"a_PROJ12345", "3"}, {"a_PROJ-005", "4"}};
  for (const auto& [name, value] : a_files) write_file_with_value(name, value);
  write_file_with_value("b_PROJ0001", "x");
  for (const char* status : {"status_0", "status_7"}) {
    testing::write_object_file(dir_.file(status), {{"obj", {{"s", "0"}}}});
  }
  testing::write_file(report_path_, "old content that goes\n");
  // The third file's status file is missing: it leaves no trace.
  // "_APROJ_ " takes the blank after it with it.
  EXPECT_EQ(report_project(make_list2({"<zero>", "seven", "gone", "minus five"}),
                           numbers_list({0, 7, 12345, -5}), numbers_list({1, 1, 1, 1}),
                           make_list2({"0", "7", "missing", "0"}), /*nested=*/0, template_path_),
            1);
  EXPECT_EQ(report(),
            "<html>\n<!-- _INITIAL_ -->\n"
            "_PROJ_START_START project &lt;Project A&gt;vs Project B _PROJ_START_END\n\n"
            "_FILE_START_START file &lt;zero&gt; | &lt;zero&gt; _FILE_START_END\n\n"
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row s=1 | s=x _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_FILE_END_START end file _FILE_END_END\n\n"
            "_FILE_START_START file seven | seven _FILE_START_END\n\n"
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row s=2 | s=x _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_FILE_END_START end file _FILE_END_END\n\n"
            "_FILE_START_START file minus five | minus five _FILE_START_END\n\n"
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row s=4 | s=x _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_FILE_END_START end file _FILE_END_END\n\n"
            "_PROJ_END_START end project _PROJ_END_END\n\n"
            "<!-- _FINAL_ -->\n</html>\n");
}

TEST_F(ProjectHtmlReportTest, EmptyProjectGivesTheProjectSectionsOnly) {
  const List2Ptr none = make_list2({});
  EXPECT_EQ(report_project(none, none, none, none, /*nested=*/0, template_path_), 1);
  EXPECT_EQ(report(),
            "<html>\n<!-- _INITIAL_ -->\n"
            "_PROJ_START_START project &lt;Project A&gt;vs Project B _PROJ_START_END\n\n"
            "_PROJ_END_START end project _PROJ_END_END\n\n"
            "<!-- _FINAL_ -->\n</html>\n");
}

TEST_F(ProjectHtmlReportTest, NestedReportReadsNoTemplate) {
  const List2Ptr none = make_list2({});
  EXPECT_EQ(report_project(none, none, none, none, /*nested=*/1, dir_.file("missing.html")), 1);
  EXPECT_EQ(report(),
            "_PROJ_START_START project &lt;Project A&gt;vs Project B _PROJ_START_END\n\n"
            "_PROJ_END_START end project _PROJ_END_END\n\n");
}

TEST_F(ProjectHtmlReportTest, ListsShorterThanTheLabelsGiveUnnumberedNames) {
  // File 0 falls back to a_PROJ, b_PROJ and the bare status prefix.
  write_file_with_value("a_PROJ", "1");
  write_file_with_value("b_PROJ", "2");
  testing::write_object_file(dir_.file("status_"), {{"obj", {{"s", "0"}}}});
  const List2Ptr none = make_list2({});
  EXPECT_EQ(report_project(make_list2({"only"}), none, none, none, /*nested=*/1, template_path_),
            1);
  EXPECT_EQ(report(),
            "_PROJ_START_START project &lt;Project A&gt;vs Project B _PROJ_START_END\n\n"
            "_FILE_START_START file only | only _FILE_START_END\n\n"
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row s=1 | s=2 _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_FILE_END_START end file _FILE_END_END\n\n"
            "_PROJ_END_START end project _PROJ_END_END\n\n");
}

TEST_F(ProjectHtmlReportTest, MissingTemplateOrUnwritableReportGivesZero) {
  testing::write_file(report_path_, "kept\n");
  const List2Ptr none = make_list2({});
  EXPECT_EQ(report_project(none, none, none, none, /*nested=*/0, dir_.file("missing.html")), 0);
  EXPECT_EQ(report(), "kept\n");
  EXPECT_EQ(report_project_html(rules_, none.get(), none.get(), none.get(), none.get(), "a", "b",
                                "A", "B", "A", "B", "s", "/dev/full", nullptr, 0, 1),
            0);
}

}  // namespace
}  // namespace diff
