// odbdiff killed (SIGKILL) at moments spread over a comparison that keeps
// its difference databases: the kept folder holds the former complete set or
// the new one, and what the killed runs left is removed by a later run.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*
#include <signal.h>       // kill, SIGKILL
#include <sys/types.h>    // pid_t

#include <chrono>      // std::chrono::milliseconds
#include <filesystem>  // std::filesystem::create_directory
#include <set>         // std::set
#include <string>      // std::string
#include <thread>      // std::this_thread::sleep_for

#include "faults_fixture.h"   // ManyObjects
#include "odbdiff_fixture.h"  // OdbdiffFixture
#include "odbdiff_runner.h"   // RunOptions, Entries, WriteFile
#include "small_template.h"   // kSmallTemplate

namespace odbdiff_test {
namespace {

class OdbdiffKillTest : public OdbdiffFixture {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(Import("a.odb", ManyObjects(1500, 6, "a")));
    ASSERT_NO_FATAL_FAILURE(Import("b.odb", ManyObjects(1500, 6, "b")));
    ASSERT_NO_FATAL_FAILURE(Import("c.odb", ManyObjects(1500, 6, "c")));
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

  // The JSON forms of the three difference databases in `folder`.
  std::string Forms(const std::string& folder) {
    std::string forms;
    for (const char* name :
         {"a-differences.odb", "b-differences.odb", "combined-differences.odb"}) {
      forms += Run({"export", folder + "/" + name}).out;
    }
    return forms;
  }
};

TEST_F(OdbdiffKillTest, KeptFolderHoldsTheFormerOrTheNewSetAndLeftoversGo) {
  ASSERT_EQ(Compare("c.odb", "kept", {}).exit_status, 1);
  const std::string former = Forms("kept");
  ASSERT_EQ(Compare("b.odb", "fresh", {}).exit_status, 1);
  const std::string fresh = Forms("fresh");
  ASSERT_NE(former, fresh);

  for (const int delay : {0, 15, 40, 80, 150, 300}) {
    RunOptions killed;
    killed.while_running = [delay](pid_t process, int) {
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      kill(process, SIGKILL);
      return std::string();
    };
    Compare("b.odb", "kept", killed);
    const std::string now = Forms("kept");
    EXPECT_TRUE(now == former || now == fresh) << "killed after " << delay << " ms";
    if (now == fresh) {
      ASSERT_EQ(Compare("c.odb", "kept", {}).exit_status, 1);
    }
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
