#include "diff/engine/keyed_marking.h"

#include <cstring>  // std::strcmp

#include "diff/diff.h"                   // DIFF_STATUS_DIFFERENT, DIFF_STATUS_SAME
#include "diff/engine/slot_values_judge.h"  // slot_values_differ
#include "diff/engine/values_differ.h"   // values_differ

namespace diff::engine {
namespace {

constexpr std::int64_t kUnpaired = -1;

// Fills `partner` with, for every name of A, the position of its partner in B
// or kUnpaired. A name of B is taken by the first equal name of A that is not
// yet paired.
void pair_names(Texts a, Texts b, std::vector<std::int64_t>& partner) {
  partner.assign(a.size(), kUnpaired);
  std::size_t next_b = 0;  // every B name before it is paired or sorts before the current A name
  for (std::size_t i = 0; i < a.size(); ++i) {
    while (next_b < b.size() && std::strcmp(b[next_b], a[i]) < 0) ++next_b;
    if (next_b < b.size() && std::strcmp(b[next_b], a[i]) == 0) {
      partner[i] = static_cast<std::int64_t>(next_b);
      ++next_b;
    }
  }
}

// Equality under the slot rule of `name`, or the run's rule when it has none;
// identical texts need no lookup.
bool equal_by_slot(const char* name, const char* a, const char* b, const ValueRule& rule,
                   const SlotRuleLookup& slot_rules) {
  if (std::strcmp(a != nullptr ? a : "", b != nullptr ? b : "") == 0) return true;
  const SlotRule* slot_rule = slot_rules.rule_for(name != nullptr ? name : "");
  if (slot_rule == nullptr) return values_differ(a, b, rule) == 0;
  return slot_values_differ(a, b, *slot_rule) == 0;
}

}  // namespace

std::int64_t status_code(Mark mark) {
  return mark == Mark::kSame ? DIFF_STATUS_SAME : DIFF_STATUS_DIFFERENT;
}

void mark_sorted_sides(Texts a_names, Texts a_values, Texts b_names, Texts b_values,
                       bool compare_values, const ValueRule& rule, KeyedMarks& marks,
                       const SlotRuleLookup* slot_rules) {
  marks.a_names.assign(a_names.size(), Mark::kDifferent);
  marks.b_names.assign(b_names.size(), Mark::kDifferent);
  marks.a_values.clear();
  marks.b_values.clear();
  if (compare_values) {
    marks.a_values.assign(a_names.size(), Mark::kDifferent);
    marks.b_values.assign(b_names.size(), Mark::kDifferent);
  }
  marks.differ = a_names.size() != b_names.size();

  std::vector<std::int64_t>& partner = marks.partners;
  pair_names(a_names, b_names, partner);
  // The value texts may lie anywhere in memory (in the order of the lists
  // they came from); each pair is asked for a few pairs ahead of its reads.
  constexpr std::size_t kFetchAhead = 16;
  for (std::size_t i = 0; i < a_names.size(); ++i) {
    if (compare_values && i + kFetchAhead < a_names.size() &&
        partner[i + kFetchAhead] != kUnpaired) {
      __builtin_prefetch(a_values[i + kFetchAhead]);
      __builtin_prefetch(b_values[static_cast<std::size_t>(partner[i + kFetchAhead])]);
    }
    if (partner[i] == kUnpaired) {
      marks.differ = true;
      continue;
    }
    const auto j = static_cast<std::size_t>(partner[i]);
    marks.a_names[i] = Mark::kSame;
    marks.b_names[j] = Mark::kSame;
    if (!compare_values) continue;
    const bool equal = slot_rules == nullptr
                           ? values_differ(a_values[i], b_values[j], rule) == 0
                           : equal_by_slot(a_names[i], a_values[i], b_values[j], rule, *slot_rules);
    if (equal) {
      marks.a_values[i] = Mark::kSame;
      marks.b_values[j] = Mark::kSame;
    } else {
      marks.differ = true;
    }
  }
}

}  // namespace diff::engine
