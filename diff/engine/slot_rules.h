// The ignore rules and accepted differences of a judge applied to the slot
// comparison of one object, in both list flavours. Only called when the
// judge has some rule in force, so that the default path does not pay for
// them.
#ifndef DIFF_ENGINE_SLOT_RULES_H_
#define DIFF_ENGINE_SLOT_RULES_H_

#include <cstdint>  // std::int64_t
#include <vector>   // std::vector

#include "diff/engine/owned_list2.h"  // OwnedList2
#include "diff/engine/slot_judge.h"   // SlotJudge
#include "diff/host/list_library.h"   // CStrList, list2

namespace diff::engine {

// One item of a side's marked sorted lists: the slot's name and value with
// their status codes.
struct MarkedSlot {
  const char* name;
  std::int64_t name_status;
  const char* value;
  std::int64_t value_status;
};

// Leaves out of `names` (and, item for item, `values`, which may be shorter
// or empty) the slots of `object` that an ignore rule covers.
void drop_ignored_slots(const SlotJudge& judge, const char* object, CStrList& names,
                        CStrList& values);
void drop_ignored_slots(const SlotJudge& judge, const char* object, list2& names, list2& values);

// One side's slot names and values with the ignored slots of an object left
// out: the lists given when no slot is left out, else new lists it owns.
class KeptSlots {
 public:
  KeptSlots(const SlotJudge& judge, const char* object, list2 names, list2 values);
  list2 names() const { return names_; }
  list2 values() const { return values_; }

 private:
  list2 names_;
  list2 values_;
  OwnedList2 owned_names_;
  OwnedList2 owned_values_;
};

// Applies the accepted differences of `object` to both sides' marked slots:
// accepted one-sided slots are removed, accepted value changes marked as
// equal values on both sides. Returns true when a difference is left.
// Leaves the vectors as they are and answers `changed` false when no
// accepted difference applies.
bool settle_accepted_slots(const SlotJudge& judge, const char* object,
                           std::vector<MarkedSlot>& a_slots, std::vector<MarkedSlot>& b_slots,
                           bool& changed);

// The same over the four sorted lists of a comparison, rebuilt when an
// accepted difference applies. Returns the comparison's result afresh.
int settle_accepted_slots(const SlotJudge& judge, const char* object, CStrList& a_names,
                          CStrList& a_values, CStrList& b_names, CStrList& b_values, int result);
int settle_accepted_slots(const SlotJudge& judge, const char* object, list2* a_names,
                          list2* a_values, list2* b_names, list2* b_values, int result);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_SLOT_RULES_H_
