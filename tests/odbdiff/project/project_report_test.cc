// odbdiff compare-project: the numbered files of two folders, paired by
// number, or the files of --files, paired by name, in the module's project
// report built from a small template.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*

#include <filesystem>  // std::filesystem::create_directory
#include <string>      // std::string
#include <vector>      // std::vector

#include "runner/odbdiff_fixture.h"  // OdbdiffFixture
#include "runner/odbdiff_runner.h"   // ReadFile, WriteFile, Entries, WithTmpdir
#include "runner/small_template.h"   // kSmallTemplate
#include "runner/statuses_block.h"   // kStatusesOpen, CountsText

namespace odbdiff_test {
namespace {

namespace fs = std::filesystem;

constexpr char kPump[] = R"({"pump": {"flow": 12}})";
constexpr char kFasterPump[] = R"({"pump": {"flow": 13}})";
constexpr char kTank[] = R"({"tank": {"volume": 10}})";

class OdbdiffProjectReportTest : public OdbdiffFixture {
 protected:
  void SetUp() override {
    fs::create_directory(Path("pa"));
    fs::create_directory(Path("pb"));
    WriteFile(Path("t.html"), kSmallTemplate);
  }

  // The same file in both folders.
  void ImportBoth(const std::string& name, const std::string& json) {
    ASSERT_NO_FATAL_FAILURE(Import("pa/" + name, json));
    ASSERT_NO_FATAL_FAILURE(Import("pb/" + name, json));
  }

  RunResult CompareProject(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args{"compare-project", "pa",     "pb",     "--html",
                                  "r.html",          "--template", "t.html"};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run(args);
  }
};

TEST_F(OdbdiffProjectReportTest, PairsTheFilesByNumberInAscendingOrder) {
  ASSERT_NO_FATAL_FAILURE(ImportBoth("PROJ", kPump));
  ASSERT_NO_FATAL_FAILURE(Import("pa/PROJ12345", kTank));
  ASSERT_NO_FATAL_FAILURE(Import("pb/PROJ12345", "{}"));
  ASSERT_NO_FATAL_FAILURE(Import("pa/PROJ0007", kPump));
  ASSERT_NO_FATAL_FAILURE(Import("pb/PROJ0007", kFasterPump));
  fs::create_directory(Path("tmp"));
  const RunResult result = Run({"compare-project", "pa", "pb", "--html", "r.html", "--template",
                                "t.html"},
                               WithTmpdir(Path("tmp")));
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(Path("r.html")),
            std::string("<report> _INITIAL_\n"
            "<project [pa] [pb]> _PROJ_START_START_PROJ_START_END\n\n"
            "<file [PROJ] [PROJ]> _FILE_START_START_FILE_START_END\n\n"
            "</file> _FILE_END_START_FILE_END_END\n\n"
            "<file [PROJ0007] [PROJ0007]> _FILE_START_START_FILE_START_END\n\n"
            "<object [pump] [A] [B]> _OBJ_START_START_OBJ_START_END\n\n"
            "<row [flow]=[12] [flow]=[13]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "</object> _OBJ_END_START_OBJ_END_END\n\n"
            "</file> _FILE_END_START_FILE_END_END\n\n"
            "<file [PROJ12345] [PROJ12345]> _FILE_START_START_FILE_START_END\n\n"
            "<object [tank] [A] [B]> _OBJ_START_START_OBJ_START_END\n\n"
            "<row [volume]=[10] []=[]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "</object> _OBJ_END_START_OBJ_END_END\n\n"
            "</file> _FILE_END_START_FILE_END_END\n\n"
            "</project> _PROJ_END_START_PROJ_END_END\n\n") +
                kStatusesOpen + "{\"counts\": " + CountsText(3, 2, 1, 1, 1, 0, 0, 0, 1) +
                ", \"files\": [{\"counts\": " + CountsText(1, 1, 1, 0, 0, 0, 0, 0, 0) +
                ", \"objects\": []}, {\"counts\": " + CountsText(1, 1, 0, 1, 0, 0, 0, 0, 1) +
                ", \"objects\": [[\"differs\", \"pump\"]]}, {\"counts\": " +
                CountsText(1, 0, 0, 0, 1, 0, 0, 0, 0) +
                ", \"objects\": [[\"only-a\", \"tank\"]]}]}\n</script>\n</report> _FINAL_\n");
  EXPECT_TRUE(Entries(Path("tmp")).empty());  // the status files went with their folder
}

TEST_F(OdbdiffProjectReportTest, AFileInOneFolderOnlyIsNamedAndDiffers) {
  ASSERT_NO_FATAL_FAILURE(ImportBoth("PROJ0001", kPump));
  ASSERT_NO_FATAL_FAILURE(Import("pa/PROJ0003", kTank));
  ASSERT_NO_FATAL_FAILURE(Import("pb/PROJ0002", kTank));
  ASSERT_NO_FATAL_FAILURE(Import("pa/PROJ0010", kTank));
  const RunResult result = CompareProject();
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err,
            "odbdiff: PROJ0002: only in pb\n"
            "odbdiff: PROJ0003: only in pa\n"
            "odbdiff: PROJ0010: only in pa\n");
  // Only the file in both folders has a block, and it is the same in both;
  // the files in one folder only follow the project, before the final section.
  const std::string counts = CountsText(1, 1, 1, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(ReadFile(Path("r.html")),
            std::string("<report> _INITIAL_\n"
            "<project [pa] [pb]> _PROJ_START_START_PROJ_START_END\n\n"
            "<file [PROJ0001] [PROJ0001]> _FILE_START_START_FILE_START_END\n\n"
            "</file> _FILE_END_START_FILE_END_END\n\n"
            "</project> _PROJ_END_START_PROJ_END_END\n\n"
            "<section class=\"one-folder-only\">\n"
            "<h2>Files in one folder only</h2>\n"
            "<ul>\n"
            "<li><span class=\"file-name\">PROJ0002</span>: only in pb</li>\n"
            "<li><span class=\"file-name\">PROJ0003</span>: only in pa</li>\n"
            "<li><span class=\"file-name\">PROJ0010</span>: only in pa</li>\n"
            "</ul>\n"
            "</section>\n") +
                kStatusesOpen + "{\"counts\": " + counts + ", \"files\": [{\"counts\": " +
                counts + ", \"objects\": []}]}\n</script>\n</report> _FINAL_\n");
}

TEST_F(OdbdiffProjectReportTest, OnlyNamesThatANumberGivesBackAreProjectFiles) {
  ASSERT_NO_FATAL_FAILURE(ImportBoth("PROJ0012", kPump));
  // Each of these in one folder would be named on standard error if it counted.
  for (const char* name : {"PROJ01", "PROJ00012", "PROJ0000", "PROJ0012x", "proj0012", "PROJ-001",
                           "PROJ99999999999", "XPROJ0012", "PROJ0012.odb"}) {
    ASSERT_NO_FATAL_FAILURE(Import(std::string("pa/") + name, kTank));
  }
  fs::create_directory(Path("pb/PROJ0005"));  // a folder is no project file
  const RunResult result = CompareProject({"--show-all", "--a-title", "Old", "--b-title", "New"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err, "");
  const std::string counts = CountsText(1, 1, 1, 0, 0, 0, 0, 0, 0);
  EXPECT_EQ(ReadFile(Path("r.html")),
            std::string("<report> _INITIAL_\n"
            "<project [pa] [pb]> _PROJ_START_START_PROJ_START_END\n\n"
            "<file [PROJ0012] [PROJ0012]> _FILE_START_START_FILE_START_END\n\n"
            "<object [pump] [Old] [New]> _OBJ_START_START_OBJ_START_END\n\n"
            "<row [flow]=[12] [flow]=[12]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "</object> _OBJ_END_START_OBJ_END_END\n\n"
            "</file> _FILE_END_START_FILE_END_END\n\n"
            "</project> _PROJ_END_START_PROJ_END_END\n\n") +
                kStatusesOpen + "{\"counts\": " + counts + ", \"files\": [{\"counts\": " +
                counts +
                ", \"objects\": [[\"same\", \"pump\"]]}]}\n</script>\n</report> _FINAL_\n");
}

TEST_F(OdbdiffProjectReportTest, FoldersGoAsGivenWithASeparator) {
  ASSERT_NO_FATAL_FAILURE(ImportBoth("PROJ", kPump));
  const std::string absolute_b = Path("pb");
  const RunResult result =
      Run({"compare-project", "./pa/", absolute_b, "--html", "r.html", "--template", "t.html"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(ReadFile(Path("r.html"))
                  .starts_with("<report> _INITIAL_\n<project [./pa/] [" + absolute_b + "]> "));
}

TEST_F(OdbdiffProjectReportTest, FilesChosenByNamePairByNameInByteOrder) {
  ASSERT_NO_FATAL_FAILURE(Import("pa/area-100.odb", kPump));
  ASSERT_NO_FATAL_FAILURE(Import("pb/area-100.odb", kFasterPump));
  ASSERT_NO_FATAL_FAILURE(ImportBoth("area-20.odb", kTank));
  ASSERT_NO_FATAL_FAILURE(Import("pa/area-300.odb", kTank));
  ASSERT_NO_FATAL_FAILURE(Import("pb/area-5.odb", kTank));
  // Numbered files count no more, so these two would differ.
  ASSERT_NO_FATAL_FAILURE(Import("pa/PROJ0001", kPump));
  ASSERT_NO_FATAL_FAILURE(Import("pb/PROJ0001", kTank));
  fs::create_directory(Path("tmp"));
  const RunResult result =
      Run({"compare-project", "pa", "pb", "--files", "*.odb", "--files", "area-2?.odb", "--html",
           "r.html", "--template", "t.html"},
          WithTmpdir(Path("tmp")));
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err,
            "odbdiff: area-300.odb: only in pa\n"
            "odbdiff: area-5.odb: only in pb\n");
  EXPECT_EQ(ReadFile(Path("r.html")),
            std::string("<report> _INITIAL_\n"
            "<project [pa] [pb]> _PROJ_START_START_PROJ_START_END\n\n"
            "<file [area-100.odb] [area-100.odb]> _FILE_START_START_FILE_START_END\n\n"
            "<object [pump] [A] [B]> _OBJ_START_START_OBJ_START_END\n\n"
            "<row [flow]=[12] [flow]=[13]> _OBJ_ROW_START_OBJ_ROW_END\n\n"
            "</object> _OBJ_END_START_OBJ_END_END\n\n"
            "</file> _FILE_END_START_FILE_END_END\n\n"
            "<file [area-20.odb] [area-20.odb]> _FILE_START_START_FILE_START_END\n\n"
            "</file> _FILE_END_START_FILE_END_END\n\n"
            "</project> _PROJ_END_START_PROJ_END_END\n\n"
            "<section class=\"one-folder-only\">\n"
            "<h2>Files in one folder only</h2>\n"
            "<ul>\n"
            "<li><span class=\"file-name\">area-300.odb</span>: only in pa</li>\n"
            "<li><span class=\"file-name\">area-5.odb</span>: only in pb</li>\n"
            "</ul>\n"
            "</section>\n") +
                kStatusesOpen + "{\"counts\": " + CountsText(2, 2, 1, 1, 0, 0, 0, 0, 1) +
                ", \"files\": [{\"counts\": " + CountsText(1, 1, 0, 1, 0, 0, 0, 0, 1) +
                ", \"objects\": [[\"differs\", \"pump\"]]}, {\"counts\": " +
                CountsText(1, 1, 1, 0, 0, 0, 0, 0, 0) +
                ", \"objects\": []}]}\n</script>\n</report> _FINAL_\n");
  EXPECT_TRUE(Entries(Path("tmp")).empty());  // nor are the module's links to them left
}

TEST_F(OdbdiffProjectReportTest, FoldersWithoutProjectFilesAreTrouble) {
  WriteFile(Path("pa/area-100.odb"), "");  // a name that does not count without --files
  struct Case {
    std::vector<std::string> options;
    const char* err;
  };
  const std::vector<Case> cases{
      {{"--html", "r.html", "--template", "t.html"},
       "odbdiff: no project files in pa or in pb: project files are named PROJ, PROJ0001, "
       "PROJ0002, ... (--files GLOB chooses others)\n"},
      {{"--stat"},
       "odbdiff: no project files in pa or in pb: project files are named PROJ, PROJ0001, "
       "PROJ0002, ... (--files GLOB chooses others)\n"},
      {{"--json", "-", "--files", "*.xml", "--files", "PROJ?"},
       "odbdiff: no project files in pa or in pb: project files are those whose names match "
       "--files *.xml --files PROJ?\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.err);
    std::vector<std::string> args{"compare-project", "pa", "pb"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const RunResult result = Run(args);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.err);
    EXPECT_FALSE(fs::exists(Path("r.html")));
  }
}

TEST_F(OdbdiffProjectReportTest, AReportTheModuleCannotWriteIsTrouble) {
  ASSERT_NO_FATAL_FAILURE(Import("pa/PROJ0001", kPump));
  const RunResult result =
      Run({"compare-project", "pa", "pb", "--html", "/dev/full", "--template", "t.html"});
  EXPECT_EQ(result.exit_status, 2);
  // Trouble is the one line: the file in one folder only is not named.
  EXPECT_EQ(result.err, "odbdiff: /dev/full: No space left on device\n");
}

TEST_F(OdbdiffProjectReportTest, AProjectFileThatIsNoObjectFileIsTrouble) {
  ASSERT_NO_FATAL_FAILURE(ImportBoth("PROJ", kPump));
  ASSERT_NO_FATAL_FAILURE(Import("pa/PROJ0009", kPump));
  WriteFile(Path("pb/PROJ0009"), "notes");
  const RunResult result = CompareProject();
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err, "odbdiff: pb/PROJ0009: not an object file\n");
  EXPECT_FALSE(fs::exists(Path("r.html")));
}

}  // namespace
}  // namespace odbdiff_test
