// diff_last_error as a host sees it: every entry point sets the outcome of
// the calling thread, a failure is told with its code and a message naming
// the file, and a successful call leaves DIFF_OK.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <cstdio>      // EOF
#include <filesystem>  // std::filesystem::exists
#include <string>      // std::string
#include <thread>      // std::thread

#include "diff/diff.h"                   // the entry points
#include "tests/support/object_files.h"  // write_object_file
#include "tests/support/temp_dir.h"      // TempDir

namespace diff::testing {
namespace {

struct Outcome {
  int code;
  std::string message;
  bool operator==(const Outcome&) const = default;
};

Outcome last_error() {
  const char* message = nullptr;
  const int code = diff_last_error(&message);
  return {code, message};
}

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
  return out << outcome.code << " \"" << outcome.message << "\"";
}

class FailureOutcomeTest : public ::testing::Test {
 protected:
  ~FailureOutcomeTest() override { DiffTerminate(); }

  int compare(const std::string& a, const std::string& b) {
    ::testing::internal::CaptureStdout();
    const int result = diff_objfiles_ormo(a.c_str(), b.c_str(), a_diff_.c_str(), b_diff_.c_str(),
                                          combined_.c_str(), 0);
    ::testing::internal::GetCapturedStdout();
    return result;
  }

  TempDir dir_;
  const std::string a_ = dir_.file("a.odb"), b_ = dir_.file("b.odb");
  const std::string a_diff_ = dir_.file("a_diff.odb"), b_diff_ = dir_.file("b_diff.odb");
  const std::string combined_ = dir_.file("combined.odb");
};

TEST_F(FailureOutcomeTest, MissingFilesAreAFailureNotSameFiles) {
  EXPECT_EQ(compare(dir_.file("none_a.odb"), dir_.file("none_b.odb")), 1);
  EXPECT_EQ(last_error(),
            (Outcome{DIFF_ERROR_READ, dir_.file("none_a.odb") + ": no such file"}));
  EXPECT_EQ(last_error().code, DIFF_ERROR_READ);  // asking does not change it
  EXPECT_EQ(diff_strpair(), 0);
  EXPECT_EQ(last_error(), (Outcome{DIFF_OK, ""}));
  EXPECT_EQ(diff_getObjectTemplate(dir_.file("none.html").c_str()), 0);
  EXPECT_EQ(last_error(),
            (Outcome{DIFF_ERROR_READ, dir_.file("none.html") + ": No such file or directory"}));
}

TEST_F(FailureOutcomeTest, EachCallSetsTheOutcomeOfItsOwnThread) {
  write_object_file(a_, {{"p", {{"x", "1"}}}});
  write_object_file(b_, {{"p", {{"x", "2"}}}});
  EXPECT_EQ(compare(a_, b_), 1);
  EXPECT_EQ(last_error(), (Outcome{DIFF_OK, ""}));

  const std::string refused = "; an output may not replace an input";
  EXPECT_EQ(GenSumReport(b_.c_str()), 0);
  EXPECT_EQ(last_error(), (Outcome{DIFF_ERROR_ARGUMENT,
                                   b_ + ": the same file as object file B " + b_ + refused}));
  EXPECT_EQ(diff_start_HTML_file(a_diff_.c_str()), EOF);
  EXPECT_EQ(last_error().code, DIFF_ERROR_ARGUMENT);
  EXPECT_EQ(diff_object_WriteTextFile(nullptr, nullptr, nullptr, nullptr, combined_.c_str()), EOF);
  EXPECT_EQ(last_error().code, DIFF_ERROR_ARGUMENT);

  Outcome other_thread{};
  std::thread([&] {
    EXPECT_EQ(GenTextReport("/dev/full"), 0);
    other_thread = last_error();
  }).join();
  EXPECT_EQ(other_thread, (Outcome{DIFF_ERROR_WRITE, "/dev/full: No space left on device"}));
  EXPECT_EQ(last_error().code, DIFF_ERROR_ARGUMENT);  // this thread's own last call

  ::testing::internal::CaptureStdout();
  EXPECT_EQ(GenTextReport(dir_.file("report.txt").c_str()), 1);
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(last_error(), (Outcome{DIFF_OK, ""}));
  EXPECT_EQ(DeleteDiffObjs(), 1);
  EXPECT_TRUE(std::filesystem::exists(a_));
  EXPECT_TRUE(std::filesystem::exists(b_));
}

}  // namespace
}  // namespace diff::testing
