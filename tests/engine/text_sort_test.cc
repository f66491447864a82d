// The engine's text sort against a comparison sort of the same texts: the
// same order, equal texts in input order, for lists sorted by comparisons
// and for longer ones sorted byte by byte.
#include <gtest/gtest.h>  // TEST, EXPECT_EQ

#include <algorithm>  // std::stable_sort, std::sort
#include <cstdint>    // std::int64_t
#include <cstring>    // std::strcmp
#include <random>     // std::mt19937, the texts' bytes
#include <string>     // std::string
#include <utility>    // std::swap
#include <vector>     // std::vector

#include "diff/engine/text_sort.h"  // sort_texts_stably

namespace {

void ExpectSortedAsByComparison(const std::vector<std::string>& texts) {
  std::vector<const char*> pointers;
  for (const std::string& text : texts) pointers.push_back(text.c_str());
  std::vector<std::int64_t> expected(texts.size());
  for (std::size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<std::int64_t>(i);
  std::stable_sort(expected.begin(), expected.end(), [&](std::int64_t x, std::int64_t y) {
    return std::strcmp(pointers[static_cast<std::size_t>(x)],
                       pointers[static_cast<std::size_t>(y)]) < 0;
  });
  std::vector<const char*> sorted;
  std::vector<std::int64_t> from;
  diff::engine::sort_texts_stably(pointers, sorted, from);
  ASSERT_EQ(from, expected);
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    ASSERT_EQ(sorted[i], pointers[static_cast<std::size_t>(from[i])]) << i;
  }
}

// Texts drawn from a few bytes, high ones among them, so that equal texts,
// texts that are prefixes of others and shared beginnings all occur. The
// same `draw` gives the same texts on every run.
std::vector<std::string> MixedTexts(std::size_t count, std::size_t longest, unsigned draw) {
  std::mt19937 next_number(draw);
  const std::string bytes = "ab\x7f\x80\xff";
  std::vector<std::string> texts(count);
  for (std::string& text : texts) {
    text = "prefix-";
    const std::size_t length = next_number() % (longest + 1);
    for (std::size_t i = 0; i < length; ++i) text.push_back(bytes[next_number() % bytes.size()]);
  }
  return texts;
}

TEST(TextSortTest, OrdersAsAStableComparisonSort) {
  for (const std::size_t count : {0, 1, 2, 31, 32, 64, 65, 1000, 5000}) {
    for (const std::size_t longest : {0, 1, 3, 12}) {
      SCOPED_TRACE(std::to_string(count) + " texts of up to " + std::to_string(longest));
      ExpectSortedAsByComparison(MixedTexts(count, longest, static_cast<unsigned>(count)));
    }
  }
}

// Lists in order but for their last texts, and in order with equal texts:
// the first is sorted, the second kept as it is.
TEST(TextSortTest, ListsNearlyOrAlreadyInOrder) {
  for (const std::size_t count : {32, 1000}) {
    std::vector<std::string> texts = MixedTexts(count, 6, 7);
    std::sort(texts.begin(), texts.end());
    texts.insert(texts.begin() + 1, texts.front());
    SCOPED_TRACE(std::to_string(count) + " texts");
    ExpectSortedAsByComparison(texts);
    std::swap(texts[texts.size() - 2], texts.back());
    texts.back() = "prefix-";
    ExpectSortedAsByComparison(texts);
  }
}

TEST(TextSortTest, TextsThatNestAsDeepAsTheListIsLong) {
  std::vector<std::string> texts;
  for (std::size_t length = 3000; length > 0; --length) texts.emplace_back(length, 'a');
  texts.emplace_back("");
  texts.emplace_back("b");
  ExpectSortedAsByComparison(texts);
}

// Short lists whose texts part at their first byte: empty texts, high bytes
// (which sort after the others) and equal texts among them.
TEST(TextSortTest, ShortListsPartingAtTheFirstByte) {
  ExpectSortedAsByComparison({"b", "", "\xff", "a", "", "ab", "\x80x", "a", "\x7f"});
  ExpectSortedAsByComparison({"type", "tag", "flow", "head", "speed", "status", "connected_to",
                              "manufacturer", "power", "notes", "seal_type"});
}

}  // namespace
