#include "diff/filediff/marked_walk.h"

#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <string>  // std::string
#include <vector>  // std::vector

namespace diff {
namespace {

constexpr std::int64_t S = DIFF_STATUS_SAME;
constexpr std::int64_t D = DIFF_STATUS_DIFFERENT;

void fill(CStrList& list, const std::vector<std::pair<const char*, std::int64_t>>& items) {
  for (const auto& [text, data] : items) list.Append(text, data);
}

// The walk as a string: "A:x" for a name only in A, "B:y" only in B, "x=y"
// for a pair.
std::string walk(CStrList& a, CStrList& b) {
  std::string steps;
  walk_marked_names(
      a, b, [&](int i) { steps += std::string("A:") + a.GetTextAt(i) + " "; },
      [&](int j) { steps += std::string("B:") + b.GetTextAt(j) + " "; },
      [&](int i, int j) {
        const char* b_text = b.GetTextAt(j);
        steps += std::string(a.GetTextAt(i)) + "=" + (b_text ? b_text : "-") + " ";
      });
  return steps;
}

TEST(MarkedWalkTest, RunsOfOneSidedNamesComeBeforeEachPair) {
  CStrList a, b;
  fill(a, {{"a", D}, {"c", S}, {"e", D}, {"f", D}});
  fill(b, {{"b", D}, {"c", S}, {"d", D}, {"g", D}});
  EXPECT_EQ(walk(a, b), "A:a B:b c=c A:e A:f B:d B:g ");
}

TEST(MarkedWalkTest, EndsWhateverTheDataWords) {
  CStrList a, b;
  fill(a, {{"a", 7}, {"b", S}, {"c", -1}});
  fill(b, {{"x", 0}, {"b", S}, {"y", D}});
  EXPECT_EQ(walk(a, b), "b=b B:y ");  // items without a status code are stepped over
}

TEST(MarkedWalkTest, PairWithoutPartnerLeftInB) {
  CStrList a, b;
  fill(a, {{"a", S}, {"b", S}});
  fill(b, {{"a", S}});
  EXPECT_EQ(walk(a, b), "a=a b=- ");
}

}  // namespace
}  // namespace diff
