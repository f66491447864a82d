#include "merge/slot_merge.h"  // MergeSlot

namespace odbdiff {
namespace {

SlotSource Ours(const SlotThreeWay& slot) {
  return slot.in_ours ? SlotSource::kOurs : SlotSource::kNone;
}
SlotSource Theirs(const SlotThreeWay& slot) {
  return slot.in_theirs ? SlotSource::kTheirs : SlotSource::kNone;
}

}  // namespace

SlotMerge MergeSlot(const SlotThreeWay& slot, Favor favor) {
  if (!slot.theirs_changed) return {Ours(slot), ConflictKind::kNone};
  if (!slot.ours_changed) return {Theirs(slot), ConflictKind::kNone};
  if (slot.ours_equals_theirs) return {Ours(slot), ConflictKind::kNone};
  const ConflictKind kind = !slot.in_base                    ? ConflictKind::kBothAdded
                            : slot.in_ours && slot.in_theirs ? ConflictKind::kBothChanged
                                                             : ConflictKind::kChangedAndRemoved;
  return {favor == Favor::kTheirs ? Theirs(slot) : Ours(slot), kind};
}

}  // namespace odbdiff
