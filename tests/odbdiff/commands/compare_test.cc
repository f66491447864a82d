// odbdiff compare: what it hands the module, what it prints, what it leaves.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <filesystem>  // std::filesystem::create_directory
#include <set>         // std::set
#include <string>      // std::string

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "runner/odbdiff_fixture.h"     // OdbdiffFixture
#include "runner/odbdiff_runner.h"      // ReadFile, Entries, OnTerminal, WithTmpdir, WithStdoutTo
#include "runner/sample_pair.h"         // kSampleA, kSampleB

namespace odbdiff_test {
namespace {

constexpr char kModuleLines[] =
    "\nComparing Object Files A: a.odb and B: b.odb\n"
    "Processing Object motor\n"
    "Processing Object pump\n"
    "Processing Object tank\n"
    "Processing Object valve\n";
// The counts that a compare without reports prints after the module's lines.
constexpr char kSampleStat[] =
    "objects in A: 3\nobjects in B: 3\nobjects identical: 1\nobjects differing: 1\n"
    "objects only in A: 1\nobjects only in B: 1\nslots only in A: 1\nslots only in B: 0\n"
    "slots with values that differ: 0\nvalue rule: numeric, tolerance 2 %\n";

class OdbdiffCompareTest : public OdbdiffFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", kSampleA));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", kSampleB));
  }
};

TEST_F(OdbdiffCompareTest, PrintsExactlyTheModuleLinesAndWritesBothReports) {
  const RunResult result =
      Run({"compare", "a.odb", "b.odb", "--text-report", "report.txt", "--summary", "sum.txt"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, std::string(kModuleLines) +
                            "Generating output report file.\n"
                            "Generating summary report.\n");
  EXPECT_EQ(ReadFile(Path("sum.txt")),
            "A = a.odb\n"
            "B = b.odb\n"
            "\n"
            "Objects in A but not in B:\n"
            "     tank\n"
            "\n"
            "Objects in B but not in A:\n"
            "     motor\n"
            "\n"
            "Objects identical in A and B:\n"
            "     valve\n"
            "\n"
            "Objects that differ between A and B:\n"
            "     pump\n");
  EXPECT_TRUE(ReadFile(Path("report.txt")).starts_with("A = a.odb\nB = b.odb\n\n"));
}

TEST_F(OdbdiffCompareTest, WithoutReportsPrintsTheComparisonAndItsCounts) {
  const RunResult result = Run({"compare", "a.odb", "b.odb"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, std::string(kModuleLines) + kSampleStat);
}

TEST_F(OdbdiffCompareTest, PassesThePathsAsGiven) {
  const std::string absolute_b = Path("b.odb");
  const RunResult result = Run({"compare", "./a.odb", absolute_b, "--summary", "sum.txt"});
  EXPECT_EQ(result.exit_status, 1);
  const std::string first_lines = "\nComparing Object Files A: ./a.odb and B: " + absolute_b + "\n";
  EXPECT_TRUE(result.out.starts_with(first_lines)) << result.out;
  EXPECT_TRUE(ReadFile(Path("sum.txt")).starts_with("A = ./a.odb\nB = " + absolute_b + "\n"));
}

TEST_F(OdbdiffCompareTest, ExitStatusFollowsTheComparison) {
  ASSERT_NO_FATAL_FAILURE(Import("a-again.odb", kSampleA));
  // Under the tolerant rule, within 2 % and zero texts that differ only in
  // case: the same.
  ASSERT_NO_FATAL_FAILURE(Import("near-1.odb", R"({"m": {"rpm": 1450, "mode": "off"}})"));
  ASSERT_NO_FATAL_FAILURE(Import("near-2.odb", R"({"m": {"rpm": 1470, "mode": "OFF"}})"));
  ASSERT_NO_FATAL_FAILURE(Import("far.odb", R"({"m": {"rpm": 1500, "mode": "off"}})"));
  EXPECT_EQ(Run({"compare", "a.odb", "a-again.odb"}).exit_status, 0);
  EXPECT_EQ(Run({"compare", "near-1.odb", "near-2.odb", "--value-rule", "tolerant"}).exit_status,
            0);
  EXPECT_EQ(Run({"compare", "near-1.odb", "far.odb", "--value-rule", "tolerant"}).exit_status, 1);
}

TEST_F(OdbdiffCompareTest, QuietPrintsNothingAndStillWritesTheReports) {
  const RunResult result = Run({"compare", "a.odb", "b.odb", "--summary", "sum.txt", "--quiet"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(ReadFile(Path("sum.txt")).starts_with("A = a.odb\n"));
}

// Quiet, the two reports are written side by side: the same bytes as one
// after the other.
TEST_F(OdbdiffCompareTest, QuietWritesBothReportsAsALoudRunDoes) {
  ASSERT_EQ(
      Run({"compare", "a.odb", "b.odb", "--text-report", "report.txt", "--summary", "sum.txt"})
          .exit_status,
      1);
  const RunResult quiet = Run({"compare", "a.odb", "b.odb", "--text-report", "q-report.txt",
                               "--summary", "q-sum.txt", "--quiet"});
  EXPECT_EQ(quiet.exit_status, 1);
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(ReadFile(Path("q-report.txt")), ReadFile(Path("report.txt")));
  EXPECT_EQ(ReadFile(Path("q-sum.txt")), ReadFile(Path("sum.txt")));
}

// Either report failing, loud or quiet, fails the run and leaves the other
// report unwritten.
TEST_F(OdbdiffCompareTest, AFailedReportLeavesNoReport) {
  for (const char* quiet : {"--verbose", "--quiet"}) {
    for (const bool summary_fails : {false, true}) {
      const std::string report = summary_fails ? "report.txt" : "/dev/full";
      const std::string summary = summary_fails ? "/dev/full" : "sum.txt";
      const RunResult result =
          Run({"compare", "a.odb", "b.odb", "--text-report", report, "--summary", summary, quiet});
      EXPECT_EQ(result.exit_status, 2) << quiet << summary_fails;
      EXPECT_EQ(result.err, "odbdiff: /dev/full: No space left on device\n");
      EXPECT_EQ(Entries(folder_.path()),
                (std::set<std::string>{"a.odb", "a.odb.json", "b.odb", "b.odb.json"}));
    }
  }
}

TEST_F(OdbdiffCompareTest, KeepsTheThreeDifferenceDatabasesWhenAsked) {
  std::filesystem::create_directory(Path("tmp"));
  const RunResult result = Run({"compare", "a.odb", "b.odb", "--keep-difference-dbs", "kept"},
                               WithTmpdir(Path("tmp")));
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Entries(Path("kept")), (std::set<std::string>{"a-differences.odb", "b-differences.odb",
                                                          "combined-differences.odb"}));
  for (const char* name : {"a-differences.odb", "b-differences.odb", "combined-differences.odb"}) {
    CvxODB database(0, (Path("kept") + "/" + name).c_str(), 0);
    EXPECT_NE(database.Exists(), 0) << name;
  }
  CvxODB combined(0, (Path("kept") + "/combined-differences.odb").c_str(), 0);
  ASSERT_NE(combined.Open(1), 0);
  CStrList lists;
  combined.GetObjects(&lists);
  EXPECT_GT(lists.GetLength(), 0);
  EXPECT_TRUE(Entries(Path("tmp")).empty());

  // A second run replaces them.
  EXPECT_EQ(Run({"compare", "a.odb", "b.odb", "--keep-difference-dbs", "kept"}).exit_status, 1);
  EXPECT_EQ(Entries(Path("kept")).size(), 3u);
}

TEST_F(OdbdiffCompareTest, LeavesNothingInTheTemporaryFolder) {
  std::filesystem::create_directory(Path("tmp"));
  const RunResult result = Run({"compare", "a.odb", "b.odb", "--summary", "sum.txt"},
                               WithTmpdir(Path("tmp")));
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_TRUE(Entries(Path("tmp")).empty());
}

TEST_F(OdbdiffCompareTest, FailedWriteToStandardOutputIsTrouble) {
  const RunResult result = Run({"compare", "a.odb", "b.odb"}, WithStdoutTo("/dev/full"));
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err, "odbdiff: standard output: write failed: no space left on device\n");
}

TEST_F(OdbdiffCompareTest, OnATerminalABarReplacesTheObjectLines) {
  const RunResult result = Run({"compare", "a.odb", "b.odb", "--summary", "sum.txt"},
                               OnTerminal());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out,
            "\nComparing Object Files A: a.odb and B: b.odb\nGenerating summary report.\n");
  EXPECT_TRUE(result.err.starts_with("\r[------------------------------] 0/4 objects"))
      << result.err;
  EXPECT_TRUE(result.err.ends_with("\r[##############################] 4/4 objects\n"))
      << result.err;
}

TEST_F(OdbdiffCompareTest, OnATerminalWithoutReportsTheCountsFollowTheBar) {
  const RunResult result = Run({"compare", "a.odb", "b.odb"}, OnTerminal());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out,
            std::string("\nComparing Object Files A: a.odb and B: b.odb\n") + kSampleStat);
  EXPECT_TRUE(result.err.ends_with("\r[##############################] 4/4 objects\n"))
      << result.err;
}

TEST_F(OdbdiffCompareTest, OnATerminalVerbosePrintsEveryLine) {
  const RunResult result = Run({"compare", "a.odb", "b.odb", "--verbose"}, OnTerminal());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, std::string(kModuleLines) + kSampleStat);
  EXPECT_EQ(result.err, "");
}

TEST_F(OdbdiffCompareTest, OnATerminalQuietShowsNeitherLinesNorBar) {
  const RunResult result = Run({"compare", "a.odb", "b.odb", "--quiet"}, OnTerminal());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace odbdiff_test
