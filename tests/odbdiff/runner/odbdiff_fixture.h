// A test of odbdiff in its own folder, with helpers to run the command there
// and to make object files from their JSON form.
#ifndef DIFF_TESTS_ODBDIFF_ODBDIFF_FIXTURE_H_
#define DIFF_TESTS_ODBDIFF_ODBDIFF_FIXTURE_H_

#include <gtest/gtest.h>  // ::testing::Test, ASSERT_*

#include <string>  // std::string
#include <vector>  // std::vector

#include "runner/odbdiff_runner.h"   // RunOdbdiff, RunResult, WriteFile
#include "tests/support/temp_dir.h"  // TempDir

namespace odbdiff_test {

class OdbdiffFixture : public ::testing::Test {
 protected:
  // Runs odbdiff in the test's folder.
  RunResult Run(const std::vector<std::string>& args, RunOptions options = {}) {
    options.folder = folder_.path();
    return RunOdbdiff(args, options);
  }

  std::string Path(const std::string& name) const { return folder_.file(name); }

  // Makes `object_file` in the test's folder from `json` (kept beside it
  // as `object_file`.json). Use with ASSERT_NO_FATAL_FAILURE.
  void Import(const std::string& object_file, const std::string& json) {
    WriteFile(Path(object_file + ".json"), json);
    const RunResult result = Run({"import", object_file + ".json", object_file});
    ASSERT_EQ(result.exit_status, 0) << result.err;
    ASSERT_EQ(result.err, "");
  }

  diff::testing::TempDir folder_;
};

}  // namespace odbdiff_test

#endif  // DIFF_TESTS_ODBDIFF_ODBDIFF_FIXTURE_H_
