// What the HTML report tests share: a scratch folder, whole-file reads and
// writes, and a small template whose sections are one line each.
#ifndef DIFF_TESTS_REPORT_HTML_HTML_REPORT_FIXTURE_H_
#define DIFF_TESTS_REPORT_HTML_HTML_REPORT_FIXTURE_H_

#include <gtest/gtest.h>  // ::testing::Test, ASSERT_EQ

#include <fstream>   // std::ifstream, std::ofstream
#include <iterator>  // std::istreambuf_iterator
#include <string>    // std::string

#include "diff/options/comparison_rules.h"     // ComparisonRules
#include "diff/report_html/template_loader.h"  // load_html_template
#include "tests/support/temp_dir.h"            // TempDir

namespace diff::testing {

// The bytes of the file at `path`; "(absent)" when it cannot be read.
inline std::string read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "(absent)";
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every section on one line, its markers around a short body.
inline constexpr char kCompactTemplate[] =
    "<html>\n"
    "<!-- _INITIAL_ -->\n"
    "a line outside every section\n"
    "_PROJ_START_START project _APROJ_ vs _BPROJ_ _PROJ_START_END\n"
    "_PROJ_END_START end project _PROJ_END_END\n"
    "_FILE_START_START file _AFILE_ | _BFILE_ _FILE_START_END\n"
    "_FILE_END_START end file _FILE_END_END\n"
    "_OBJ_START_START object _OBJ_NAME_: _ATITLE_ | _BTITLE_ _OBJ_START_END\n"
    "_OBJ_END_START end object _OBJ_END_END\n"
    "_OBJ_ROW_START row _ASLOT_=_AVALUE_ | _BSLOT_=_BVALUE_ _OBJ_ROW_END\n"
    "<!-- _FINAL_ -->\n"
    "</html>\n";

// A scratch folder with the compact template in it, loaded, the path of a
// report file, and the default rules, which ignore and accept nothing.
class HtmlReportFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(template_path_, kCompactTemplate);
    ASSERT_EQ(load_html_template(template_path_.c_str()), 1);
  }

  std::string report() const { return read_file(report_path_); }

  const ComparisonRules rules_;
  TempDir dir_;
  const std::string template_path_ = dir_.file("template.html");
  const std::string report_path_ = dir_.file("report.html");
};

}  // namespace diff::testing

#endif  // DIFF_TESTS_REPORT_HTML_HTML_REPORT_FIXTURE_H_
