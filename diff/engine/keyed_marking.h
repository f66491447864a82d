// The marking step of a keyed list comparison, shared by both list flavours.
//
// Both sides arrive as texts in sorted order (the list library's byte-wise
// order). Each name of A is paired with the first name of B that is equal to
// it and not yet paired; A's names are visited in order. Because both sides
// share one order, a single merge finds exactly those pairs in linear time.
// The marks are kept here, apart from the texts, so that a name that happens
// to read like a status code compares like any other name.
#ifndef DIFF_ENGINE_KEYED_MARKING_H_
#define DIFF_ENGINE_KEYED_MARKING_H_

#include <cstdint>  // std::int64_t
#include <span>     // std::span
#include <vector>   // std::vector

#include "diff/engine/slot_rule.h"   // SlotRuleLookup
#include "diff/engine/value_rule.h"  // ValueRule

namespace diff::engine {

// The mark of one item of a sorted list.
enum class Mark : std::uint8_t {
  kDifferent,  // no counterpart, or the values differ
  kSame,       // counterpart found (and, for a value, the values are equal)
};

// The item status code that a mark stands for.
std::int64_t status_code(Mark mark);

using Texts = std::span<const char* const>;

struct KeyedMarks {
  std::vector<Mark> a_names, a_values, b_names, b_values;
  bool differ = false;  // the sides differ in any way
  // For each name of A, the position of its partner in B; kept here so that
  // a caller marking many sides reuses it.
  std::vector<std::int64_t> partners;
};

// Marks two sorted sides into `marks`, whose vectors are refilled (their
// memory reused). Values are compared only when `compare_values` is set, in
// which case `a_values` and `b_values` are parallel to the names and equal
// under `rule`, or under the slot rule that `slot_rules` (when not null)
// finds for the name; otherwise the value marks are left empty.
void mark_sorted_sides(Texts a_names, Texts a_values, Texts b_names, Texts b_values,
                       bool compare_values, const ValueRule& rule, KeyedMarks& marks,
                       const SlotRuleLookup* slot_rules = nullptr);

// The same, into new vectors.
inline KeyedMarks mark_sorted_sides(Texts a_names, Texts a_values, Texts b_names,
                                    Texts b_values, bool compare_values,
                                    const ValueRule& rule,
                                    const SlotRuleLookup* slot_rules = nullptr) {
  KeyedMarks marks;
  mark_sorted_sides(a_names, a_values, b_names, b_values, compare_values, rule, marks,
                    slot_rules);
  return marks;
}

}  // namespace diff::engine

#endif  // DIFF_ENGINE_KEYED_MARKING_H_
