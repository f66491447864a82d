#include "diff/engine/slot_rules.h"

#include <cstddef>           // std::size_t
#include <initializer_list>  // the loops over both sides and the four lists
#include <new>      // std::bad_alloc

#include "diff/diff.h"                          // DIFF_STATUS_*, DIFF_SLOT_* kinds
#include "diff/engine/owned_list2.h"            // OwnedList2, new_list2

namespace diff::engine {
namespace {

const char* or_empty(const char* text) { return text != nullptr ? text : ""; }

// One side's marked slots, read from its sorted lists. A value list shorter
// than its names list (names compared alone) gives empty, equal values.
template <typename TextAt>
std::vector<MarkedSlot> marked_slots(int name_count, int value_count, TextAt text_at) {
  std::vector<MarkedSlot> slots(static_cast<std::size_t>(name_count));
  for (int i = 0; i < name_count; ++i) {
    MarkedSlot& slot = slots[static_cast<std::size_t>(i)];
    slot.name = or_empty(text_at(/*values=*/false, i, &slot.name_status));
    slot.value_status = DIFF_STATUS_SAME;
    slot.value = i < value_count ? or_empty(text_at(/*values=*/true, i, &slot.value_status)) : "";
  }
  return slots;
}

bool differs(const MarkedSlot& slot) {
  return slot.name_status != DIFF_STATUS_SAME || slot.value_status != DIFF_STATUS_SAME;
}

bool drop_accepted_one_sided(const SlotJudge& judge, const char* object, int kind,
                             std::vector<MarkedSlot>& slots) {
  const std::size_t before = slots.size();
  std::erase_if(slots, [&](const MarkedSlot& slot) {
    return slot.name_status == DIFF_STATUS_DIFFERENT &&
           judge.difference_accepted(kind, object, slot.name, nullptr, nullptr);
  });
  return slots.size() != before;
}

}  // namespace

void drop_ignored_slots(const SlotJudge& judge, const char* object, CStrList& names,
                        CStrList& values) {
  if (!judge.ignores_slots()) return;
  const ObjectSlotIgnores rules = judge.ignored_slots_of(or_empty(object));
  if (!rules.any()) return;
  // Most objects lose no slot: copy the lists only for those that do.
  int first_ignored = 0;
  while (first_ignored < names.GetLength() &&
         !rules.ignored(or_empty(names.GetTextAt(first_ignored)))) {
    ++first_ignored;
  }
  if (first_ignored == names.GetLength()) return;
  CStrList kept_names;
  CStrList kept_values;
  const int value_count = values.GetLength();
  for (int i = 0; i < names.GetLength(); ++i) {
    std::int64_t name_data = 0;
    const char* name = or_empty(names.GetTextAt(i, &name_data));
    if (rules.ignored(name)) continue;
    if (kept_names.Append(name, name_data) == 0) throw std::bad_alloc();
    if (i >= value_count) continue;
    std::int64_t value_data = 0;
    const char* value = values.GetTextAt(i, &value_data);
    if (kept_values.Append(or_empty(value), value_data) == 0) throw std::bad_alloc();
  }
  names = kept_names;
  values = kept_values;
}

void drop_ignored_slots(const SlotJudge& judge, const char* object, list2& names, list2& values) {
  const ObjectSlotIgnores rules = judge.ignored_slots_of(or_empty(object));
  if (!rules.any()) return;
  const List2Items name_items = items_of(names);
  bool any_ignored = false;
  for (const char* name : name_items.texts) any_ignored = any_ignored || rules.ignored(or_empty(name));
  if (!any_ignored) return;
  const List2Items value_items = items_of(values);
  OwnedList2 kept_names = new_list2();
  OwnedList2 kept_values = new_list2();
  for (std::size_t i = 0; i < name_items.texts.size(); ++i) {
    const char* name = or_empty(name_items.texts[i]);
    if (rules.ignored(name)) continue;
    if (list2_append_to_end(kept_names.get(), name, name_items.data[i]) == 0) {
      throw std::bad_alloc();
    }
    if (i >= value_items.texts.size()) continue;
    if (list2_append_to_end(kept_values.get(), or_empty(value_items.texts[i]),
                            value_items.data[i]) == 0) {
      throw std::bad_alloc();
    }
  }
  names = kept_names.release();
  values = kept_values.release();
}

KeptSlots::KeptSlots(const SlotJudge& judge, const char* object, list2 names, list2 values)
    : names_(names), values_(values) {
  if (!judge.ignores_slots()) return;
  drop_ignored_slots(judge, object, names_, values_);
  if (names_ != names) {
    owned_names_.reset(names_);
    owned_values_.reset(values_);
  }
}

bool settle_accepted_slots(const SlotJudge& judge, const char* object,
                           std::vector<MarkedSlot>& a_slots, std::vector<MarkedSlot>& b_slots,
                           bool& changed) {
  changed = false;
  if (judge.accepts_differences()) {
    changed |= drop_accepted_one_sided(judge, object, DIFF_SLOT_ONLY_IN_A, a_slots);
    changed |= drop_accepted_one_sided(judge, object, DIFF_SLOT_ONLY_IN_B, b_slots);
    // The slots of both sides stand in the same order on each side.
    std::size_t j = 0;
    for (MarkedSlot& a : a_slots) {
      if (a.name_status != DIFF_STATUS_SAME) continue;
      while (j < b_slots.size() && b_slots[j].name_status != DIFF_STATUS_SAME) ++j;
      if (j == b_slots.size()) break;
      MarkedSlot& b = b_slots[j++];
      if (a.value_status == DIFF_STATUS_SAME) continue;
      if (judge.difference_accepted(DIFF_SLOT_VALUES_DIFFER, object, a.name, a.value, b.value)) {
        a.value_status = DIFF_STATUS_SAME;
        b.value_status = DIFF_STATUS_SAME;
        changed = true;
      }
    }
  }
  for (const auto* side : {&a_slots, &b_slots}) {
    for (const MarkedSlot& slot : *side) {
      if (differs(slot)) return true;
    }
  }
  return false;
}

int settle_accepted_slots(const SlotJudge& judge, const char* object, CStrList& a_names,
                          CStrList& a_values, CStrList& b_names, CStrList& b_values, int result) {
  if (!judge.accepts_differences() || result == 0) return result;
  auto side = [](CStrList& names, CStrList& values) {
    return marked_slots(names.GetLength(), values.GetLength(),
                        [&](bool of_values, int i, std::int64_t* data) {
                          return (of_values ? values : names).GetTextAt(i, data);
                        });
  };
  std::vector<MarkedSlot> a_slots = side(a_names, a_values);
  std::vector<MarkedSlot> b_slots = side(b_names, b_values);
  bool changed = false;
  const bool differ = settle_accepted_slots(judge, or_empty(object), a_slots, b_slots, changed);
  if (!changed) return result;
  auto rebuilt = [](const std::vector<MarkedSlot>& slots, CStrList& names, CStrList& values) {
    CStrList new_names;
    CStrList new_values;
    for (const MarkedSlot& slot : slots) {
      if (new_names.Append(slot.name, slot.name_status) == 0 ||
          new_values.Append(slot.value, slot.value_status) == 0) {
        throw std::bad_alloc();
      }
    }
    names = new_names;
    values = new_values;
  };
  // The texts live in the old lists: build both sides before replacing any.
  CStrList a_new_names, a_new_values, b_new_names, b_new_values;
  rebuilt(a_slots, a_new_names, a_new_values);
  rebuilt(b_slots, b_new_names, b_new_values);
  a_names = a_new_names;
  a_values = a_new_values;
  b_names = b_new_names;
  b_values = b_new_values;
  return differ ? 1 : 0;
}

int settle_accepted_slots(const SlotJudge& judge, const char* object, list2* a_names,
                          list2* a_values, list2* b_names, list2* b_values, int result) {
  if (!judge.accepts_differences() || result == 0) return result;
  auto side = [](list2 names, list2 values) {
    return marked_slots(list2_length(names), list2_length(values),
                        [&](bool of_values, int i, std::int64_t* data) {
                          return list2_get_item(of_values ? values : names, i, data);
                        });
  };
  std::vector<MarkedSlot> a_slots = side(*a_names, *a_values);
  std::vector<MarkedSlot> b_slots = side(*b_names, *b_values);
  bool changed = false;
  const bool differ = settle_accepted_slots(judge, or_empty(object), a_slots, b_slots, changed);
  if (!changed) return result;
  auto rebuilt = [](const std::vector<MarkedSlot>& slots, OwnedList2& names, OwnedList2& values) {
    names = new_list2();
    values = new_list2();
    for (const MarkedSlot& slot : slots) {
      if (list2_append_to_end(names.get(), slot.name, slot.name_status) == 0 ||
          list2_append_to_end(values.get(), slot.value, slot.value_status) == 0) {
        throw std::bad_alloc();
      }
    }
  };
  OwnedList2 a_new_names, a_new_values, b_new_names, b_new_values;
  rebuilt(a_slots, a_new_names, a_new_values);
  rebuilt(b_slots, b_new_names, b_new_values);
  for (list2* old : {a_names, a_values, b_names, b_values}) list2_delete(*old);
  *a_names = a_new_names.release();
  *a_values = a_new_values.release();
  *b_names = b_new_names.release();
  *b_values = b_new_values.release();
  return differ ? 1 : 0;
}

}  // namespace diff::engine
