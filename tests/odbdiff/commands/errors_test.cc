// Bad arguments: each gives one line on standard error naming the file and
// the reason, exit status 2, and leaves the folder as it was.
#include <gtest/gtest.h>  // TEST_P, TEST_F, EXPECT_*
#include <sys/stat.h>     // chmod
#include <unistd.h>       // geteuid

#include <cstdint>     // std::uintmax_t
#include <filesystem>  // std::filesystem::create_directory, resize_file
#include <ostream>     // std::ostream for PrintTo
#include <set>         // std::set
#include <string>      // std::string
#include <vector>      // std::vector

#include "runner/odbdiff_fixture.h"  // OdbdiffFixture
#include "runner/odbdiff_runner.h"   // WriteFile, Entries, WithStdoutTo
#include "runner/sample_pair.h"      // kSampleA, kSampleB
#include "runner/small_template.h"   // kSmallTemplate

namespace odbdiff_test {
namespace {

// The folder each case starts from: a.odb and b.odb (with their JSON forms),
// a text file, an HTML template, a project file (not read by any case), an
// empty folder, and links: hard links to a.odb, to its JSON form and to the
// text file, a symbolic link to b.odb, a dangling one, and a folder holding a
// hard link to a.odb under a difference database's name.
class OdbdiffErrorsFixture : public OdbdiffFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", kSampleA));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", kSampleB));
    WriteFile(Path("notes.txt"), "not an object file");
    WriteFile(Path("t.html"), kSmallTemplate);
    WriteFile(Path("PROJ0002"), "a project file");
    std::filesystem::create_directory(Path("dir"));
    std::filesystem::create_directory(Path("kept"));
    std::filesystem::create_hard_link(Path("a.odb"), Path("hard.odb"));
    std::filesystem::create_hard_link(Path("a.odb.json"), Path("hard.json"));
    std::filesystem::create_hard_link(Path("notes.txt"), Path("hard.txt"));
    std::filesystem::create_hard_link(Path("a.odb"), Path("kept/combined-differences.odb"));
    std::filesystem::create_symlink("b.odb", Path("soft.odb"));
    std::filesystem::create_symlink("nowhere.txt", Path("dangling.txt"));
  }

  // Runs odbdiff and checks that it failed with exactly `message`, wrote
  // nothing, and left every input as it was.
  void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
    const std::set<std::string> before = Entries(folder_.path());
    const std::string a_before = ReadFile(Path("a.odb"));
    const std::string b_before = ReadFile(Path("b.odb"));
    const std::string json_before = ReadFile(Path("a.odb.json"));
    const RunResult result = Run(args);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "odbdiff: " + message + "\n");
    EXPECT_EQ(Entries(folder_.path()), before);
    EXPECT_TRUE(Entries(Path("dir")).empty());
    EXPECT_EQ(Entries(Path("kept")), std::set<std::string>{"combined-differences.odb"});
    EXPECT_EQ(ReadFile(Path("a.odb")), a_before);
    EXPECT_EQ(ReadFile(Path("b.odb")), b_before);
    EXPECT_EQ(ReadFile(Path("a.odb.json")), json_before);
  }
};

struct BadArguments {
  std::vector<std::string> args;
  std::string message;
};

void PrintTo(const BadArguments& bad, std::ostream* out) {
  for (const std::string& arg : bad.args) *out << arg << ' ';
}

class OdbdiffErrorsTest : public OdbdiffErrorsFixture,
                          public ::testing::WithParamInterface<BadArguments> {};

TEST_P(OdbdiffErrorsTest, OneLineExitTwoNothingWritten) {
  ExpectRefused(GetParam().args, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, OdbdiffErrorsTest,
    ::testing::Values(
        BadArguments{{"compare", "missing.odb", "b.odb"}, "missing.odb: no such file"},
        BadArguments{{"compare", "a.odb", "notes.txt"}, "notes.txt: not an object file"},
        BadArguments{{"compare", "dir", "b.odb"}, "dir: is a folder"},
        BadArguments{{"compare", "a.odb", "b.odb/x"}, "b.odb/x: not a directory"},
        BadArguments{{"compare-object", "a.odb", "missing.odb", "pump", "--table", "t.txt"},
                     "missing.odb: no such file"},
        BadArguments{{"export", "notes.txt"}, "notes.txt: not an object file"},
        BadArguments{{"export", "missing.odb"}, "missing.odb: no such file"},
        BadArguments{{"import", "missing.json", "out.odb"}, "missing.json: no such file"},
        BadArguments{{"compare", "a.odb", "b.odb", "--html", "r.html", "--template", "no.html"},
                     "no.html: no such file"},
        BadArguments{{"compare-object", "a.odb", "b.odb", "pump", "--html", "r.html",
                      "--template", "dir"},
                     "dir: is a folder"},
        BadArguments{{"compare-project", "nowhere", "dir", "--html", "r.html", "--template",
                      "t.html"},
                     "nowhere: no such folder"},
        BadArguments{{"compare-project", "dir", "notes.txt", "--html", "r.html", "--template",
                      "t.html"},
                     "notes.txt: is not a folder"},
        BadArguments{{"compare-project", ".", "dir", "--html", "r.html", "--template",
                      "missing.html"},
                     "missing.html: no such file"}));

INSTANTIATE_TEST_SUITE_P(
    Outputs, OdbdiffErrorsTest,
    ::testing::Values(
        BadArguments{{"compare", "a.odb", "b.odb", "--text-report", "nowhere/r.txt"},
                     "nowhere/r.txt: no such folder: nowhere"},
        BadArguments{{"compare", "a.odb", "b.odb", "--summary", "dir"}, "dir: is a folder"},
        BadArguments{{"compare", "a.odb", "b.odb", "--summary", "notes.txt/s.txt"},
                     "notes.txt/s.txt: notes.txt is not a folder"},
        BadArguments{{"compare", "a.odb", "b.odb", "--summary", "a.odb"},
                     "a.odb: is also an input"},
        BadArguments{
            {"compare", "a.odb", "b.odb", "--text-report", "r.txt", "--summary", "./r.txt"},
            "./r.txt: is named twice as an output"},
        BadArguments{{"compare", "a.odb", "b.odb", "--keep-difference-dbs", "notes.txt"},
                     "notes.txt: is not a folder"},
        BadArguments{{"compare", "a.odb", "b.odb", "--keep-difference-dbs", "nowhere/kept"},
                     "nowhere/kept: no such folder: nowhere"},
        BadArguments{{"compare-object", "a.odb", "b.odb", "pump", "--table", "dir"},
                     "dir: is a folder"},
        BadArguments{{"compare-object", "a.odb", "b.odb", "pump", "--table", "b.odb"},
                     "b.odb: is also an input"},
        BadArguments{{"import", "a.odb.json", "nowhere/out.odb"},
                     "nowhere/out.odb: no such folder: nowhere"},
        BadArguments{{"import", "a.odb.json", "dir"}, "dir: is a folder"},
        BadArguments{{"import", "a.odb.json", "a.odb.json"}, "a.odb.json: is also an input"},
        BadArguments{{"compare", "a.odb", "b.odb", "--html", "nowhere/r.html", "--template",
                      "t.html"},
                     "nowhere/r.html: no such folder: nowhere"},
        BadArguments{{"compare", "a.odb", "b.odb", "--html", "t.html", "--template", "t.html"},
                     "t.html: is also an input"},
        BadArguments{{"compare", "a.odb", "b.odb", "--summary", "r.html", "--html", "r.html",
                      "--template", "t.html"},
                     "r.html: is named twice as an output"},
        BadArguments{{"compare-object", "a.odb", "b.odb", "pump", "--html", "dir", "--template",
                      "t.html"},
                     "dir: is a folder"},
        BadArguments{{"compare-project", ".", "dir", "--html", "./PROJ0002", "--template",
                      "t.html"},
                     "./PROJ0002: is also an input"},
        BadArguments{{"compare-project", ".", "dir", "--html", "notes.txt/r.html",
                      "--template", "t.html"},
                     "notes.txt/r.html: notes.txt is not a folder"}));

// Outputs that are inputs or each other under another name: hard and
// symbolic links; and dangling symbolic links, found before anything runs.
INSTANTIATE_TEST_SUITE_P(
    Links, OdbdiffErrorsTest,
    ::testing::Values(
        BadArguments{{"compare", "a.odb", "b.odb", "--text-report", "hard.odb"},
                     "hard.odb: is also an input"},
        BadArguments{{"compare", "a.odb", "b.odb", "--summary", "soft.odb"},
                     "soft.odb: is also an input"},
        BadArguments{{"compare", "a.odb", "b.odb", "--html", "hard.odb", "--template", "t.html"},
                     "hard.odb: is also an input"},
        BadArguments{{"compare", "a.odb", "b.odb", "--keep-difference-dbs", "kept"},
                     "kept/combined-differences.odb: is also an input"},
        BadArguments{{"compare-object", "a.odb", "b.odb", "pump", "--table", "hard.odb"},
                     "hard.odb: is also an input"},
        BadArguments{{"compare-project", ".", "dir", "--html", "hard.txt", "--template",
                      "notes.txt"},
                     "hard.txt: is also an input"},
        BadArguments{{"import", "a.odb.json", "hard.json"}, "hard.json: is also an input"},
        BadArguments{{"export", "a.odb", "-o", "hard.odb"}, "hard.odb: is also an input"},
        BadArguments{{"compare", "a.odb", "b.odb", "--text-report", "notes.txt", "--summary",
                      "hard.txt"},
                     "hard.txt: is named twice as an output"},
        BadArguments{{"compare", "a.odb", "b.odb", "--summary", "dangling.txt"},
                     "dangling.txt: is a dangling symbolic link"},
        BadArguments{{"compare-object", "a.odb", "b.odb", "pump", "--html", "dangling.txt",
                      "--template", "t.html"},
                     "dangling.txt: is a dangling symbolic link"},
        BadArguments{{"export", "a.odb", "-o", "dangling.txt"},
                     "dangling.txt: is a dangling symbolic link"},
        BadArguments{{"compare", "a.odb", "b.odb", "--keep-difference-dbs", "dangling.txt"},
                     "dangling.txt: is a dangling symbolic link"}));

// Devices that never end or hold nothing, refused before anything is read
// or copied.
INSTANTIATE_TEST_SUITE_P(
    Devices, OdbdiffErrorsTest,
    ::testing::Values(
        BadArguments{{"compare", "/dev/zero", "b.odb"}, "/dev/zero: is a character device, not a file"},
        BadArguments{{"show", "a.odb", "/dev/urandom"},
                     "/dev/urandom: is a character device, not a file"},
        BadArguments{{"compare", "a.odb", "b.odb", "--rules", "/dev/zero"},
                     "/dev/zero: is a character device, not a file"},
        BadArguments{{"compare-object", "a.odb", "b.odb", "pump", "--stat", "--accept", "/dev/zero"},
                     "/dev/zero: is a character device, not a file"},
        BadArguments{{"import", "/dev/zero", "out.odb"}, "/dev/zero: is a character device, not a file"},
        BadArguments{{"import", "/dev/null", "out.odb"}, "/dev/null: is a character device, not a file"}));

using OdbdiffErrorsExtraTest = OdbdiffErrorsFixture;

// A document beyond its limit is refused by its size, unread: the files are
// sparse, so that they take no room.
TEST_F(OdbdiffErrorsExtraTest, DocumentsBeyondTheirLimitAreRefusedUnread) {
  WriteFile(Path("big-rules.json"), "{}");
  std::filesystem::resize_file(Path("big-rules.json"), (std::uintmax_t{16} << 20) + 1);
  WriteFile(Path("big-accept.json"), "{}");
  std::filesystem::resize_file(Path("big-accept.json"), (std::uintmax_t{512} << 20) + 1);
  ExpectRefused({"compare", "a.odb", "b.odb", "--rules", "big-rules.json"},
                "big-rules.json: larger than 16 MiB, the most a rules file may hold");
  ExpectRefused({"compare", "a.odb", "b.odb", "--accept", "big-accept.json"},
                "big-accept.json: larger than 512 MiB, the most an accept file may hold");
}

TEST_F(OdbdiffErrorsExtraTest, KeptFolderHoldingAnotherFileUnderADatabaseName) {
  WriteFile(Path("dir/b-differences.odb"), "someone's notes");
  const RunResult result = Run({"compare", "a.odb", "b.odb", "--keep-difference-dbs", "dir"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err,
            "odbdiff: dir/b-differences.odb: exists and is not an object file, so it is not "
            "replaced\n");
  EXPECT_EQ(Entries(Path("dir")), std::set<std::string>{"b-differences.odb"});
}

TEST_F(OdbdiffErrorsExtraTest, UnreadableInputAndUnwritableFolder) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  ASSERT_EQ(chmod(Path("a.odb").c_str(), 0200), 0);
  ExpectRefused({"compare", "a.odb", "b.odb"}, "a.odb: cannot be read: permission denied");
  ASSERT_EQ(chmod(Path("a.odb").c_str(), 0644), 0);
  ASSERT_EQ(chmod(Path("dir").c_str(), 0555), 0);
  ExpectRefused({"compare", "a.odb", "b.odb", "--summary", "dir/s.txt"},
                "dir/s.txt: cannot write in folder dir: permission denied");
  ExpectRefused({"compare", "a.odb", "b.odb", "--html", "dir/r.html", "--template", "t.html"},
                "dir/r.html: cannot write in folder dir: permission denied");
  ExpectRefused({"compare-project", ".", "dir", "--html", "dir/r.html", "--template", "t.html"},
                "dir/r.html: cannot write in folder dir: permission denied");
  ASSERT_EQ(chmod(Path("dir").c_str(), 0755), 0);
  ASSERT_EQ(chmod(Path("t.html").c_str(), 0200), 0);
  ExpectRefused({"compare-object", "a.odb", "b.odb", "pump", "--html", "r.html", "--template",
                 "t.html"},
                "t.html: cannot be read: permission denied");
  ASSERT_EQ(chmod(Path("t.html").c_str(), 0644), 0);
  std::filesystem::create_directory(Path("locked"));
  ASSERT_EQ(chmod(Path("locked").c_str(), 0300), 0);  // files can be reached, not listed
  ExpectRefused({"compare-project", "locked", "dir", "--html", "r.html", "--template", "t.html"},
                "locked: cannot be read: permission denied");
  ASSERT_EQ(chmod(Path("locked").c_str(), 0755), 0);
}

TEST_F(OdbdiffErrorsExtraTest, FailedWriteToStandardOutputIsTrouble) {
  const RunResult result = Run({"export", "a.odb"}, WithStdoutTo("/dev/full"));
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err, "odbdiff: standard output: write failed: no space left on device\n");
}

}  // namespace
}  // namespace odbdiff_test
