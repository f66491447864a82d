// The list library's storage for copies of texts: every copy stays whole and
// in place while later copies fill the arena's own first block, the blocks
// after it, and blocks of their own.
#include <gtest/gtest.h>  // TEST, ASSERT_*, EXPECT_*

#include <cstddef>  // std::size_t
#include <string>   // std::string for texts and expected copies
#include <vector>   // std::vector of copies

#include "hostlibs/list/text_arena.h"  // rovivar::TextArena

namespace {

TEST(ListLibraryTextArenaTest, KeepsEveryCopyWholeAcrossItsBlocks) {
  // Lengths that fill the first block, overflow it by one, and need a block
  // of their own (larger than a quarter of the largest block).
  const std::size_t lengths[] = {0, 1, 100, 154, 1, 255, 3000, 20000, 7, 16383, 16384};
  rovivar::TextArena arena;
  std::vector<std::string> texts;
  std::vector<const char*> copies;
  for (int round = 0; round < 40; ++round) {
    for (const std::size_t length : lengths) {
      texts.push_back(std::string(length, static_cast<char>('a' + texts.size() % 26)));
      copies.push_back(arena.Copy(texts.back()));
    }
  }
  for (std::size_t i = 0; i < copies.size(); ++i) {
    ASSERT_EQ(std::string(copies[i]), texts[i]) << "copy " << i;
  }
  EXPECT_NE(copies[1], copies[2]);
}

}  // namespace
