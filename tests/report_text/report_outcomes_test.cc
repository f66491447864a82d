// What both reports of a file comparison share: the file names heading every
// report, a fresh file on every call, and their results, outcomes and printed
// lines when they are refused or cannot write.
#include <gtest/gtest.h>  // TEST_P, EXPECT_*

#include <filesystem>  // exists, permissions, links, directory_iterator
#include <fstream>     // std::ofstream
#include <set>         // std::set, the files of the folder
#include <string>      // std::string

#include "diff/report_text/summary_report.h"         // generate_summary_report
#include "tests/report_text/crafted_object_files.h"  // the crafted object files
#include "tests/report_text/report_files.h"          // read_file, expected_report
#include "tests/report_text/report_fixture.h"        // ReportFixture
#include "tests/support/damaged_object_file.h"       // give_slot_unknown_kind

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
  std::filesystem::permissions(kReport, std::filesystem::perms(0640));
  EXPECT_EQ(run(), 1);
  EXPECT_EQ(run(), 1);  // finds the context open already
  EXPECT_EQ(code_, DIFF_OK);
  EXPECT_EQ(printed_, GetParam().announcement);
  EXPECT_EQ(read_file(kReport), expected_report(GetParam().hollow_expected));
  // The report took the place of the old file, which keeps its permissions,
  // and left nothing else behind.
  EXPECT_EQ(std::filesystem::status(kReport).permissions(), std::filesystem::perms(0640));
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    files.insert(entry.path().filename().string());
  }
  EXPECT_EQ(files, (std::set<std::string>{kFileA, kFileB, "a_diff.odb", "b_diff.odb",
                                          "combined.odb", kReport}));
}

// Calls refused or failed before the report file is made: nothing is
// printed or written.
TEST_P(ReportOutcomeTest, RefusalsAndUncreatableFilesGiveZeroAndTellWhy) {
  const struct {
    const char* path;
    bool with_context;
    int code;
    const char* message;
  } cases[] = {
      {nullptr, true, DIFF_ERROR_ARGUMENT, nullptr},
      {kReport, false, DIFF_ERROR_ARGUMENT, "no comparison to report"},
      {"no_such_folder/report.txt", true, DIFF_ERROR_WRITE,
       "no_such_folder/report.txt: No such file or directory"},
  };
  for (const auto& c : cases) {
    compare_hollow_files();
    if (!c.with_context) diff_context_terminate();
    EXPECT_EQ(run(c.path), 0);
    EXPECT_EQ(code_, c.code);
    if (c.message != nullptr) {
      EXPECT_EQ(message_, c.message);
    }
    EXPECT_EQ(printed_, "");
    EXPECT_FALSE(std::filesystem::exists(kReport));
    if (c.path == nullptr) {  // refused before any database is opened
      EXPECT_EQ(context_handle(ContextSlot::kObjectFileA)->IsOpen(), 0);
    }
  }
}

TEST_P(ReportOutcomeTest, FailedWritesFailTheReport) {
  compare_hollow_files();
  EXPECT_EQ(run("/dev/full"), 0);  // every write there fails for want of room
  EXPECT_EQ(printed_, GetParam().announcement);
  EXPECT_EQ(code_, DIFF_ERROR_WRITE);
  EXPECT_EQ(message_, "/dev/full: No space left on device");
}

// A report path that names a file of the comparison context, under any
// name, is refused and the file stays as it was.
TEST_P(ReportOutcomeTest, ReportOverAFileOfTheContextIsRefused) {
  compare_hollow_files();
  std::filesystem::create_hard_link(kFileA, "hard_link.odb");
  std::filesystem::create_symlink("combined.odb", "symlink.odb");
  const struct {
    const char* path;
    const char* message;
  } cases[] = {
      {kFileA, "a.odb: the same file as object file A a.odb; an output may not replace an input"},
      {"./b.odb", "./b.odb: the same file as object file B b.odb; an output may not replace an "
                  "input"},
      {"hard_link.odb", "hard_link.odb: the same file as object file A a.odb; an output may not "
                        "replace an input"},
      {"a_diff.odb", "a_diff.odb: the same file as the A difference database a_diff.odb; an "
                     "output may not replace an input"},
      {"b_diff.odb", "b_diff.odb: the same file as the B difference database b_diff.odb; an "
                     "output may not replace an input"},
      {"symlink.odb", "symlink.odb: the same file as the combined difference database "
                      "combined.odb; an output may not replace an input"},
  };
  for (const auto& c : cases) {
    const std::string before = read_file(c.path);
    EXPECT_EQ(run(c.path), 0);
    EXPECT_EQ(code_, DIFF_ERROR_ARGUMENT);
    EXPECT_EQ(message_, c.message);
    EXPECT_EQ(printed_, "");
    EXPECT_EQ(read_file(c.path), before) << c.path;
  }
}

// A report that cannot read what it reports fails and leaves the file it was
// to replace as it was. Both reports read the list of objects only in A.
TEST_P(ReportOutcomeTest, ReportThatCannotReadLeavesTheTargetAsItWas) {
  {
    ObjectFileWriter a(kFileA);
    a.object("only_a").text("s", "1");
  }
  { ObjectFileWriter b(kFileB); }
  compare_files();
  CStrList entries;  // the list's one entry, numbered on from earlier comparisons
  context_handle(ContextSlot::kCombinedDifferenceDb)->Open(1);
  context_handle(ContextSlot::kCombinedDifferenceDb)->GetSlots(kObjectsOnlyInA, &entries, 0);
  context_handle(ContextSlot::kCombinedDifferenceDb)->Close(0);
  ASSERT_EQ(entries.GetLength(), 1);
  const std::string entry = entries.GetTextAt(0);
  give_slot_unknown_kind("combined.odb", kObjectsOnlyInA, entry);
  std::ofstream(kReport) << "the last report\n";
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(code_, DIFF_ERROR_READ);
  EXPECT_EQ(message_, std::string("combined.odb: damaged: object \"") + kObjectsOnlyInA +
                          "\", slot \"" + entry + "\": kind 4 is unknown");
  EXPECT_EQ(read_file(kReport), "the last report\n");
}

TEST_P(ReportOutcomeTest, ReportOfAComparisonThatFailedIsRefused) {
  write_hollow_object_files(kFileA, "elsewhere.odb");  // no b.odb
  compare_files();
  EXPECT_EQ(run(), 0);
  EXPECT_EQ(code_, DIFF_ERROR_ARGUMENT);
  EXPECT_EQ(message_,
            "no finished comparison to report: the last one failed or its difference databases "
            "were deleted");
  EXPECT_FALSE(std::filesystem::exists(kReport));
}

INSTANTIATE_TEST_SUITE_P(TextReport, ReportOutcomeTest,
                         ::testing::Values(Report{text_report,
                                                  "Generating output report file.\n",
                                                  "hollow_text_report.txt"}));
INSTANTIATE_TEST_SUITE_P(SummaryReport, ReportOutcomeTest,
                         ::testing::Values(Report{generate_summary_report,
                                                  "Generating summary report.\n",
                                                  "hollow_summary_report.txt"}));

}  // namespace
}  // namespace diff::testing
