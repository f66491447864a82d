#include "diff/report_text/text_report.h"

#include <gtest/gtest.h>  // TEST_F, EXPECT_EQ

#include "tests/report_text/crafted_object_files.h"  // the crafted object files
#include "tests/report_text/report_files.h"          // read_file, expected_report
#include "tests/report_text/report_fixture.h"        // ReportFixture

namespace diff::testing {
namespace {

using TextReportTest = ReportFixture;

TEST_F(TextReportTest, CraftedComparisonShowsEverySectionAndRowKind) {
  write_crafted_object_files(kFileA, kFileB);
  compare_files();
  EXPECT_EQ(run_report(generate_text_report), 1);
  EXPECT_EQ(printed_, "Generating output report file.\n");
  EXPECT_EQ(read_file(kReport), expected_report("crafted_text_report.txt"));
}

TEST_F(TextReportTest, OneSidedSectionsKeepTheirHeaderWhenNoObjectHasSlots) {
  write_hollow_object_files(kFileA, kFileB);
  compare_files();
  EXPECT_EQ(run_report(generate_text_report), 1);
  EXPECT_EQ(read_file(kReport), expected_report("hollow_text_report.txt"));
}

TEST_F(TextReportTest, ObjectMissingInBIsReportedAndGetsNoRows) {
  write_records_with_object_missing_in_b();
  EXPECT_EQ(run_report(generate_text_report), 1);
  EXPECT_EQ(printed_, "Generating output report file.\nError: missing object Ghost in B.\n");
  EXPECT_EQ(read_file(kReport), expected_report("missing_in_b_text_report.txt"));
}

}  // namespace
}  // namespace diff::testing
