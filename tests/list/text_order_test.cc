// The list library's text sort, checked against std::stable_sort.
#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <algorithm>    // std::stable_sort
#include <cstddef>      // std::size_t
#include <cstdint>      // std::int64_t
#include <random>       // std::mt19937, std::uniform_int_distribution
#include <string>       // std::string
#include <string_view>  // std::string_view
#include <utility>      // std::pair
#include <vector>       // std::vector

#include "hostlibs/list/text_order.h"  // rovivar::SortedTexts

namespace {

// Texts with their positions, in sorted order.
using Sorted = std::vector<std::pair<std::string, std::int64_t>>;

// The texts as the sort gives them (made from its keys or read from the
// input), each of which must be its input position's text.
Sorted SortedBySortedTexts(const std::vector<std::string>& texts) {
  const std::vector<std::string_view> views(texts.begin(), texts.end());
  rovivar::SortedTexts sorted_texts(views);
  Sorted sorted;
  for (std::size_t i = 0; i < sorted_texts.size(); ++i) {
    const std::size_t position = sorted_texts.position(i);
    sorted.emplace_back(sorted_texts.text(i), static_cast<std::int64_t>(position));
    EXPECT_EQ(sorted.back().first, texts.at(position)) << "at " << i;
  }
  // Every position comes once.
  EXPECT_EQ(sorted.size(), texts.size());
  std::vector<bool> seen(texts.size());
  for (const auto& [text, position] : sorted) {
    EXPECT_FALSE(seen[static_cast<std::size_t>(position)]) << position;
    seen[static_cast<std::size_t>(position)] = true;
  }
  return sorted;
}

// The reference: a stable sort comparing unsigned bytes.
Sorted SortedByReference(const std::vector<std::string>& texts) {
  Sorted sorted;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    sorted.emplace_back(texts[i], static_cast<std::int64_t>(i));
  }
  std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
    return std::string_view(a.first) < std::string_view(b.first);
  });
  return sorted;
}

// `count` texts: a shared prefix, then 0 to `tail_length` bytes drawn from
// `alphabet`, so that duplicates, prefixes of one another and texts equal in
// their first bytes but not later all occur. Each `draw` number gives its own
// repeatable texts.
std::vector<std::string> RandomTexts(std::size_t count, const std::string& prefix,
                                     const std::string& alphabet, int tail_length, unsigned draw) {
  std::mt19937 random(draw);
  std::uniform_int_distribution<int> length(0, tail_length);
  std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < count; ++i) {
    std::string text = prefix;
    for (int n = length(random); n > 0; --n) text += alphabet[letter(random)];
    texts.push_back(text);
  }
  return texts;
}

TEST(ListLibraryTextOrderTest, SortsFewTextsByUnsignedBytesKeepingEqualOnesInOrder) {
  const std::vector<std::string> texts = {"b", "\x80z", "a", "B", "b", "", "ab", "\xff", "a"};
  EXPECT_EQ(SortedBySortedTexts(texts), (Sorted{{"", 5},
                                               {"B", 3},
                                               {"a", 2},
                                               {"a", 8},
                                               {"ab", 6},
                                               {"b", 0},
                                               {"b", 4},
                                               {"\x80z", 1},
                                               {"\xff", 7}}));
  EXPECT_TRUE(SortedBySortedTexts({}).empty());
  EXPECT_EQ(SortedBySortedTexts({"only"}), (Sorted{{"only", 0}}));
}

// Enough texts for the radix sort, with texts longer than their keys.
TEST(ListLibraryTextOrderTest, SortsManyTextsLikeAStableByteWiseSort) {
  const std::string alphabet = std::string("ab\x7f\x80\xff") + "0";
  for (const std::string prefix : {"", "name_", "\xc3\xa9t\xc3\xa9_"}) {
    for (const int tail_length : {3, 9, 20}) {
      const std::vector<std::string> texts =
          RandomTexts(3000, prefix, alphabet, tail_length, static_cast<unsigned>(tail_length));
      ASSERT_EQ(SortedBySortedTexts(texts), SortedByReference(texts))
          << "prefix '" << prefix << "', tails up to " << tail_length;
    }
  }
}

// Enough texts for the radix sort to split them into parts by their most
// significant differing key byte before sorting each part.
TEST(ListLibraryTextOrderTest, SortsLargeInputsInPartsLikeAStableByteWiseSort) {
  const std::vector<std::string> texts = RandomTexts(70000, "k", "0123456789\xc3\xa9", 12, 3);
  ASSERT_EQ(SortedBySortedTexts(texts), SortedByReference(texts));
}

// Texts whose first 8 bytes (their keys: they share no prefix) are equal
// while what follows differs, or is missing.
TEST(ListLibraryTextOrderTest, OrdersTextsEqualInTheirKeysByWhatFollows) {
  std::mt19937 random(5);
  std::vector<std::string> texts;
  for (int i = 0; i < 1200; ++i) {
    std::string text = (i % 2 == 0) ? "a1234567" : "b1234567";
    for (int n = static_cast<int>(random() % 4); n > 0; --n) {
      text += static_cast<char>('0' + random() % 3);
    }
    texts.push_back(text);
  }
  ASSERT_EQ(SortedBySortedTexts(texts), SortedByReference(texts));
}

// Texts that arrive in order, some ending exactly where their keys end and
// some going on past them with equal keys, and texts equal to the shared
// prefix: the order is kept and every text comes back whole.
TEST(ListLibraryTextOrderTest, KeepsTextsThatArriveInOrder) {
  std::vector<std::string> texts = {"p",         "p",         "p1234567",  "p12345678",
                                    "p12345678", "p12345678z", "p1234567a", "p2"};
  for (const std::string& text : RandomTexts(3000, "p", "0123456789", 8, 9)) texts.push_back(text);
  std::stable_sort(texts.begin(), texts.end());
  ASSERT_EQ(SortedBySortedTexts(texts), SortedByReference(texts));
  // None past its key now:
  std::erase_if(texts, [](const std::string& text) { return text.size() > 9; });
  ASSERT_EQ(SortedBySortedTexts(texts), SortedByReference(texts));
}

TEST(ListLibraryTextOrderTest, KeepsTheOrderOfManyEqualTexts) {
  std::vector<std::string> texts(1000, "same");
  texts[500] = "same but longer";
  texts[10] = "sam";
  ASSERT_EQ(SortedBySortedTexts(texts), SortedByReference(texts));
}

}  // namespace
