#include "diff/report_html/file_report.h"

#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <cstddef>     // std::size_t
#include <cstdio>      // std::snprintf, std::remove
#include <filesystem>  // create_hard_link, create_symlink
#include <string>      // std::string
#include <vector>      // std::vector

#include "diff/host/loader_library.h"               // _vx_ld_33
#include "diff/outcome/call_outcome.h"              // guarded, last_outcome
#include "diff/report_html/template_loader.h"       // load_html_template
#include "diff/report_html/template_sections.h"     // section_text
#include "tests/report_html/html_report_fixture.h"  // HtmlReportFixture, read_file, write_file
#include "tests/support/damaged_object_file.h"      // give_slot_unknown_kind
#include "tests/support/object_files.h"             // write_object_file, ObjectSpec

namespace diff {
namespace {

using testing::ObjectSpec;
using testing::write_object_file;

constexpr char kEllipsis[] = "\xE2\x80\xA6";

class FileHtmlReportTest : public testing::HtmlReportFixture {
 protected:
  // Writes the three object files.
  void write_files(const std::vector<ObjectSpec>& a, const std::vector<ObjectSpec>& b,
                   const std::vector<ObjectSpec>& status) {
    write_object_file(a_file_, a);
    write_object_file(b_file_, b);
    write_object_file(status_file_, status);
  }

  int report_file(int show_all, int nested = 1) {
    return report_file_html(rules_, a_file_.c_str(), b_file_.c_str(), status_file_.c_str(),
                            "a.odb", "b.odb", "A", "B", report_path_.c_str(),
                            template_path_.c_str(), show_all, nested);
  }

  // The report with `report_path` run as its entry point does, keeping the
  // outcome in `code_` and `message_`.
  int guarded_report_file(const std::string& report_path, int nested) {
    const int result = guarded(0, [&] {
      return report_file_html(rules_, a_file_.c_str(), b_file_.c_str(), status_file_.c_str(),
                              "a.odb", "b.odb", "A", "B", report_path.c_str(),
                              template_path_.c_str(), 0, nested);
    });
    const char* message = nullptr;
    code_ = last_outcome(&message);
    message_ = message;
    return result;
  }

  // Whether the loader holds `file` open; closes it if so.
  static bool still_open(const std::string& file) { return _vx_ld_33(file.c_str()) == 1; }

  const std::string a_file_ = dir_.file("a.odb");
  const std::string b_file_ = dir_.file("b.odb");
  const std::string status_file_ = dir_.file("status.odb");
  int code_ = DIFF_OK;
  std::string message_;
};

TEST_F(FileHtmlReportTest, SlotStatusCodesGiveTheRows) {
  write_files({{"obj", {{"s0", "a0"}, {"s1", "a1"}, {"s2", "a2"}, {"s3", "a3"}, {"sx", "ax"}}}},
              {{"obj", {{"s0", "b0"}, {"s1", "b1"}, {"s2", "b2"}, {"s4", "b4"}, {"sx", "bx"}}}},
              {{"obj", {{"sx", "none"}, {"s4", "4"}, {"s3", "3"}, {"s2", "2"}, {"s1", "1"},
                        {"s0", "0"}}}});
  EXPECT_EQ(report_file(/*show_all=*/0), 1);
  EXPECT_EQ(report_file(/*show_all=*/1), 1);
  // Slots come in name order. Code 1 shows A's value in B's column, and only
  // with show_all; "2" gives no row; a code without digits counts as 0. Slot
  // s3 is only in A and s4 only in B, so the merge writes s3 before s4.
  EXPECT_EQ(report(),
            "_FILE_START_START file a.odb | b.odb _FILE_START_END\n\n"
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row s0=a0 | s0=b0 _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row s3=a3 | = _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row = | s4=b4 _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row sx=ax | sx=bx _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_FILE_END_START end file _FILE_END_END\n\n"
            "_FILE_START_START file a.odb | b.odb _FILE_START_END\n\n"
            "_OBJ_START_START object obj: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row s0=a0 | s0=b0 _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row s1=a1 | s1=a1 _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row s3=a3 | = _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row = | s4=b4 _OBJ_ROW_END\n\n"
            "_OBJ_ROW_START row sx=ax | sx=bx _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_FILE_END_START end file _FILE_END_END\n\n");
}

TEST_F(FileHtmlReportTest, OnlyObjectsWithDifferencesAreReportedUnlessShowAll) {
  // Objects come in the status file's order. "equal" holds only codes 1 and
  // 2; "marked" holds the text "100000", which lets it pass but gives no row;
  // " 3" is code 3 but not the text "3".
  write_files({{"zeta", {{"d", "za"}}}, {"equal", {{"e", "ea"}}}, {"spaced", {{"s", "sa"}}}},
              {{"zeta", {{"d", "zb"}}}, {"equal", {{"e", "eb"}}}, {"spaced", {{"s", "sb"}}}},
              {{"zeta", {{"d", "0"}}},
               {"equal", {{"e", "1"}, {"f", "2"}}},
               {"marked", {{"m", "100000"}}},
               {"spaced", {{"s", " 3"}}}});
  EXPECT_EQ(report_file(/*show_all=*/0), 1);
  EXPECT_EQ(report(),
            "_FILE_START_START file a.odb | b.odb _FILE_START_END\n\n"
            "_OBJ_START_START object zeta: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row d=za | d=zb _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_OBJ_START_START object marked: A | B _OBJ_START_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_FILE_END_START end file _FILE_END_END\n\n");
  testing::write_file(report_path_, "");
  EXPECT_EQ(report_file(/*show_all=*/1), 1);
  EXPECT_EQ(report(),
            "_FILE_START_START file a.odb | b.odb _FILE_START_END\n\n"
            "_OBJ_START_START object zeta: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row d=za | d=zb _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_OBJ_START_START object equal: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row e=ea | e=ea _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_OBJ_START_START object marked: A | B _OBJ_START_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_OBJ_START_START object spaced: A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row s=sa | = _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_FILE_END_START end file _FILE_END_END\n\n");
}

TEST_F(FileHtmlReportTest, OutermostReportMakesTheWholeDocumentAndClosesItsFiles) {
  write_files({}, {}, {});
  testing::write_file(report_path_, "old content that goes\n");
  EXPECT_EQ(report_file(/*show_all=*/0, /*nested=*/0), 1);
  EXPECT_EQ(report(),
            "<html>\n<!-- _INITIAL_ -->\n"
            "_FILE_START_START file a.odb | b.odb _FILE_START_END\n\n"
            "_FILE_END_START end file _FILE_END_END\n\n"
            "<!-- _FINAL_ -->\n</html>\n");
  EXPECT_FALSE(still_open(a_file_));
  EXPECT_FALSE(still_open(b_file_));
  EXPECT_FALSE(still_open(status_file_));
}

TEST_F(FileHtmlReportTest, FileTheLoaderCannotOpenStopsTheReportBeforeAnything) {
  // With a different template in the sections, a report that read its
  // template would change them.
  testing::write_file(dir_.file("other.html"), "other _INITIAL_\n");
  ASSERT_EQ(load_html_template(dir_.file("other.html").c_str()), 1);
  const std::vector<std::string> files = {a_file_, b_file_, status_file_};
  for (std::size_t missing = 0; missing < files.size(); ++missing) {
    for (std::size_t k = 0; k < files.size(); ++k) {
      if (k != missing) write_object_file(files[k], {{"obj", {{"s", "0"}}}});
    }
    std::remove(files[missing].c_str());
    testing::write_file(report_path_, "kept\n");
    EXPECT_EQ(guarded_report_file(report_path_, /*nested=*/0), 0) << files[missing];
    EXPECT_EQ(code_, DIFF_ERROR_READ);
    EXPECT_EQ(message_, files[missing] + ": No such file or directory");
    EXPECT_EQ(report(), "kept\n");
    EXPECT_EQ(report_html::section_text(report_html::Section::kInitial), "other _INITIAL_\n");
    for (const std::string& file : files) EXPECT_FALSE(still_open(file)) << file;
  }
}

TEST_F(FileHtmlReportTest, SlotTheLoaderCannotReadFailsTheReportNamingTheFile) {
  // The status file's slot list and a value of B, each damaged in turn.
  const struct {
    const std::string& file;
    const char* slot;
  } damages[] = {{status_file_, "s"}, {b_file_, "s"}};
  for (const auto& damage : damages) {
    write_files({{"obj", {{"s", "a"}}}}, {{"obj", {{"s", "b"}}}}, {{"obj", {{"s", "0"}}}});
    testing::give_slot_unknown_kind(damage.file, "obj", damage.slot);
    EXPECT_EQ(guarded_report_file(report_path_, /*nested=*/1), 0) << damage.file;
    EXPECT_EQ(code_, DIFF_ERROR_READ);
    EXPECT_EQ(message_, damage.file + ": damaged: object \"obj\", slot \"s\": kind 4 is unknown");
    for (const std::string& file : {a_file_, b_file_, status_file_}) EXPECT_FALSE(still_open(file));
  }
}

TEST_F(FileHtmlReportTest, MissingTemplateClosesTheFilesAndLeavesTheReportUntouched) {
  write_files({}, {}, {});
  testing::write_file(report_path_, "kept\n");
  EXPECT_EQ(report_file_html(rules_, a_file_.c_str(), b_file_.c_str(), status_file_.c_str(), "a",
                             "b", "A", "B", report_path_.c_str(),
                             dir_.file("missing.html").c_str(), 0, 0),
            0);
  EXPECT_EQ(report(), "kept\n");
  EXPECT_FALSE(still_open(a_file_));
  EXPECT_FALSE(still_open(b_file_));
  EXPECT_FALSE(still_open(status_file_));
}

TEST_F(FileHtmlReportTest, ReportFileThatCannotBeWrittenGivesZero) {
  write_files({}, {}, {});
  EXPECT_EQ(guarded_report_file("/dev/full", /*nested=*/1), 0);
  EXPECT_EQ(code_, DIFF_ERROR_WRITE);
  EXPECT_EQ(message_, "/dev/full: No space left on device");
  EXPECT_FALSE(still_open(a_file_));
}

// A report path that names a file the report reads, under any name, is
// refused before anything is opened, and the file stays as it was.
TEST_F(FileHtmlReportTest, ReportOverAFileItReadsIsRefused) {
  write_files({{"obj", {{"s", "a"}}}}, {{"obj", {{"s", "b"}}}}, {{"obj", {{"s", "0"}}}});
  const std::string hard_link = dir_.file("hard.odb"), symlink = dir_.file("sym.odb");
  std::filesystem::create_hard_link(b_file_, hard_link);
  std::filesystem::create_symlink("status.odb", symlink);
  const std::string refused = "; an output may not replace an input";
  const struct {
    std::string path;
    int nested;
    std::string message;
  } cases[] = {
      {a_file_, 1, a_file_ + ": the same file as file A " + a_file_ + refused},
      {hard_link, 1, hard_link + ": the same file as file B " + b_file_ + refused},
      {symlink, 0, symlink + ": the same file as the status file " + status_file_ + refused},
      {template_path_, 0,
       template_path_ + ": the same file as the template " + template_path_ + refused},
      {template_path_, 1,
       template_path_ + ": the same file as the loaded template " + template_path_ + refused},
  };
  for (const auto& c : cases) {
    const std::string before = testing::read_file(c.path);
    EXPECT_EQ(guarded_report_file(c.path, c.nested), 0);
    EXPECT_EQ(code_, DIFF_ERROR_ARGUMENT);
    EXPECT_EQ(message_, c.message);
    EXPECT_EQ(testing::read_file(c.path), before);
    EXPECT_FALSE(still_open(a_file_));
  }
}

TEST_F(FileHtmlReportTest, EveryObjectOfALongObjectListIsReported) {
  // 300 names of 28 characters make a list of 8701 bytes.
  std::vector<ObjectSpec> a, status;
  std::string expected = "_FILE_START_START file a.odb | b.odb _FILE_START_END\n\n";
  for (int i = 0; i < 300; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "object-with-a-long-name-%04d", i);
    a.push_back({name, {{"only", "v"}}});
    status.push_back({name, {{"only", "3"}}});
    expected += std::string("_OBJ_START_START object ") + name + ": A | B _OBJ_START_END\n\n" +
                "_OBJ_ROW_START row only=v | = _OBJ_ROW_END\n\n" +
                "_OBJ_END_START end object _OBJ_END_END\n\n";
  }
  expected += "_FILE_END_START end file _FILE_END_END\n\n";
  write_files(a, {}, status);
  EXPECT_EQ(report_file(/*show_all=*/0), 1);
  EXPECT_EQ(report(), expected);
}

TEST_F(FileHtmlReportTest, NamesAndValuesReachTheReportWholeAndEscaped) {
  const std::string long_name(600, 'n');
  const std::string odd_name = "two\nlines\tand <tags> & 'quotes'";
  const std::string long_value(7000, 'v');
  write_files({{odd_name, {{"<s>", "a & b"}}}, {long_name, {{long_name, long_value}}}},
              {{odd_name, {{"<s>", "\"b\""}}}},
              {{odd_name, {{"<s>", "0"}}}, {long_name, {{long_name, "3"}}}});
  EXPECT_EQ(report_file(/*show_all=*/0), 1);
  EXPECT_EQ(report(),
            "_FILE_START_START file a.odb | b.odb _FILE_START_END\n\n"
            "_OBJ_START_START object two\nlines\tand &lt;tags&gt; &amp; &#39;quotes&#39;: A | B "
            "_OBJ_START_END\n\n"
            "_OBJ_ROW_START row &lt;s&gt;=a &amp; b | &lt;s&gt;=&quot;b&quot; _OBJ_ROW_END\n\n"
            "_OBJ_END_START end object _OBJ_END_END\n\n"
            "_OBJ_START_START object " + long_name + ": A | B _OBJ_START_END\n\n"
            "_OBJ_ROW_START row " + long_name + "=" + std::string(6141, 'v') + kEllipsis +
                " | = _OBJ_ROW_END\n\n"
                "_OBJ_END_START end object _OBJ_END_END\n\n"
                "_FILE_END_START end file _FILE_END_END\n\n");
}

}  // namespace
}  // namespace diff
