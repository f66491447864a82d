// What both reports of a file comparison share: the file names heading every
// report, a fresh file on every call, and their results and printed lines
// when they cannot write.
#include <gtest/gtest.h>  // TEST_P, EXPECT_*

#include <filesystem>  // std::filesystem::exists
#include <fstream>     // std::ofstream
#include <string>      // std::string

#include "diff/report_text/summary_report.h"         // generate_summary_report
#include "diff/report_text/text_report.h"            // generate_text_report
#include "tests/report_text/crafted_object_files.h"  // the crafted object files
#include "tests/report_text/report_files.h"          // read_file, expected_report
#include "tests/report_text/report_fixture.h"        // ReportFixture

namespace diff::testing {
namespace {

struct Report {
  int (*generate)(const char*);
  const char* announcement;  // the line it prints when it writes
  const char* hollow_expected;
};

class ReportOutcomeTest : public ReportFixture, public ::testing::WithParamInterface<Report> {
 protected:
  int run(const char* path = kReport) { return run_report(GetParam().generate, path); }
  void compare_hollow_files() {
    write_hollow_object_files(kFileA, kFileB);
    compare_files();  // leaves the context closed
  }
};

TEST_P(ReportOutcomeTest, ComparisonWithoutObjectsGivesOnlyTheFileNames) {
  { ObjectFileWriter a(kFileA); }
  { ObjectFileWriter b(kFileB); }
  compare_files();
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(read_file(kReport), "A = a.odb\nB = b.odb\n");
}

TEST_P(ReportOutcomeTest, WritesTheFileAnewOnEveryCall) {
  compare_hollow_files();
  std::ofstream(kReport) << std::string(10000, '#');
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(run(), 1);  // finds the context open already
  EXPECT_EQ(printed_, GetParam().announcement);
  EXPECT_EQ(read_file(kReport), expected_report(GetParam().hollow_expected));
}

TEST_P(ReportOutcomeTest, NullPathGivesZeroBeforeOpeningAnything) {
  compare_hollow_files();
  EXPECT_EQ(run(nullptr), 0);
  EXPECT_EQ(printed_, "");
  EXPECT_EQ(context_handle(ContextSlot::kObjectFileA)->IsOpen(), 0);
}

TEST_P(ReportOutcomeTest, NoComparisonContextGivesZero) {
  diff_context_terminate();
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(printed_, "");
  EXPECT_FALSE(std::filesystem::exists(kReport));
}

TEST_P(ReportOutcomeTest, FileThatCannotBeCreatedGivesZeroAndPrintsNothing) {
  compare_hollow_files();
  EXPECT_EQ(run("no_such_folder/report.txt"), 0);
  EXPECT_EQ(printed_, "");
}

TEST_P(ReportOutcomeTest, FailedWritesStillCountAsWritten) {
  compare_hollow_files();
  EXPECT_EQ(run("/dev/full"), 1);  // every write there fails for want of room
  EXPECT_EQ(printed_, GetParam().announcement);
}

INSTANTIATE_TEST_SUITE_P(TextReport, ReportOutcomeTest,
                         ::testing::Values(Report{generate_text_report,
                                                  "Generating output report file.\n",
                                                  "hollow_text_report.txt"}));
INSTANTIATE_TEST_SUITE_P(SummaryReport, ReportOutcomeTest,
                         ::testing::Values(Report{generate_summary_report,
                                                  "Generating summary report.\n",
                                                  "hollow_summary_report.txt"}));

}  // namespace
}  // namespace diff::testing
