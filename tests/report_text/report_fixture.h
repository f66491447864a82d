// The setting of a report test: a fresh working folder holding the object
// files and difference databases, and a comparison context over them.
#ifndef DIFF_TESTS_REPORT_TEXT_REPORT_FIXTURE_H_
#define DIFF_TESTS_REPORT_TEXT_REPORT_FIXTURE_H_

#include <gtest/gtest.h>  // ::testing::Test, CaptureStdout

#include <filesystem>  // std::filesystem::current_path
#include <string>      // std::string

#include "diff/filediff/comparison_context.h"     // diff_context_start, ..._finish_comparison
#include "diff/filediff/difference_records.h"     // diff_record_slot_only
#include "diff/filediff/objfiles_compare.h"       // compare_object_files
#include "diff/options/comparison_rules.h"        // ComparisonRules
#include "diff/outcome/call_outcome.h"            // guarded, last_outcome
#include "diff/report_text/text_report.h"         // generate_text_report
#include "tests/report_text/crafted_object_files.h"  // ObjectFileWriter
#include "tests/support/temp_dir.h"               // TempDir

namespace diff::testing {

// The detailed text report under the default rules, as a host that sets none
// asks for it.
inline int text_report(const char* report_path) {
  return generate_text_report(ComparisonRules{}, report_path);
}

// Works inside its own temporary folder, so that the databases have the short
// names "a.odb" and "b.odb" that the reports show, and ends the comparison
// context when the test ends.
class ReportFixture : public ::testing::Test {
 protected:
  static constexpr const char* kFileA = "a.odb";
  static constexpr const char* kFileB = "b.odb";
  static constexpr const char* kReport = "report.txt";

  void SetUp() override {
    previous_folder_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.path());
  }
  void TearDown() override {
    diff_context_terminate();
    std::filesystem::current_path(previous_folder_);
  }

  // Compares a.odb with b.odb, filling the difference databases, as the host
  // does before it asks for a report. The comparison's progress lines are
  // dropped; a comparison that fails leaves its outcome.
  void compare_files() {
    ::testing::internal::CaptureStdout();
    guarded(1, [] {
      return compare_object_files(ComparisonRules{}, kFileA, kFileB, "a_diff.odb", "b_diff.odb",
                                  "combined.odb", 0);
    });
    ::testing::internal::GetCapturedStdout();
  }

  // Runs `report` (text_report or generate_summary_report) on
  // `path` as its entry point does, keeping what it printed in `printed_`
  // and the outcome in `code_` and `message_`.
  int run_report(int (*report)(const char*), const char* path = kReport) {
    ::testing::internal::CaptureStdout();
    const int result = guarded(0, [&] { return report(path); });
    printed_ = ::testing::internal::GetCapturedStdout();
    const char* message = nullptr;
    code_ = last_outcome(&message);
    message_ = message;
    return result;
  }

  // Records that no comparison writes, made by hand: only the B difference
  // database holds objects, "Ghost" (which object file B lacks) and "Real";
  // the combined one holds no list object.
  void write_records_with_object_missing_in_b() {
    {
      ObjectFileWriter a(kFileA);
      a.object("Ghost").text("s", "1");
      a.object("Real").text("s", "1");
    }
    {
      ObjectFileWriter b(kFileB);
      b.object("Real").text("s", "1").text("t", "2");
    }
    diff_context_start(kFileA, kFileB, "a_diff.odb", "b_diff.odb", "combined.odb", 0);
    CvxODB& b_differences = *context_handle(ContextSlot::kBDifferenceDb);
    CvxODB& combined = *context_handle(ContextSlot::kCombinedDifferenceDb);
    diff_record_slot_only(b_differences, combined, "Ghost", "g", "1", "B");
    diff_record_slot_only(b_differences, combined, "Real", "t", "2", "B");
    diff_context_finish_comparison();
  }

  std::string printed_;
  int code_ = DIFF_OK;
  std::string message_;

 private:
  TempDir folder_;
  std::filesystem::path previous_folder_;
};

}  // namespace diff::testing

#endif  // DIFF_TESTS_REPORT_TEXT_REPORT_FIXTURE_H_
