// Item by item merging of list slots whose order means nothing, as the slot
// rules' "lists" setting says ("unordered" or "set").
#ifndef ODBDIFF_MERGE_LIST_MERGE_H_
#define ODBDIFF_MERGE_LIST_MERGE_H_

#include <optional>  // std::optional
#include <string>    // std::string
#include <vector>    // std::vector

#include "inputs/object_model.h"        // ListValue
#include "request/slot_rule_options.h"  // SlotRule

namespace odbdiff {

// The "lists" setting of the first slot rule whose globs match the slot
// `slot` of `object` (as the module picks it); "ordered" when none does.
std::string ListOrderOf(const std::vector<SlotRule>& rules, const std::string& object,
                        const std::string& slot);

// Merges three versions of a list whose order means nothing: each item, as
// a text, occurs as often as base holds it, changed by what one side
// changed, or by the same change made on both sides once. As a set
// (`as_set`), every item occurs once or not at all. Ours' items come first in
// ours' order, then those from theirs alone in theirs' order. Returns
// nullopt when both sides changed how often one item occurs in different
// ways, a conflict only the whole values can settle.
std::optional<ListValue> MergeListItems(const ListValue& base, const ListValue& ours,
                                        const ListValue& theirs, bool as_set);

}  // namespace odbdiff

#endif  // ODBDIFF_MERGE_LIST_MERGE_H_
