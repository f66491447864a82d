// Text written ahead on a thread: handed over whole and in order however
// little may wait, the writing's failure thrown after its text, and a
// writing that is never taken stopped when its owner goes.
#include "diff/report_text/written_ahead.h"

#include <gtest/gtest.h>  // TEST, EXPECT_EQ, EXPECT_THROW

#include <atomic>     // std::atomic<bool>, the stop seen by the writing
#include <cstdio>     // std::FILE, std::fputs, open_memstream
#include <cstdlib>    // std::free
#include <stdexcept>  // std::runtime_error, the writing's failure
#include <string>     // std::string

namespace diff::report_text {
namespace {

using Stopping = const std::atomic<bool>&;

// What `ahead` hands over, or the text of what it threw after it.
std::string HandedOver(WrittenAhead& ahead, std::string& thrown) {
  char* text = nullptr;
  std::size_t size = 0;
  std::FILE* file = open_memstream(&text, &size);
  try {
    ahead.hand_over(file);
  } catch (const std::runtime_error& failure) {
    thrown = failure.what();
  }
  std::fclose(file);
  std::string handed(text, size);
  std::free(text);
  return handed;
}

TEST(WrittenAheadTest, HandsOverInOrderAndThenTheFailure) {
  std::string expected;
  for (int i = 0; i < 20000; ++i) expected += "line " + std::to_string(i) + "\n";
  for (const bool fails : {false, true}) {
    // At most 16 bytes wait: the thread pauses at nearly every piece.
    WrittenAhead ahead(
        [&](std::FILE* file, Stopping) {
          std::fputs(expected.c_str(), file);
          std::fflush(file);
          if (fails) throw std::runtime_error("cannot read on");
        },
        16);
    ASSERT_TRUE(ahead.started());
    std::string thrown;
    EXPECT_EQ(HandedOver(ahead, thrown), expected);
    EXPECT_EQ(thrown, fails ? "cannot read on" : "");
  }
}

TEST(WrittenAheadTest, WritingNeverTakenStopsWithItsOwner) {
  bool saw_stop = false;
  {
    WrittenAhead ahead(
        [&](std::FILE* file, Stopping stopping) {
          while (!stopping) std::fputs("more text than may wait\n", file);
          saw_stop = true;
        },
        64);
    ASSERT_TRUE(ahead.started());
  }
  EXPECT_TRUE(saw_stop);
}

}  // namespace
}  // namespace diff::report_text
