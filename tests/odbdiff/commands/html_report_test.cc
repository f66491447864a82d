// odbdiff compare and compare-object with --html: the module's file and
// object reports, built from a small template and checked byte for byte.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <filesystem>  // std::filesystem::copy_file, create_directories, canonical, exists
#include <string>      // std::string

#include "runner/odbdiff_fixture.h"  // OdbdiffFixture
#include "runner/odbdiff_runner.h"   // ReadFile, WriteFile, Entries, WithTmpdir, WithExecutable
#include "runner/sample_pair.h"      // kSampleA, kSampleB
#include "runner/small_template.h"   // kSmallTemplate
#include "runner/statuses_block.h"   // kStatusesOpen, kDifferencesOpen, CountsText

namespace odbdiff_test {
namespace {

namespace fs = std::filesystem;

class OdbdiffHtmlReportTest : public OdbdiffFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", kSampleA));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", kSampleB));
    WriteFile(Path("t.html"), kSmallTemplate);
  }
};

// The counts of the sample pair, as --stat gives them.
const std::string kSampleCounts = CountsText(3, 3, 1, 1, 1, 1, 1, 0, 0);

// The differences block of the sample pair: an equal slot has no entry.
const std::string kSampleDifferences = std::string(kDifferencesOpen) +
    "{\"files\": [{\"objects\": [[\"only-in-b\", \"motor\", []], [\"differs\", \"pump\", "
    "[[\"only-in-a\", \"seal\", \"lip\", null]]], [\"only-in-a\", \"tank\", []]]}]}\n</script>\n";

// The file report of the sample pair with the default options: the objects
// that differ, in name order, with the rows of their differing slots, then
// their statuses: pump is in both files, its only difference a slot only in A.
const std::string kSampleFileReport =
    std::string(
    "<report> _INITIAL_\n"
    "<file [a.odb] [b.odb]> _FILE_START_START_FILE_START_END\n\n"
    "<object [motor] [A] [B]> _OBJ_START_START_OBJ_START_END\n\n"
    "<row []=[] [power]=[7.5 kW]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
    "</object> _OBJ_END_START_OBJ_END_END\n\n"
    "<object [pump] [A] [B]> _OBJ_START_START_OBJ_START_END\n\n"
    "<row [seal]=[lip] []=[]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
    "</object> _OBJ_END_START_OBJ_END_END\n\n"
    "<object [tank] [A] [B]> _OBJ_START_START_OBJ_START_END\n\n"
    "<row [volume]=[10 m3] []=[]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
    "</object> _OBJ_END_START_OBJ_END_END\n\n"
    "</file> _FILE_END_START_FILE_END_END\n\n") +
    kStatusesOpen + "{\"counts\": " + kSampleCounts + ", \"files\": [{\"counts\": " +
    kSampleCounts +
    ", \"objects\": [[\"only-b\", \"motor\"], [\"differs\", \"pump\"], [\"only-a\", \"tank\"]]}]}\n"
    "</script>\n" + kSampleDifferences + "</report> _FINAL_\n";

TEST_F(OdbdiffHtmlReportTest, CompareWritesTheFileReportOfThePair) {
  fs::create_directory(Path("tmp"));
  const RunResult result =
      Run({"compare", "a.odb", "b.odb", "--html", "r.html", "--template", "t.html"},
          WithTmpdir(Path("tmp")));
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(Path("r.html")), kSampleFileReport);
  EXPECT_TRUE(Entries(Path("tmp")).empty());  // the status file went with its folder
}

TEST_F(OdbdiffHtmlReportTest, ShowAllAndTitlesReachEveryBlock) {
  const RunResult result =
      Run({"compare", "a.odb", "b.odb", "--html", "r.html", "--template", "t.html",
           "--show-all", "--a-title", "Before", "--b-title", "After"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "");
  // Equal slots get rows too, A's value in both columns (12.6 is within
  // 2 % of 12.5), and the identical valve gets a block.
  EXPECT_EQ(ReadFile(Path("r.html")),
            std::string("<report> _INITIAL_\n"
            "<file [a.odb] [b.odb]> _FILE_START_START_FILE_START_END\n\n"
            "<object [motor] [Before] [After]> _OBJ_START_START_OBJ_START_END\n\n"
            "<row []=[] [power]=[7.5 kW]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "</object> _OBJ_END_START_OBJ_END_END\n\n"
            "<object [pump] [Before] [After]> _OBJ_START_START_OBJ_START_END\n\n"
            "<row [flow]=[12.5 m3/h] [flow]=[12.5 m3/h]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "<row [seal]=[lip] []=[]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "</object> _OBJ_END_START_OBJ_END_END\n\n"
            "<object [tank] [Before] [After]> _OBJ_START_START_OBJ_START_END\n\n"
            "<row [volume]=[10 m3] []=[]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "</object> _OBJ_END_START_OBJ_END_END\n\n"
            "<object [valve] [Before] [After]> _OBJ_START_START_OBJ_START_END\n\n"
            "<row [size]=[50 mm] [size]=[50 mm]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "<row [state]=[open] [state]=[open]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "</object> _OBJ_END_START_OBJ_END_END\n\n"
            "</file> _FILE_END_START_FILE_END_END\n\n") +
                kStatusesOpen + "{\"counts\": " + kSampleCounts + ", \"files\": [{\"counts\": " +
                kSampleCounts +
                ", \"objects\": [[\"only-b\", \"motor\"], [\"differs\", \"pump\"], "
                "[\"only-a\", \"tank\"], [\"same\", \"valve\"]]}]}\n"
                "</script>\n" + kSampleDifferences + "</report> _FINAL_\n");
}

TEST_F(OdbdiffHtmlReportTest, TheTextReportsRunAsBeforeAndThePathsGoAsGiven) {
  const std::string absolute_b = Path("b.odb");
  const RunResult result = Run({"compare", "./a.odb", absolute_b, "--summary", "sum.txt",
                                "--html", "r.html", "--template", "t.html"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(result.out.ends_with("Processing Object valve\nGenerating summary report.\n"))
      << result.out;
  EXPECT_TRUE(ReadFile(Path("sum.txt")).starts_with("A = ./a.odb\nB = " + absolute_b + "\n"));
  EXPECT_TRUE(ReadFile(Path("r.html"))
                  .starts_with("<report> _INITIAL_\n<file [./a.odb] [" + absolute_b + "]> "));
}

TEST_F(OdbdiffHtmlReportTest, SameFilesGiveAnEmptyFileBlockAndExitZero) {
  ASSERT_NO_FATAL_FAILURE(Import("a-again.odb", kSampleA));
  EXPECT_EQ(Run({"compare", "a.odb", "a-again.odb", "--html", "r.html", "--template", "t.html"})
                .exit_status,
            0);
  const std::string counts = CountsText(3, 3, 3, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(ReadFile(Path("r.html")),
            std::string("<report> _INITIAL_\n"
                        "<file [a.odb] [a-again.odb]> _FILE_START_START_FILE_START_END\n\n"
                        "</file> _FILE_END_START_FILE_END_END\n\n") +
                kStatusesOpen + "{\"counts\": " + counts + ", \"files\": [{\"counts\": " +
                counts + ", \"objects\": []}]}\n</script>\n" + kDifferencesOpen +
                "{\"files\": [{\"objects\": []}]}\n</script>\n</report> _FINAL_\n");
}

TEST_F(OdbdiffHtmlReportTest, NamesAndValuesAreEscapedOnce) {
  ASSERT_NO_FATAL_FAILURE(Import("x.odb", R"({"a&b": {"<k>": "1 < 2 & \"q\""}})"));
  ASSERT_NO_FATAL_FAILURE(Import("y.odb", "{}"));
  EXPECT_EQ(Run({"compare", "x.odb", "y.odb", "--html", "r.html", "--template", "t.html",
                 "--a-title", "<A>"})
                .exit_status,
            1);
  const std::string report = ReadFile(Path("r.html"));
  EXPECT_NE(report.find("<object [a&amp;b] [&lt;A&gt;] [B]>"), std::string::npos) << report;
  EXPECT_NE(report.find("<row [&lt;k&gt;]=[1 &lt; 2 &amp; &quot;q&quot;] []=[]>"),
            std::string::npos)
      << report;
}

TEST_F(OdbdiffHtmlReportTest, CompareObjectWritesTheObjectBlockAlone) {
  const RunResult result = Run({"compare-object", "a.odb", "b.odb", "pump", "--html", "r.html",
                                "--template", "t.html", "--b-title", "New"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(Path("r.html")),
            "<report> _INITIAL_\n"
            "<object [pump] [A] [New]> _OBJ_START_START_OBJ_START_END\n\n"
            "<row [seal]=[lip] []=[]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "</object> _OBJ_END_START_OBJ_END_END\n\n"
            "</report> _FINAL_\n");
}

TEST_F(OdbdiffHtmlReportTest, CompareObjectWritesTableAndReportTogether) {
  const RunResult result = Run({"compare-object", "a.odb", "b.odb", "pump", "--table", "t.txt",
                                "--html", "r.html", "--template", "t.html", "--show-all"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_TRUE(ReadFile(Path("t.txt")).ends_with("        seal                             lip"
                                                "                                            \n"));
  // The object report shows each side's own value.
  EXPECT_EQ(ReadFile(Path("r.html")),
            "<report> _INITIAL_\n"
            "<object [pump] [A] [B]> _OBJ_START_START_OBJ_START_END\n\n"
            "<row [flow]=[12.5 m3/h] [flow]=[12.6 m3/h]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "<row [seal]=[lip] []=[]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "</object> _OBJ_END_START_OBJ_END_END\n\n"
            "</report> _FINAL_\n");
}

TEST_F(OdbdiffHtmlReportTest, AReportTheModuleCannotWriteIsTrouble) {
  // /dev/full passes the checks, and every write to it fails.
  const RunResult compare = Run({"compare", "a.odb", "b.odb", "--summary", "sum.txt", "--html",
                                 "/dev/full", "--template", "t.html"});
  EXPECT_EQ(compare.exit_status, 2);
  EXPECT_EQ(compare.err, "odbdiff: /dev/full: No space left on device\n");
  // The reports reach their names together or not at all.
  EXPECT_FALSE(fs::exists(Path("sum.txt")));

  const RunResult object = Run({"compare-object", "a.odb", "b.odb", "pump", "--html",
                                "/dev/full", "--template", "t.html"});
  EXPECT_EQ(object.exit_status, 2);
  EXPECT_EQ(object.err, "odbdiff: /dev/full: No space left on device\n");
}

// The default template, looked for beside a copy of odbdiff.
class OdbdiffDefaultTemplateTest : public OdbdiffHtmlReportTest {
 protected:
  // Copies odbdiff to `folder`/`binary` and returns the copy's path.
  std::string CopyOdbdiff(const std::string& binary) {
    fs::create_directories(fs::path(Path(binary)).parent_path());
    fs::copy_file(ODBDIFF_PATH, Path(binary));
    return Path(binary);
  }

  RunResult CompareWith(const std::string& odbdiff) {
    return Run({"compare", "a.odb", "b.odb", "--html", "r.html"}, WithExecutable(odbdiff));
  }
};

TEST_F(OdbdiffDefaultTemplateTest, InstalledBesideTheExecutable) {
  const std::string odbdiff = CopyOdbdiff("prefix/bin/odbdiff");
  fs::create_directories(Path("prefix/share/odbdiff/templates"));
  WriteFile(Path("prefix/share/odbdiff/templates/report.html"), kSmallTemplate);
  // A build tree's template there too does not win over the installed one.
  fs::create_directories(Path("prefix/templates"));
  WriteFile(Path("prefix/templates/report.html"), "build tree _INITIAL_\n");
  const RunResult result = CompareWith(odbdiff);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(Path("r.html")), kSampleFileReport);
}

TEST_F(OdbdiffDefaultTemplateTest, InTheBuildTree) {
  const std::string odbdiff = CopyOdbdiff("build/odbdiff/odbdiff");
  fs::create_directories(Path("build/templates"));
  WriteFile(Path("build/templates/report.html"), kSmallTemplate);
  const RunResult result = CompareWith(odbdiff);
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(Path("r.html")), kSampleFileReport);
}

TEST_F(OdbdiffDefaultTemplateTest, MissingIsTroubleAndNothingIsWritten) {
  const std::string odbdiff = CopyOdbdiff("bin/odbdiff");
  const std::string root = fs::canonical(folder_.path()).string();
  const RunResult result = CompareWith(odbdiff);
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "odbdiff: no default HTML template: neither " + root +
                            "/share/odbdiff/templates/report.html nor " + root +
                            "/templates/report.html exists; name one with --template\n");
  EXPECT_FALSE(fs::exists(Path("r.html")));
}

}  // namespace
}  // namespace odbdiff_test
