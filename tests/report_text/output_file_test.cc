// Text outputs are found whole or not at all: an output that is not
// committed, or whose process is killed, leaves the target as it was and
// nothing beside it; one that is committed replaces it.
#include "diff/report_text/report_file.h"

#include <unistd.h>  // pipe, read, close

#include <gtest/gtest.h>  // TEST_F, EXPECT_*, EXPECT_EXIT

#include <csignal>     // raise, SIGKILL
#include <cstdio>      // std::fputs
#include <filesystem>  // directory_iterator, create_symlink, is_symlink
#include <set>         // std::set
#include <string>      // std::string

#include "tests/report_text/report_files.h"  // read_file
#include "tests/support/temp_dir.h"          // TempDir

namespace diff::testing {
namespace {

using report_text::OutputFile;

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OutputFile old(target_.c_str());
    std::fputs("old report\n", old.stream());
    old.commit();
  }

  std::set<std::string> folder() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  TempDir dir_;
  const std::string target_ = dir_.file("report.txt");
};

TEST_F(OutputFileTest, OutputNotCommittedLeavesTheTargetAsItWas) {
  {
    OutputFile output(target_.c_str());
    std::fputs(std::string(100000, 'x').c_str(), output.stream());
  }
  EXPECT_EQ(read_file(target_), "old report\n");
  EXPECT_EQ(folder(), std::set<std::string>{"report.txt"});
}

TEST_F(OutputFileTest, KilledWriterLeavesTheTargetAsItWas) {
  EXPECT_EXIT(
      {
        OutputFile output(target_.c_str());
        std::fputs(std::string(100000, 'x').c_str(), output.stream());
        std::raise(SIGKILL);
      },
      ::testing::KilledBySignal(SIGKILL), "");
  EXPECT_EQ(read_file(target_), "old report\n");
  EXPECT_EQ(folder(), std::set<std::string>{"report.txt"});
}

TEST_F(OutputFileTest, CommitThroughASymlinkReplacesTheFileItNames) {
  const std::string link = dir_.file("link.txt");
  std::filesystem::create_symlink("report.txt", link);
  OutputFile output(link.c_str());
  std::fputs("new report\n", output.stream());
  output.commit();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(read_file(target_), "new report\n");
  EXPECT_EQ(folder(), (std::set<std::string>{"link.txt", "report.txt"}));
}

// A pipe (here the way /dev/stdout names one) is written directly.
TEST_F(OutputFileTest, PipeIsWrittenDirectly) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  const std::string path = "/proc/self/fd/" + std::to_string(ends[1]);
  {
    OutputFile output(path.c_str());
    std::fputs("through the pipe\n", output.stream());
    output.commit();
  }
  close(ends[1]);
  char bytes[64] = {};
  EXPECT_EQ(read(ends[0], bytes, sizeof bytes - 1), 17);
  close(ends[0]);
  EXPECT_STREQ(bytes, "through the pipe\n");
  EXPECT_EQ(folder(), std::set<std::string>{"report.txt"});
}

}  // namespace
}  // namespace diff::testing
