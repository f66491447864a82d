#include "merge/object_merge.h"  // MergeObject, MergeSide

#include <cstdint>        // std::int64_t
#include <cstring>        // std::strcmp
#include <map>            // std::map, an object's slots by name
#include <string_view>    // std::string_view
#include <unordered_map>  // std::unordered_map, slot values by name
#include <utility>        // std::move

#include "inputs/object_slots_compare.h"  // CompareObjectSlots, ComparedSlots
#include "merge/list_merge.h"             // ListOrderOf, MergeListItems
#include "module/difference_feed.h"       // SortedSlots, SortedSlot

namespace odbdiff {
namespace {

using ValuesByName = std::unordered_map<std::string_view, const SlotValue*>;

ValuesByName ValuesOf(MergeSide& side) {
  ValuesByName values;
  if (side.found()) {
    for (const Slot& slot : side.typed().slots) values.emplace(slot.name, &slot.value);
  }
  return values;
}

std::optional<SlotValue> ValueOf(const ValuesByName& values, const std::string& slot) {
  const auto found = values.find(slot);
  if (found == values.end()) return std::nullopt;
  return *found->second;
}

// The same slot names and value texts in the same order: equal under every
// rule, so that the module need not be asked.
bool SameTexts(const LoadedSide& x, const LoadedSide& y) {
  if (x.found != y.found) return false;
  const int length = list2_length(x.names.get());
  if (length != list2_length(y.names.get())) return false;
  const auto item = [](const List2& list, int i) {
    std::int64_t data = 0;
    return list2_get_item(list.get(), i, &data);
  };
  for (int i = 0; i < length; ++i) {
    if (std::strcmp(item(x.names, i), item(y.names, i)) != 0 ||
        std::strcmp(item(x.values, i), item(y.values, i)) != 0) {
      return false;
    }
  }
  return true;
}

// Records what base against one side tells of each slot; `compared` is base
// (A) against the side (B).
void JudgeSide(const ComparedSlots& compared, bool ours,
               std::map<std::string, SlotThreeWay>& slots) {
  for (const SortedSlot& slot : SortedSlots(compared.a_names.get(), compared.a_values.get())) {
    SlotThreeWay& three = slots[slot.name];
    three.in_base = true;
    (ours ? three.in_ours : three.in_theirs) = !slot.one_sided;
    (ours ? three.ours_changed : three.theirs_changed) = slot.one_sided || !slot.values_equal;
  }
  for (const SortedSlot& slot : SortedSlots(compared.b_names.get(), compared.b_values.get())) {
    if (!slot.one_sided) continue;
    SlotThreeWay& three = slots[slot.name];
    (ours ? three.in_ours : three.in_theirs) = true;
    (ours ? three.ours_changed : three.theirs_changed) = true;
  }
}

std::optional<Object> WholeOf(MergeSide& side) {
  if (!side.found()) return std::nullopt;
  return side.TakeTyped();
}

class ObjectMerger {
 public:
  ObjectMerger(const DiffModule& module, const std::string& name, MergeSide& base,
               MergeSide& ours, MergeSide& theirs, const MergeChoices& choices)
      : module_(module), name_(name), base_(base), ours_(ours), theirs_(theirs),
        favor_(choices.favor), slot_rules_(choices.slot_rules) {}

  MergedObject Merge() {
    // Most objects of a merge are not changed by theirs.
    if (SameTexts(base_.texts(), theirs_.texts())) return {WholeOf(ours_), {}};
    if (module_.diff_is_ignored(name_.c_str(), nullptr) != 0) return {WholeOf(ours_), {}};
    const ComparedSlots base_ours = Compare(base_, ours_);
    const ComparedSlots base_theirs = Compare(base_, theirs_);
    const bool ours_changed = base_ours.differ || base_.found() != ours_.found();
    const bool theirs_changed = base_theirs.differ || base_.found() != theirs_.found();
    if (!theirs_changed) return {WholeOf(ours_), {}};
    if (!base_.found() && !ours_.found()) return {WholeOf(theirs_), {}};  // new in theirs alone
    if (!ours_.found() && !theirs_.found()) return {std::nullopt, {}};   // removed on both sides
    if (!theirs_.found() && !ours_changed) return {std::nullopt, {}};    // removed in theirs alone

    std::map<std::string, SlotThreeWay> slots;
    JudgeSide(base_ours, /*ours=*/true, slots);
    JudgeSide(base_theirs, /*ours=*/false, slots);
    if (!ours_.found() || !theirs_.found()) return RemovedAndChanged(slots);
    JudgeOursAgainstTheirs(slots);
    return MergeSlots(slots);
  }

 private:
  ComparedSlots Compare(MergeSide& a, MergeSide& b) const {
    return CompareObjectSlots(module_, name_, a.texts(), b.texts());
  }

  // One side removed the object, the other changed it: each slot the other
  // changed is a conflict, and the favoured side's object is taken whole.
  MergedObject RemovedAndChanged(const std::map<std::string, SlotThreeWay>& slots) {
    MergedObject merged;
    const bool ours_removed = !ours_.found();
    for (const auto& [slot, three] : slots) {
      if (ours_removed ? three.theirs_changed : three.ours_changed) {
        AddConflict(merged, slot, ConflictKind::kObjectRemoved);
      }
    }
    merged.object = WholeOf(favor_ == Favor::kTheirs ? theirs_ : ours_);
    return merged;
  }

  // Slots that both sides hold after both changed them: equal or not.
  void JudgeOursAgainstTheirs(std::map<std::string, SlotThreeWay>& slots) {
    bool needed = false;
    for (auto& [slot, three] : slots) {
      three.ours_equals_theirs = !three.in_ours && !three.in_theirs;
      needed = needed || (three.ours_changed && three.theirs_changed && three.in_ours &&
                          three.in_theirs);
    }
    if (!needed) return;
    const ComparedSlots ours_theirs = Compare(ours_, theirs_);
    for (const SortedSlot& slot :
         SortedSlots(ours_theirs.a_names.get(), ours_theirs.a_values.get())) {
      if (!slot.one_sided && slot.values_equal) slots[slot.name].ours_equals_theirs = true;
    }
  }

  // Both sides changed a list whose order means nothing: merged item by
  // item when they changed different items.
  std::optional<ListValue> MergedItems(const std::string& slot) {
    const std::string order = ListOrderOf(slot_rules_, name_, slot);
    if (order == "ordered") return std::nullopt;
    ReadValues();
    const auto list = [&slot](const ValuesByName& values) -> const ListValue* {
      const auto found = values.find(slot);
      return found == values.end() ? nullptr : std::get_if<ListValue>(found->second);
    };
    const ListValue* base = list(base_values_);
    const ListValue* ours = list(ours_values_);
    const ListValue* theirs = list(theirs_values_);
    if (base == nullptr || ours == nullptr || theirs == nullptr) return std::nullopt;
    return MergeListItems(*base, *ours, *theirs, order == "set");
  }

  MergedObject MergeSlots(const std::map<std::string, SlotThreeWay>& slots) {
    MergedObject merged;
    std::unordered_map<std::string_view, SlotSource> sources;
    std::unordered_map<std::string_view, ListValue> merged_lists;
    for (const auto& [slot, three] : slots) {
      const SlotMerge decided = MergeSlot(three, favor_);
      sources.emplace(slot, decided.source);
      if (decided.conflict == ConflictKind::kBothChanged) {
        if (std::optional<ListValue> items = MergedItems(slot)) {
          merged_lists.emplace(slot, std::move(*items));
          continue;
        }
      }
      if (decided.conflict != ConflictKind::kNone) AddConflict(merged, slot, decided.conflict);
    }
    // Ours' slots in their order, then the slots taken from theirs alone in
    // theirs' order; a slot the rules ignore stays as ours holds it.
    const ValuesByName theirs = ValuesOf(theirs_);
    Object object{name_, {}};
    for (const Slot& slot : ours_.typed().slots) {
      const auto found = sources.find(slot.name);
      const SlotSource source = found == sources.end() ? SlotSource::kOurs : found->second;
      if (const auto items = merged_lists.find(slot.name); items != merged_lists.end()) {
        object.slots.push_back({slot.name, items->second});
        continue;
      }
      if (source == SlotSource::kOurs) object.slots.push_back(slot);
      if (source == SlotSource::kTheirs) object.slots.push_back({slot.name, *theirs.at(slot.name)});
    }
    for (const Slot& slot : theirs_.typed().slots) {
      const auto found = sources.find(slot.name);
      if (found != sources.end() && found->second == SlotSource::kTheirs &&
          !slots.at(slot.name).in_ours) {
        object.slots.push_back(slot);
      }
    }
    merged.object = std::move(object);
    return merged;
  }

  void ReadValues() {
    if (values_read_) return;
    base_values_ = ValuesOf(base_);
    ours_values_ = ValuesOf(ours_);
    theirs_values_ = ValuesOf(theirs_);
    values_read_ = true;
  }

  void AddConflict(MergedObject& merged, const std::string& slot, ConflictKind kind) {
    ReadValues();
    merged.conflicts.push_back({name_, slot, kind, ValueOf(base_values_, slot),
                                ValueOf(ours_values_, slot), ValueOf(theirs_values_, slot)});
  }

  const DiffModule& module_;
  const std::string& name_;
  MergeSide& base_;
  MergeSide& ours_;
  MergeSide& theirs_;
  Favor favor_;
  const std::vector<SlotRule>& slot_rules_;
  bool values_read_ = false;
  ValuesByName base_values_;
  ValuesByName ours_values_;
  ValuesByName theirs_values_;
};

}  // namespace

const LoadedSide& MergeSide::texts() {
  if (!texts_) texts_ = found() ? file_->Texts() : LoadedSide();
  return *texts_;
}

const Object& MergeSide::typed() {
  if (!typed_) typed_ = file_->Typed();
  return *typed_;
}

Object MergeSide::TakeTyped() {
  typed();
  Object object = std::move(*typed_);
  typed_.reset();
  return object;
}

MergedObject MergeObject(const DiffModule& module, const std::string& name, MergeSide& base,
                         MergeSide& ours, MergeSide& theirs, const MergeChoices& choices) {
  return ObjectMerger(module, name, base, ours, theirs, choices).Merge();
}

}  // namespace odbdiff
