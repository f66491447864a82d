#include "diff/report_text/summary_report.h"

#include <gtest/gtest.h>  // TEST_F, EXPECT_EQ

#include "tests/report_text/crafted_object_files.h"  // the crafted object files
#include "tests/report_text/report_files.h"          // read_file, expected_report
#include "tests/report_text/report_fixture.h"        // ReportFixture

namespace diff::testing {
namespace {

using SummaryReportTest = ReportFixture;

TEST_F(SummaryReportTest, CraftedComparisonListsEveryObjectUnderItsHeading) {
  write_crafted_object_files(kFileA, kFileB);
  compare_files();
  EXPECT_EQ(run_report(generate_summary_report), 1);
  EXPECT_EQ(printed_, "Generating summary report.\n");
  EXPECT_EQ(read_file(kReport), expected_report("crafted_summary_report.txt"));
}

TEST_F(SummaryReportTest, SectionsWithoutObjectsAreLeftOut) {
  write_hollow_object_files(kFileA, kFileB);
  compare_files();
  EXPECT_EQ(run_report(generate_summary_report), 1);
  EXPECT_EQ(read_file(kReport), expected_report("hollow_summary_report.txt"));
}

TEST_F(SummaryReportTest, ListsDifferingObjectsOfTheBDifferenceDatabaseAlone) {
  // The summary reads no object file: Ghost, missing in B, is listed.
  write_records_with_object_missing_in_b();
  EXPECT_EQ(run_report(generate_summary_report), 1);
  EXPECT_EQ(printed_, "Generating summary report.\n");
  EXPECT_EQ(read_file(kReport), expected_report("missing_in_b_summary_report.txt"));
}

}  // namespace
}  // namespace diff::testing
