#include "merge/list_merge.h"  // ListOrderOf, MergeListItems

#include <fnmatch.h>  // fnmatch, the globs of the slot rules

#include <algorithm>      // std::min
#include <cstddef>        // std::size_t
#include <unordered_map>  // std::unordered_map, counts of items

namespace odbdiff {
namespace {

using Counts = std::unordered_map<std::string, std::size_t>;

Counts CountsOf(const ListValue& list, bool as_set) {
  Counts counts;
  for (const std::string& item : list.items) {
    std::size_t& count = counts[item];
    count = as_set ? 1 : count + 1;
  }
  return counts;
}

std::size_t CountIn(const Counts& counts, const std::string& item) {
  const auto found = counts.find(item);
  return found == counts.end() ? 0 : found->second;
}

}  // namespace

std::string ListOrderOf(const std::vector<SlotRule>& rules, const std::string& object,
                        const std::string& slot) {
  for (const SlotRule& rule : rules) {
    if (fnmatch(rule.object.c_str(), object.c_str(), 0) == 0 &&
        fnmatch(rule.slot.c_str(), slot.c_str(), 0) == 0) {
      return rule.lists;
    }
  }
  return "ordered";
}

std::optional<ListValue> MergeListItems(const ListValue& base, const ListValue& ours,
                                        const ListValue& theirs, bool as_set) {
  const Counts base_counts = CountsOf(base, as_set);
  const Counts ours_counts = CountsOf(ours, as_set);
  const Counts theirs_counts = CountsOf(theirs, as_set);
  // How often each item occurs in the merge, worked out once per item.
  Counts merged;
  for (const Counts* side : {&base_counts, &ours_counts, &theirs_counts}) {
    for (const auto& [item, count] : *side) {
      if (merged.contains(item)) continue;
      const std::size_t in_base = CountIn(base_counts, item);
      const std::size_t in_ours = CountIn(ours_counts, item);
      const std::size_t in_theirs = CountIn(theirs_counts, item);
      if (in_ours != in_base && in_theirs != in_base && in_ours != in_theirs) return std::nullopt;
      merged[item] = in_ours != in_base ? in_ours : in_theirs;
    }
  }
  ListValue result;
  for (const ListValue* side : {&ours, &theirs}) {
    for (const std::string& item : side->items) {
      std::size_t& left = merged[item];
      if (left == 0) continue;
      result.items.push_back(item);
      --left;
    }
  }
  return result;
}

}  // namespace odbdiff
