// An input cut short while odbdiff reads it, or before: status 2, one line
// naming the file, and no output under its final name.
#include <gtest/gtest.h>  // TEST_F, EXPECT_*
#include <fcntl.h>        // fcntl, F_SETPIPE_SZ, F_GETPIPE_SZ
#include <sys/ioctl.h>    // ioctl, FIONREAD
#include <sys/types.h>    // pid_t, ssize_t
#include <unistd.h>       // read, truncate

#include <chrono>      // std::chrono::steady_clock, milliseconds
#include <filesystem>  // std::filesystem::exists, file_size
#include <string>      // std::string
#include <thread>      // std::this_thread::sleep_for
#include <vector>      // std::vector

#include "faults_fixture.h"          // ManyObjects, IsOneLineNaming
#include "runner/odbdiff_fixture.h"  // OdbdiffFixture
#include "runner/odbdiff_runner.h"   // RunOptions

namespace odbdiff_test {
namespace {

namespace fs = std::filesystem;

using OdbdiffTruncationTest = OdbdiffFixture;

// Reads `output` to its end.
std::string Drain(int output) {
  std::string text;
  char buffer[4096];
  for (ssize_t got; (got = read(output, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(got));
  }
  return text;
}

TEST_F(OdbdiffTruncationTest, InputCutShortWhileCompared) {
  ASSERT_NO_FATAL_FAILURE(Import("a.odb", ManyObjects(8000, 4, "a")));
  ASSERT_NO_FATAL_FAILURE(Import("b.odb", ManyObjects(8000, 4, "b")));
  const std::string file_a = Path("a.odb");
  // The module prints a line for every object on standard output, a pipe
  // here: once the pipe is full, the comparison stands still in the middle of
  // the objects, and A is cut short under it.
  RunOptions cut;
  cut.while_running = [&file_a](pid_t, int output) {
    fcntl(output, F_SETPIPE_SZ, 4096);  // may be refused once full; the pipe then fills later
    const int capacity = fcntl(output, F_GETPIPE_SZ);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int waiting = 0; ioctl(output, FIONREAD, &waiting) == 0 && waiting < capacity &&
                          std::chrono::steady_clock::now() < give_up;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(truncate(file_a.c_str(), 8192), 0);
    return Drain(output);
  };
  const RunResult result = Run({"compare", "a.odb", "b.odb", "--summary", "s.txt"}, cut);
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_TRUE(IsOneLineNaming(result.err, "a.odb"));
  EXPECT_FALSE(fs::exists(Path("s.txt")));
}

TEST_F(OdbdiffTruncationTest, InputCutShortBeforehand) {
  ASSERT_NO_FATAL_FAILURE(Import("a.odb", ManyObjects(300, 4, "a")));
  ASSERT_NO_FATAL_FAILURE(Import("b.odb", ManyObjects(300, 4, "b")));
  fs::resize_file(Path("a.odb"), fs::file_size(Path("a.odb")) / 2);
  const struct {
    std::vector<std::string> args;
    const char* output;
  } cases[] = {
      {{"export", "a.odb"}, nullptr},
      {{"export", "a.odb", "-o", "a.json"}, "a.json"},
      {{"compare", "a.odb", "b.odb", "--summary", "s.txt"}, "s.txt"},
      {{"compare-object", "a.odb", "b.odb", "object-7", "--table", "t.txt"}, "t.txt"},
  };
  for (const auto& run : cases) {
    const RunResult result = Run(run.args);
    EXPECT_EQ(result.exit_status, 2) << run.args.front();
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(IsOneLineNaming(result.err, "a.odb"));
    if (run.output != nullptr) {
      EXPECT_FALSE(fs::exists(Path(run.output))) << run.output;
    }
  }
}

}  // namespace
}  // namespace odbdiff_test
