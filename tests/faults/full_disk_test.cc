// A full disk under every file odbdiff writes: the command ends with status
// 2 and one line naming the file, and the name asked for keeps what it held
// before (or stays absent). The disk is a small tmpfs, which needs the right
// to mount one (root); without it the tests are skipped.
#include <gtest/gtest.h>  // TEST_P, EXPECT_*, GTEST_SKIP
#include <sys/mount.h>    // mount, umount2, MNT_DETACH

#include <cerrno>      // errno
#include <cstdint>     // std::uintmax_t
#include <cstring>     // std::strerror
#include <filesystem>  // std::filesystem::create_directory, space, exists, remove
#include <fstream>     // std::ofstream for the filler
#include <ostream>     // std::ostream for PrintTo
#include <set>         // std::set
#include <string>      // std::string
#include <vector>      // std::vector

#include "faults_fixture.h"          // ManyObjects, IsOneLineNaming
#include "runner/odbdiff_fixture.h"  // OdbdiffFixture
#include "runner/odbdiff_runner.h"   // ReadFile, WriteFile, Entries, WithTmpdir
#include "runner/small_template.h"   // kSmallTemplate

namespace odbdiff_test {
namespace {

namespace fs = std::filesystem;

constexpr char kDisk[] = "disk";
constexpr std::uintmax_t kLeftFree = 4096;  // less than any output of the cases

// What the final name holds before the command runs.
enum class Former {
  kReport,     // a text file
  kDatabases,  // a folder of difference databases
  kObjectFile,
  kNothing,  // the disk is $TMPDIR, the output elsewhere
};

struct FullDiskCase {
  std::string name;
  std::vector<std::string> args;
  std::string named;   // what the message names
  std::string output;  // the final name
  Former former;
};

void PrintTo(const FullDiskCase& full, std::ostream* out) { *out << full.name; }

class OdbdiffFullDiskTest : public OdbdiffFixture,
                            public ::testing::WithParamInterface<FullDiskCase> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", ManyObjects(400, 6, "a")));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", ManyObjects(400, 6, "b")));
    ASSERT_NO_FATAL_FAILURE(Import("small-a.odb", R"({"p": {"x": "1"}})"));
    ASSERT_NO_FATAL_FAILURE(Import("small-b.odb", R"({"p": {"x": "2"}})"));
    WriteFile(Path("t.html"), kSmallTemplate);
    fs::create_directory(Path(kDisk));
    if (mount("tmpfs", Path(kDisk).c_str(), "tmpfs", 0, "size=256k") != 0) {
      GTEST_SKIP() << "cannot mount a small tmpfs for a full disk (needs root): "
                   << std::strerror(errno);
    }
    mounted_ = true;
  }

  void TearDown() override {
    if (mounted_) umount2(Path(kDisk).c_str(), MNT_DETACH);
  }

  // Fills the disk but for kLeftFree bytes.
  void Fill() {
    const std::uintmax_t free = fs::space(Path(kDisk)).available;
    ASSERT_GT(free, kLeftFree);
    std::ofstream filler(Path("disk/filler"), std::ios::binary);
    filler << std::string(free - kLeftFree, 'f');
    ASSERT_TRUE(filler.flush());
  }

  bool mounted_ = false;
};

TEST_P(OdbdiffFullDiskTest, TroubleNamingTheFileAndTheFormerFileKept) {
  const FullDiskCase& full = GetParam();
  // The former content, as read back: a report's text, or the JSON form of
  // an object file or of the combined difference database.
  const std::string databases = full.output + "/combined-differences.odb";
  std::string former;
  switch (full.former) {
    case Former::kReport:
      WriteFile(Path(full.output), "the former file\n");
      former = "the former file\n";
      break;
    case Former::kDatabases:
      ASSERT_EQ(Run({"compare", "small-a.odb", "small-b.odb", "--keep-difference-dbs",
                     full.output, "--quiet"})
                    .exit_status,
                1);
      former = Run({"export", databases}).out;
      break;
    case Former::kObjectFile:
      ASSERT_EQ(Run({"import", "small-a.odb.json", full.output}).exit_status, 0);
      former = Run({"export", full.output}).out;
      break;
    case Former::kNothing:
      break;
  }
  const std::set<std::string> before = Entries(Path(kDisk));
  ASSERT_NO_FATAL_FAILURE(Fill());

  const bool full_tmpdir = full.former == Former::kNothing;
  const RunResult result = Run(full.args, full_tmpdir ? WithTmpdir(Path(kDisk)) : RunOptions{});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_TRUE(IsOneLineNaming(result.err, full.named));
  fs::remove(Path("disk/filler"));
  EXPECT_EQ(Entries(Path(kDisk)), before);  // no leftover beside the final name
  switch (full.former) {
    case Former::kReport:  // not compared with EXPECT_EQ, which would print a whole report
      EXPECT_TRUE(ReadFile(Path(full.output)) == former) << full.output << " was replaced";
      break;
    case Former::kDatabases:
      EXPECT_EQ(Entries(Path(full.output)),
                (std::set<std::string>{"a-differences.odb", "b-differences.odb",
                                       "combined-differences.odb"}));
      EXPECT_EQ(Run({"export", databases}).out, former);
      break;
    case Former::kObjectFile:
      EXPECT_EQ(Run({"export", full.output}).out, former);
      break;
    case Former::kNothing:
      EXPECT_FALSE(fs::exists(Path(full.output)));
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, OdbdiffFullDiskTest,
    ::testing::Values(
        FullDiskCase{"TextReport",
                     {"compare", "a.odb", "b.odb", "--text-report", "disk/r.txt", "--quiet"},
                     "disk/r.txt", "disk/r.txt", Former::kReport},
        FullDiskCase{"Summary",
                     {"compare", "a.odb", "b.odb", "--summary", "disk/s.txt", "--quiet"},
                     "disk/s.txt", "disk/s.txt", Former::kReport},
        FullDiskCase{"Html",
                     {"compare", "a.odb", "b.odb", "--html", "disk/r.html", "--template",
                      "t.html", "--quiet"},
                     "disk/r.html", "disk/r.html", Former::kReport},
        FullDiskCase{"KeptDifferenceDbs",
                     {"compare", "a.odb", "b.odb", "--keep-difference-dbs", "disk/kept",
                      "--quiet"},
                     "disk/kept/", "disk/kept", Former::kDatabases},
        FullDiskCase{"Export", {"export", "a.odb", "-o", "disk/a.json"}, "disk/a.json",
                     "disk/a.json", Former::kReport},
        FullDiskCase{"Import", {"import", "a.odb.json", "disk/a.odb"}, "disk/a.odb",
                     "disk/a.odb", Former::kObjectFile},
        FullDiskCase{"TemporaryFolder",
                     {"compare", "a.odb", "b.odb", "--summary", "s.txt", "--quiet"}, kDisk,
                     "s.txt", Former::kNothing}),
    [](const ::testing::TestParamInfo<FullDiskCase>& info) { return info.param.name; });

}  // namespace
}  // namespace odbdiff_test
