// The three-way merge of one slot: what base, ours and theirs hold, judged
// by the comparison rules, decides which side's value the merge takes, or
// that the two sides conflict. Values are taken whole here; a list slot
// that both sides changed may then still merge item by item (list_merge.h).
#ifndef ODBDIFF_MERGE_SLOT_MERGE_H_
#define ODBDIFF_MERGE_SLOT_MERGE_H_

namespace odbdiff {

// Which side resolves the conflicts: none (ours, and the conflict is
// reported), ours or theirs (--favor).
enum class Favor { kNone, kOurs, kTheirs };

enum class ConflictKind {
  kNone,
  kBothChanged,        // a slot of all three, changed to other values on both sides
  kBothAdded,          // a slot new on both sides, with other values
  kChangedAndRemoved,  // a slot changed on one side and removed on the other
  kObjectRemoved,      // a slot changed on one side of an object removed on the other
};

// One slot as the three files hold it. "Changed" means a difference under
// the comparison rules against base: the slot added, removed, or its value
// not equal.
struct SlotThreeWay {
  bool in_base = false;
  bool in_ours = false;
  bool in_theirs = false;
  bool ours_changed = false;
  bool theirs_changed = false;
  bool ours_equals_theirs = false;  // both hold it with equal values, or neither
};

enum class SlotSource { kNone, kOurs, kTheirs };

struct SlotMerge {
  SlotSource source = SlotSource::kNone;  // the side whose value the merge takes
  ConflictKind conflict = ConflictKind::kNone;
};

// A change on one side is taken, the same change on both sides once; other
// changes on both sides conflict and take the favoured side (ours without).
SlotMerge MergeSlot(const SlotThreeWay& slot, Favor favor);

}  // namespace odbdiff

#endif  // ODBDIFF_MERGE_SLOT_MERGE_H_
