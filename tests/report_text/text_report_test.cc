#include "diff/report_text/text_report.h"

#include <gtest/gtest.h>  // TEST_F, EXPECT_EQ

#include <fstream>  // std::ofstream, the report the failures leave alone
#include <string>   // std::string

#include "tests/report_text/crafted_object_files.h"  // the crafted object files
#include "tests/report_text/report_files.h"          // read_file, expected_report
#include "tests/report_text/report_fixture.h"        // ReportFixture
#include "tests/support/damaged_object_file.h"       // the damaged slots

namespace diff::testing {
namespace {

using TextReportTest = ReportFixture;

TEST_F(TextReportTest, CraftedComparisonShowsEverySectionAndRowKind) {
  write_crafted_object_files(kFileA, kFileB);
  compare_files();
  EXPECT_EQ(run_report(text_report), 1);
  EXPECT_EQ(printed_, "Generating output report file.\n");
  EXPECT_EQ(read_file(kReport), expected_report("crafted_text_report.txt"));
}

TEST_F(TextReportTest, OneSidedSectionsKeepTheirHeaderWhenNoObjectHasSlots) {
  write_hollow_object_files(kFileA, kFileB);
  compare_files();
  EXPECT_EQ(run_report(text_report), 1);
  EXPECT_EQ(read_file(kReport), expected_report("hollow_text_report.txt"));
}

TEST_F(TextReportTest, ObjectMissingInBIsReportedAndGetsNoRows) {
  write_records_with_object_missing_in_b();
  EXPECT_EQ(run_report(text_report), 1);
  EXPECT_EQ(printed_, "Generating output report file.\nError: missing object Ghost in B.\n");
  EXPECT_EQ(read_file(kReport), expected_report("missing_in_b_text_report.txt"));
}

// The differing objects are read while the identical ones are written: a
// failure there fails the report as it would in turn, and a failure among
// the identical objects, which come first, is the one reported.
TEST_F(TextReportTest, FailuresOfTheSectionsMeetTheCallerInOrder) {
  for (const bool identical_fail_too : {false, true}) {
    SCOPED_TRACE(identical_fail_too ? "both sections fail" : "the differing objects fail");
    diff_context_terminate();  // lets the last report's files go
    {
      ObjectFileWriter a(kFileA);
      a.object("differs").text("s", "1").text("t", "x");
      a.object("same").text("s", "1");
    }
    {
      ObjectFileWriter b(kFileB);
      b.object("differs").text("s", "2").text("t", "x");
      b.object("same").text("s", "1");
    }
    compare_files();
    ASSERT_NO_FATAL_FAILURE(give_slot_unknown_kind(kFileA, "differs", "t"));
    if (identical_fail_too) {
      ASSERT_NO_FATAL_FAILURE(give_slot_blob_name("combined.odb", kCommonObjects, "same"));
    }
    std::ofstream(kReport) << "the last report\n";
    EXPECT_EQ(run_report(text_report), 0);
    EXPECT_EQ(code_, DIFF_ERROR_READ);
    EXPECT_EQ(message_, identical_fail_too
                            ? std::string("combined.odb: damaged: object \"") + kCommonObjects +
                                  "\": a slot's name is a blob, not a text"
                            : "a.odb: damaged: object \"differs\", slot \"t\": kind 4 is unknown");
    EXPECT_EQ(read_file(kReport), "the last report\n");
  }
}

}  // namespace
}  // namespace diff::testing
