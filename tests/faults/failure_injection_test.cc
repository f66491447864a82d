// One failure at a time, through every output of odbdiff compare and a few
// of their combinations: whatever the outputs, the command ends with status
// 2 and one line naming the file at fault, and neither an output nor a
// private folder is left behind. The full disk and the read-only folder are
// small tmpfs mounts, which need root; without it those cases are skipped.
#include <gtest/gtest.h>  // TEST_P, EXPECT_*, GTEST_SKIP
#include <sys/mount.h>    // mount, umount2, MNT_DETACH, MS_RDONLY

#include <algorithm>   // std::count
#include <cerrno>      // errno
#include <cstdint>     // std::uintmax_t
#include <cstring>     // std::strerror
#include <filesystem>  // std::filesystem::create_directory, space, file_size
#include <fstream>     // std::fstream, the filler and the flipped bytes
#include <ostream>     // std::ostream for PrintTo
#include <random>      // std::mt19937, where bytes are flipped
#include <set>         // std::set
#include <string>      // std::string
#include <vector>      // std::vector

#include "faults_fixture.h"                     // ManyObjects, IsOneLineNaming
#include "runner/odbdiff_fixture.h"             // OdbdiffFixture
#include "runner/odbdiff_runner.h"              // Entries, RunOptions
#include "runner/small_template.h"              // kSmallTemplate
#include "tests/support/damaged_object_file.h"  // give_slot_unknown_kind

namespace odbdiff_test {
namespace {

namespace fs = std::filesystem;

// The outputs, all in the folder "out".
struct Outputs {
  const char* name;
  std::vector<std::string> args;
  bool writes_files;    // any output file in "out"
  bool uses_tmpdir;     // the difference databases go to $TMPDIR
};

const Outputs kOutputs[] = {
    {"none", {}, false, true},
    {"json", {"--json", "out/d.json"}, true, true},
    {"stat", {"--stat"}, false, true},
    {"text", {"--text-report", "out/r.txt"}, true, true},
    {"summary", {"--summary", "out/s.txt"}, true, true},
    {"html", {"--html", "out/r.html", "--template", "t.html"}, true, true},
    {"kept", {"--keep-difference-dbs", "out/kept"}, true, false},
    {"json+stat", {"--json", "out/d.json", "--stat"}, true, true},
    {"json+summary+html",
     {"--json", "out/d.json", "--summary", "out/s.txt", "--html", "out/r.html", "--template",
      "t.html"},
     true, true},
    {"stat+kept", {"--stat", "--keep-difference-dbs", "out/kept"}, true, false},
};

enum class Injection { kDamagedA, kDamagedB, kFullTmpdir, kReadOnlyOutputFolder, kFileSizeLimit };

struct InjectionCase {
  const char* name;
  Injection injection;
  const char* named;  // what the message names; the full $TMPDIR's path in full
};

void PrintTo(const InjectionCase& injection, std::ostream* out) { *out << injection.name; }

class OdbdiffFailureInjectionTest : public OdbdiffFixture,
                                    public ::testing::WithParamInterface<InjectionCase> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", ManyObjects(400, 6, "a")));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", ManyObjects(400, 6, "b")));
    WriteFile(Path("t.html"), kSmallTemplate);
    fs::create_directory(Path("out"));
    fs::create_directory(Path("tmp"));
  }

  void TearDown() override {
    for (const std::string& folder : mounted_) umount2(Path(folder).c_str(), MNT_DETACH);
  }

  // Mounts a small tmpfs on `folder`; skips the test without the right to.
  void Mount(const std::string& folder, unsigned long flags) {
    if (mount("tmpfs", Path(folder).c_str(), "tmpfs", flags, "size=256k") != 0) {
      GTEST_SKIP() << "cannot mount a small tmpfs (needs root): " << std::strerror(errno);
    }
    mounted_.push_back(folder);
  }

  // Fills the tmpfs on `folder` but for a few bytes.
  void Fill(const std::string& folder) {
    const std::uintmax_t free = fs::space(Path(folder)).available;
    std::ofstream filler(Path(folder + "/filler"), std::ios::binary);
    filler << std::string(free - 4096, 'f');
    ASSERT_TRUE(filler.flush());
  }

  std::vector<std::string> mounted_;
};

TEST_P(OdbdiffFailureInjectionTest, TroubleNamingTheFileAndNothingLeft) {
  const InjectionCase& injected = GetParam();
  RunOptions options = WithTmpdir(Path("tmp"));
  std::vector<std::string> prefix;
  switch (injected.injection) {
    case Injection::kDamagedA:
      ASSERT_NO_FATAL_FAILURE(
          diff::testing::give_slot_unknown_kind(Path("a.odb"), "object-7", "slot-2"));
      break;
    case Injection::kDamagedB:
      ASSERT_NO_FATAL_FAILURE(
          diff::testing::give_slot_unknown_kind(Path("b.odb"), "object-300", "slot-0"));
      break;
    case Injection::kFullTmpdir:
      ASSERT_NO_FATAL_FAILURE(Mount("tmp", 0));
      ASSERT_NO_FATAL_FAILURE(Fill("tmp"));
      break;
    case Injection::kReadOnlyOutputFolder:
      ASSERT_NO_FATAL_FAILURE(Mount("out", MS_RDONLY));
      break;
    case Injection::kFileSizeLimit:
      // As `ulimit -f 64` would: no file may grow past 64 KiB, less than
      // the difference databases need.
      options.executable = "/usr/bin/prlimit";
      prefix = {"--fsize=65536", ODBDIFF_PATH};
      break;
  }
  const std::set<std::string> tmp_before = Entries(Path("tmp"));

  for (const Outputs& outputs : kOutputs) {
    if (injected.injection == Injection::kReadOnlyOutputFolder && !outputs.writes_files) continue;
    if (injected.injection == Injection::kFullTmpdir && !outputs.uses_tmpdir) continue;
    SCOPED_TRACE(outputs.name);
    std::vector<std::string> args = prefix;
    args.insert(args.end(), {"compare", "a.odb", "b.odb"});
    args.insert(args.end(), outputs.args.begin(), outputs.args.end());
    const RunResult result = Run(args, options);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_TRUE(IsOneLineNaming(result.err, injected.injection == Injection::kFullTmpdir
                                                ? Path("tmp")
                                                : std::string(injected.named)));
    EXPECT_EQ(result.out.find("objects in A"), std::string::npos);  // no counts
    if (injected.injection == Injection::kFileSizeLimit) {
      EXPECT_TRUE(result.err.ends_with(": file too large\n")) << result.err;
    }
    EXPECT_EQ(Entries(Path("out")), std::set<std::string>{});
    EXPECT_EQ(Entries(Path("tmp")), tmp_before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, OdbdiffFailureInjectionTest,
    ::testing::Values(InjectionCase{"DamagedA", Injection::kDamagedA, "a.odb"},
                      InjectionCase{"DamagedB", Injection::kDamagedB, "b.odb"},
                      InjectionCase{"FullTmpdir", Injection::kFullTmpdir, "tmp"},
                      InjectionCase{"ReadOnlyOutputFolder", Injection::kReadOnlyOutputFolder,
                                    "out/"},
                      InjectionCase{"FileSizeLimit", Injection::kFileSizeLimit, "-differences.odb"}),
    [](const ::testing::TestParamInfo<InjectionCase>& info) { return info.param.name; });

// Flips a bit in each of `flips` bytes of the object file at `path`, at
// places inside its pages after the first (the schema's) that `pattern` picks:
// the same pattern damages the same places.
void FlipBytes(const std::string& path, unsigned pattern, int flips) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  char header[18];
  ASSERT_TRUE(file.read(header, sizeof header));
  const std::uintmax_t page_size =
      (static_cast<unsigned char>(header[16]) << 8) | static_cast<unsigned char>(header[17]);
  const std::uintmax_t pages = fs::file_size(path) / page_size;
  ASSERT_GT(pages, 2u);
  std::mt19937 random(pattern);
  for (int flip = 0; flip < flips; ++flip) {
    const std::uintmax_t page = 1 + random() % (pages - 1);
    const std::uintmax_t at = page * page_size + 8 + random() % (page_size - 8);
    char byte = 0;
    file.seekg(static_cast<std::streamoff>(at));
    ASSERT_TRUE(file.read(&byte, 1));
    byte = static_cast<char>(byte ^ (1 << (random() % 8)));
    file.seekp(static_cast<std::streamoff>(at));
    ASSERT_TRUE(file.write(&byte, 1));
  }
}

using OdbdiffFlippedBytesTest = OdbdiffFixture;

TEST_F(OdbdiffFlippedBytesTest, DamageInsideTheBTreePagesIsTrouble) {
  ASSERT_NO_FATAL_FAILURE(Import("a.odb", ManyObjects(400, 6, "a")));
  ASSERT_NO_FATAL_FAILURE(Import("b.odb", ManyObjects(400, 6, "a")));
  const struct {
    unsigned pattern;
    bool found_by_reading;  // else only by the quick check of --verify-inputs
  } cases[] = {{1, true}, {2, true}, {3, true}, {4, true}, {5, true}, {150, false}};
  for (const auto& damage : cases) {
    SCOPED_TRACE(damage.pattern);
    const std::string damaged = "damaged-" + std::to_string(damage.pattern) + ".odb";
    fs::copy_file(Path("a.odb"), Path(damaged));
    ASSERT_NO_FATAL_FAILURE(FlipBytes(Path(damaged), damage.pattern, 4));
    for (const bool verify : {false, true}) {
      if (!verify && !damage.found_by_reading) continue;
      std::vector<std::string> args{"compare", damaged, "b.odb", "--json", "d.json", "--stat",
                                    "--quiet"};
      if (verify) args.push_back("--verify-inputs");
      const RunResult result = Run(args);
      EXPECT_EQ(result.exit_status, 2) << (verify ? "verified" : "read");
      EXPECT_TRUE(IsOneLineNaming(result.err, damaged));
      EXPECT_EQ(result.out, "");
      EXPECT_FALSE(fs::exists(Path("d.json")));
    }
  }
}

// Memory running out at any point of a comparison, as a limit on the
// address space (prlimit --as) makes it: the command either completes or
// says "out of memory" in its own words, naming the file it was reading or
// writing where it knows one, and leaves nothing behind.
using OdbdiffOutOfMemoryTest = OdbdiffFixture;

TEST_F(OdbdiffOutOfMemoryTest, ToldInOdbdiffsWords) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs more address space than any limit leaves";
#endif
  ASSERT_NO_FATAL_FAILURE(Import("a.odb", ManyObjects(20000, 6, "a")));
  ASSERT_NO_FATAL_FAILURE(Import("b.odb", ManyObjects(20000, 6, "b")));
  fs::create_directory(Path("out"));
  fs::create_directory(Path("tmp"));
  int out_of_memory = 0;
  for (const int mebibytes : {16, 20, 24, 32, 48, 64}) {
    SCOPED_TRACE(mebibytes);
    const RunResult result =
        Run({"--as=" + std::to_string(mebibytes << 20), ODBDIFF_PATH, "compare", "a.odb", "b.odb",
             "--json", "out/d.json", "--stat", "--summary", "out/s.txt", "--quiet"},
            [&] {
              RunOptions options = WithTmpdir(Path("tmp"));
              options.executable = "/usr/bin/prlimit";
              return options;
            }());
    if (result.exit_status == 1) {
      fs::remove_all(Path("out"));
      fs::create_directory(Path("out"));
      continue;
    }
    ++out_of_memory;
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_TRUE(result.err.starts_with("odbdiff: ") && result.err.ends_with("out of memory\n") &&
                std::count(result.err.begin(), result.err.end(), '\n') == 1)
        << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(Entries(Path("out")), std::set<std::string>{});
    EXPECT_EQ(Entries(Path("tmp")), std::set<std::string>{});
  }
  EXPECT_GT(out_of_memory, 0) << "no limit was low enough";
}

}  // namespace
}  // namespace odbdiff_test
