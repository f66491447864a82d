// The rows of an object block: the slots of both sides merged.
#ifndef DIFF_REPORT_HTML_OBJECT_ROWS_H_
#define DIFF_REPORT_HTML_OBJECT_ROWS_H_

#include <cstdio>  // std::FILE

#include "diff/report_html/slot_lists.h"  // SlotLists

namespace diff::report_html {

// Writes one object row section instance ("_ASLOT_", "_AVALUE_", "_BSLOT_",
// "_BVALUE_") per reported slot. The sides are walked together: first the
// run of A's slots on A only (B's columns empty), then the run of B's slots
// on B only (A's columns empty), then the next slot of A paired with the
// next of B, and so on. A pair gets a row when A's value is not marked equal
// or `show_all` is set; either way both sides move on.
//
// Lists outside that form still end the walk: a name of A marked neither way
// pairs like a slot on both sides, a name of B left once A's names are used
// up gets a row with A's columns empty, and a value missing from a short
// value list is the empty text (a missing value of A counts as differing).
void write_object_rows(std::FILE* file, const SlotLists& lists, bool show_all);

}  // namespace diff::report_html

#endif  // DIFF_REPORT_HTML_OBJECT_ROWS_H_
