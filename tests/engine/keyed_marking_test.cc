// The merge that marks two sorted sides against the marking as first written:
// a search of B for every name of A, with the marks written into the item
// texts. On names that do not read like status codes both must agree, mark
// for mark, in both list flavours.
#include "diff/engine/keyed_marking.h"

#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <algorithm>  // std::sort, std::find
#include <cstdlib>    // std::atoi
#include <random>     // std::mt19937
#include <string>     // std::string
#include <vector>     // std::vector

#include "diff/engine/values_differ.h"  // values_differ

namespace diff::engine {
namespace {

const std::string kSame = "100001";
const std::string kDifferent = "100000";

struct Side {
  std::vector<std::string> names, values;
};

struct Codes {
  std::vector<int> a_names, a_values, b_names, b_values;
  int result = 0;
  bool operator==(const Codes&) const = default;
};

std::vector<int> codes_of(const std::vector<std::string>& texts) {
  std::vector<int> codes;
  for (const std::string& text : texts) codes.push_back(std::atoi(text.c_str()));
  return codes;
}

// The search-and-mark walk. `last_start` is -1 for list2 lists and 0 for
// string lists; string lists end with a pass over B's unmarked items, list2
// lists with a run from the last match to the end.
Codes mark_by_search(Side a, Side b, int last_start, bool final_pass_over_unmarked) {
  Codes codes;
  const int len_a = static_cast<int>(a.names.size());
  const int len_b = static_cast<int>(b.names.size());
  codes.result = len_a != len_b;
  int last = last_start;
  for (int i = 0; i < len_a; ++i) {
    const std::string name = a.names[i];
    const auto found = std::find(b.names.begin(), b.names.end(), name);
    if (found == b.names.end()) {
      codes.result = 1;
      a.names[i] = a.values[i] = kDifferent;
      continue;
    }
    const int j = static_cast<int>(found - b.names.begin());
    a.names[i] = b.names[j] = kSame;
    const bool equal = values_differ(a.values[i].c_str(), b.values[j].c_str()) == 0;
    a.values[i] = b.values[j] = equal ? kSame : kDifferent;
    if (!equal) codes.result = 1;
    if (j - last > 1) {
      codes.result = 1;
      for (int k = last + 1; k < j; ++k) b.names[k] = b.values[k] = kDifferent;
    }
    last = j;
  }
  for (int k = 0; k < len_b; ++k) {
    const bool marked = b.names[k] == kSame || b.names[k] == kDifferent;
    const bool after_last = k > last;
    if (final_pass_over_unmarked ? !marked : after_last) {
      if (!final_pass_over_unmarked) codes.result = 1;
      b.names[k] = b.values[k] = kDifferent;
    }
  }
  codes.a_names = codes_of(a.names);
  codes.a_values = codes_of(a.values);
  codes.b_names = codes_of(b.names);
  codes.b_values = codes_of(b.values);
  return codes;
}

std::vector<int> codes_of(const std::vector<Mark>& marks) {
  std::vector<int> codes;
  for (Mark mark : marks) codes.push_back(static_cast<int>(status_code(mark)));
  return codes;
}

std::vector<const char*> pointers(const std::vector<std::string>& texts) {
  std::vector<const char*> result;
  for (const std::string& text : texts) result.push_back(text.c_str());
  return result;
}

Codes mark_by_merge(const Side& a, const Side& b) {
  const auto an = pointers(a.names), av = pointers(a.values);
  const auto bn = pointers(b.names), bv = pointers(b.values);
  const KeyedMarks marks = mark_sorted_sides(an, av, bn, bv, true, ValueRule{});
  return Codes{codes_of(marks.a_names), codes_of(marks.a_values), codes_of(marks.b_names),
               codes_of(marks.b_values), marks.differ ? 1 : 0};
}

// A sorted side of up to `max_items` names drawn from a few letters, with
// duplicates, and values that sit near the tolerance.
Side random_side(std::mt19937& random, int max_items) {
  static const char* const kNames[] = {"a", "b", "c", "d", "e", "f", "g"};
  static const char* const kValues[] = {"1", "1.01", "1.05", "x", "X", "", "0", "-3"};
  Side side;
  const int count = static_cast<int>(random() % static_cast<unsigned>(max_items + 1));
  for (int i = 0; i < count; ++i) side.names.push_back(kNames[random() % 7]);
  std::sort(side.names.begin(), side.names.end());
  for (int i = 0; i < count; ++i) side.values.push_back(kValues[random() % 8]);
  return side;
}

TEST(KeyedMarkingTest, MergeAgreesWithSearchInBothFlavours) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 20000; ++round) {
    const Side a = random_side(random, 7);
    const Side b = random_side(random, 7);
    const Codes merged = mark_by_merge(a, b);
    ASSERT_EQ(merged, mark_by_search(a, b, -1, false)) << "list2 walk, round " << round;
    ASSERT_EQ(merged, mark_by_search(a, b, 0, true)) << "string-list walk, round " << round;
  }
}

TEST(KeyedMarkingTest, ValuesAreLeftUnmarkedWhenNotCompared) {
  const std::vector<const char*> a = {"k"};
  const KeyedMarks marks = mark_sorted_sides(a, {}, a, {}, false, ValueRule{});
  EXPECT_FALSE(marks.differ);
  EXPECT_EQ(marks.a_names, (std::vector<Mark>{Mark::kSame}));
  EXPECT_TRUE(marks.a_values.empty());
  EXPECT_TRUE(marks.b_values.empty());
}

}  // namespace
}  // namespace diff::engine
