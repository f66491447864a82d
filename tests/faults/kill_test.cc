// odbdiff killed (SIGKILL) at moments spread over a comparison that keeps
// its difference databases: the kept folder holds the former complete set or
// the new one, and what the killed runs left is removed by a later run.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*
#include <signal.h>       // kill, SIGKILL
#include <sys/types.h>    // pid_t

#include <chrono>      // std::chrono::steady_clock
#include <filesystem>  // std::filesystem::create_directory
#include <set>         // std::set
#include <string>      // std::string
#include <thread>      // std::this_thread::sleep_for

#include "faults_fixture.h"          // ManyObjects
#include "runner/odbdiff_fixture.h"  // OdbdiffFixture
#include "runner/odbdiff_runner.h"   // RunOptions, Entries, ReadFile, WriteFile
#include "runner/small_template.h"   // kSmallTemplate

namespace odbdiff_test {
namespace {

class OdbdiffKillTest : public OdbdiffFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", ManyObjects(600, 6, "a")));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", ManyObjects(600, 6, "b")));
    ASSERT_NO_FATAL_FAILURE(Import("c.odb", ManyObjects(600, 6, "c")));
    WriteFile(Path("t.html"), kSmallTemplate);
    std::filesystem::create_directory(Path("tmp"));
  }

  // Compares A with `other`, keeping the difference databases in `folder`,
  // with the HTML report, so that a private folder is made in $TMPDIR too.
  RunResult Compare(const std::string& other, const std::string& folder, RunOptions options) {
    options.tmpdir = Path("tmp");
    return Run({"compare", "a.odb", other, "--keep-difference-dbs", folder, "--quiet", "--html",
                "r.html", "--template", "t.html"},
               options);
  }

  // The three difference databases in `folder`: their bytes, or their JSON
  // forms (two runs need not make the same bytes).
  std::string Bytes(const std::string& folder) { return Read(folder, nullptr); }
  std::string Forms(const std::string& folder) { return Read(folder, "export"); }

 private:
  std::string Read(const std::string& folder, const char* export_command) {
    std::string read;
    for (const char* name :
         {"a-differences.odb", "b-differences.odb", "combined-differences.odb"}) {
      const std::string path = folder + "/" + name;
      read += export_command != nullptr ? Run({export_command, path}).out : ReadFile(Path(path));
    }
    return read;
  }
};

TEST_F(OdbdiffKillTest, KeptFolderHoldsTheFormerOrTheNewSetAndLeftoversGo) {
  ASSERT_EQ(Compare("c.odb", "kept", {}).exit_status, 1);
  std::string former = Bytes("kept");
  const std::string former_forms = Forms("kept");
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(Compare("b.odb", "fresh", {}).exit_status, 1);
  const auto whole_run = std::chrono::steady_clock::now() - started;
  const std::string fresh = Forms("fresh");
  ASSERT_NE(former_forms, fresh);

  // Kills spread over the time a whole run takes, and one after its end.
  for (const int percent : {0, 25, 50, 75, 110}) {
    const auto delay = whole_run * percent / 100;
    RunOptions killed;
    killed.while_running = [delay](pid_t process, int) {
      std::this_thread::sleep_for(delay);
      kill(process, SIGKILL);
      return std::string();
    };
    Compare("b.odb", "kept", killed);
    if (Bytes("kept") == former) continue;
    EXPECT_EQ(Forms("kept"), fresh) << "killed at " << percent << " % of a run";
    ASSERT_EQ(Compare("c.odb", "kept", {}).exit_status, 1);
    former = Bytes("kept");
  }

  // A run that ends removes what the killed ones left beside its outputs and
  // in $TMPDIR.
  ASSERT_EQ(Compare("c.odb", "kept", {}).exit_status, 1);
  EXPECT_EQ(Entries(Path("kept")), (std::set<std::string>{"a-differences.odb",
                                                          "b-differences.odb",
                                                          "combined-differences.odb"}));
  EXPECT_TRUE(Entries(Path("tmp")).empty());
  for (const std::string& entry : Entries(folder_.path())) {
    EXPECT_FALSE(entry.starts_with(".odbdiff-")) << entry;
  }
}

}  // namespace
}  // namespace odbdiff_test
