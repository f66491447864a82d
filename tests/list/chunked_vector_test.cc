// The list library's chunked sequence, checked against std::vector.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <cstddef>  // std::size_t
#include <random>   // std::mt19937, std::uniform_int_distribution
#include <vector>   // std::vector, the model

#include "hostlibs/list/chunked_vector.h"  // rovivar::ChunkedVector

namespace {

using Chunked = rovivar::ChunkedVector<int>;
constexpr std::size_t kChunk = Chunked::kChunkSize;

std::vector<int> Contents(const Chunked& chunked) {
  std::vector<int> contents;
  for (std::size_t i = 0; i < chunked.size(); ++i) contents.push_back(chunked[i]);
  return contents;
}

TEST(ListLibraryChunkedVectorTest, AppendsAcrossChunksInOrder) {
  Chunked chunked;
  EXPECT_EQ(chunked.size(), 0u);
  std::vector<int> model;
  for (int i = 0; i < static_cast<int>(3 * kChunk + 5); ++i) {
    chunked.push_back(i * 7);
    model.push_back(i * 7);
  }
  EXPECT_EQ(Contents(chunked), model);
  chunked[kChunk] = -1;  // the first element of the second chunk
  EXPECT_EQ(chunked[kChunk], -1);
  EXPECT_EQ(chunked[kChunk - 1], static_cast<int>(kChunk - 1) * 7);
}

// Once the first chunk is full, elements stay where they are.
TEST(ListLibraryChunkedVectorTest, ElementsDoNotMoveWhenTheSequenceGrows) {
  Chunked chunked;
  for (int i = 0; i < static_cast<int>(kChunk + 1); ++i) chunked.push_back(i);
  const int* first = &chunked[0];
  const int* later = &chunked[kChunk];
  for (int i = 0; i < static_cast<int>(4 * kChunk); ++i) chunked.push_back(i);
  EXPECT_EQ(&chunked[0], first);
  EXPECT_EQ(&chunked[kChunk], later);
  EXPECT_EQ(*later, static_cast<int>(kChunk));
}

// Inserts at random places, checked after every step, with the sequence
// crossing chunk boundaries both ways.
TEST(ListLibraryChunkedVectorTest, InsertsLikeAVector) {
  std::mt19937 random(17);
  Chunked chunked;
  std::vector<int> model;
  for (int step = 0; step < 9000; ++step) {
    const auto position = std::uniform_int_distribution<std::size_t>(0, model.size())(random);
    chunked.insert(position, step);
    model.insert(model.begin() + static_cast<std::ptrdiff_t>(position), step);
    ASSERT_EQ(chunked.size(), model.size());
    if (step % 500 == 0 || position == 0) {
      ASSERT_EQ(Contents(chunked), model) << "step " << step;
    }
  }
  EXPECT_EQ(Contents(chunked), model);
}

}  // namespace
