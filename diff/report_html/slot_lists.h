// The four marked slot lists of one object's comparison, as the object
// block reads them.
#ifndef DIFF_REPORT_HTML_SLOT_LISTS_H_
#define DIFF_REPORT_HTML_SLOT_LISTS_H_

#include "diff/host/list_library.h"  // list2

namespace diff::report_html {

// Slot names of a side carry DIFF_STATUS_DIFFERENT when the slot is on that
// side only and DIFF_STATUS_SAME when it is on both; the slots on both sides
// stand in the same order in both name lists. A value of A carries
// DIFF_STATUS_SAME when it equals B's. Item k of a value list belongs to
// item k of its name list.
struct SlotLists {
  list2 a_slots;
  list2 a_values;
  list2 b_slots;
  list2 b_values;
};

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_SLOT_LISTS_H_
