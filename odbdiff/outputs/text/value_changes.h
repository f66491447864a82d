// What changed between a slot's two values, for show's text: which items of
// two lists, which parts of two texts, and by how much a number. Each takes
// time in proportion to the values' lengths, but for the part between their
// equal ends, which is compared item by item (or word by word) only while
// it is small enough (kAlignLimit), and else counts as changed whole.
#ifndef ODBDIFF_OUTPUTS_TEXT_VALUE_CHANGES_H_
#define ODBDIFF_OUTPUTS_TEXT_VALUE_CHANGES_H_

#include <cstddef>      // std::size_t
#include <string>       // std::string
#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "inputs/object_model.h"  // NumberValue

namespace odbdiff {

// The most pairs of items between the equal ends that are compared one by one.
inline constexpr std::size_t kAlignLimit = 250000;

// One step from a list (or text) A to B: items of both, or of one side.
struct ChangeStep {
  enum Kind { kSame, kRemoved, kAdded } kind;
  std::size_t a = 0;  // the first item of A (kSame, kRemoved)
  std::size_t b = 0;  // the first item of B (kSame, kAdded)
  std::size_t count = 1;
};

// The steps from `a` to `b`: the equal items at both ends, and between them a
// longest common subsequence when that part has at most kAlignLimit pairs;
// runs of a kind are one step.
std::vector<ChangeStep> AlignItems(const std::vector<std::string_view>& a,
                                   const std::vector<std::string_view>& b);

// A text cut into its parts: equal ends character by character (whole UTF-8
// characters), the words and other characters between. Nothing when A and B
// have nothing in common (no part worth pointing at) or are not UTF-8.
struct TextChange {
  std::vector<std::string_view> a;  // the parts of A and of B, in order
  std::vector<std::string_view> b;
  std::vector<ChangeStep> steps;    // over those parts
};
bool FindTextChange(std::string_view a, std::string_view b, TextChange& change);

// The difference of B from A when both have the same units: "+6 m3/h, +5 %"
// (the percentage of A's size; none when A is 0). Empty when the units
// differ or the difference is not a finite number other than 0.
std::string NumberChange(const NumberValue& a, const NumberValue& b);

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_TEXT_VALUE_CHANGES_H_
