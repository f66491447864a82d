// The heap prefault: how much it expects a comparison to take, and that
// memory the program takes and fills while the prefault runs keeps its
// contents (the prefault faults pages in, it never writes to them).
#include "platform/heap_prefault.h"  // HeapPrefault, ExpectedHeapGrowth

#include <gtest/gtest.h>  // TEST, EXPECT_*
#include <unistd.h>       // sysconf

#include <cstddef>  // std::size_t
#include <limits>   // std::numeric_limits
#include <memory>   // std::unique_ptr
#include <vector>   // std::vector

namespace odbdiff {
namespace {

TEST(HeapPrefaultTest, ExpectsAThirdOfTheFilesAtMostAnEighthOfTheMemory) {
  EXPECT_EQ(ExpectedHeapGrowth(0), 0u);
  EXPECT_EQ(ExpectedHeapGrowth(3u << 20), 1u << 20);
  const std::size_t memory =
      static_cast<std::size_t>(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGESIZE);
  EXPECT_EQ(ExpectedHeapGrowth(std::numeric_limits<std::size_t>::max()), memory / 8);
}

TEST(HeapPrefaultTest, MemoryFilledWhileItRunsKeepsItsContents) {
  constexpr std::size_t kBlocks = 4096;
  constexpr std::size_t kBlockSize = 16 << 10;  // 64 MiB in all, from the heap being faulted in
  HeapPrefault prefault(std::size_t{128} << 20);
  std::vector<std::unique_ptr<unsigned char[]>> blocks;
  for (std::size_t block = 0; block < kBlocks; ++block) {
    blocks.emplace_back(new unsigned char[kBlockSize]);
    for (std::size_t at = 0; at < kBlockSize; ++at) {
      blocks.back()[at] = static_cast<unsigned char>(block + at + 1);
    }
  }
  prefault.Finish();
  std::size_t wrong = 0;
  for (std::size_t block = 0; block < kBlocks; ++block) {
    for (std::size_t at = 0; at < kBlockSize; ++at) {
      if (blocks[block][at] != static_cast<unsigned char>(block + at + 1)) ++wrong;
    }
  }
  EXPECT_EQ(wrong, 0u);
}

}  // namespace
}  // namespace odbdiff
