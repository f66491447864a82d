// Turning a status file's slot status codes into the four marked slot lists
// of an object block.
#ifndef DIFF_REPORT_HTML_MARKED_SLOT_LISTS_H_
#define DIFF_REPORT_HTML_MARKED_SLOT_LISTS_H_

#include "diff/engine/owned_list2.h"      // OwnedList2
#include "diff/host/list_library.h"       // list2
#include "diff/report_html/slot_lists.h"  // SlotLists

namespace diff::report_html {

using engine::OwnedList2;

// Slot status codes of a status file.
enum SlotStatusCode : long {
  kSlotValuesDiffer = 0,  // in A and B, values differ
  kSlotValuesEqual = 1,   // in A and B, values equal
  kSlotOnlyInA = 3,
  kSlotOnlyInB = 4,
};

// The code of a status text, read as a decimal integer: leading white space
// skipped, an optional sign, then digits. A text without leading digits is 0;
// a number too large for a long is the largest (or smallest) long.
long slot_status_code(const char* status_text);

// Whether an object whose status texts are `status_texts` has something to
// report when only differences are shown: one of its texts is exactly
// "100000", "3", "4" or "0".
bool shows_differences(list2 status_texts);

// The four lists, owned.
struct MarkedSlotLists {
  OwnedList2 a_slots;
  OwnedList2 a_values;
  OwnedList2 b_slots;
  OwnedList2 b_values;

  SlotLists view() const { return {a_slots.get(), a_values.get(), b_slots.get(), b_values.get()}; }
};

// Builds the marked lists of `object` from its slot names and, item for
// item, their status texts, with values read through the loader from
// `a_file` and `b_file`. Per code: 0 pairs A's value with B's, marked
// differing; 1 pairs A's value with itself, marked equal; 3 gives a slot on
// A only, 4 one on B only; any other code gives nothing.
MarkedSlotLists mark_slot_lists(const char* a_file, const char* b_file, const char* object,
                                list2 slot_names, list2 status_texts);

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_MARKED_SLOT_LISTS_H_
