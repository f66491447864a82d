#include "diff/report_html/object_rows.h"

#include "diff/engine/marked_side_cursor.h"     // MarkedSideCursor
#include "diff/report_html/section_instance.h"  // write_section_instance

namespace diff::report_html {
namespace {

void write_row(std::FILE* file, const char* a_slot, const char* a_value, const char* b_slot,
               const char* b_value) {
  write_section_instance(file, Section::kObjectRow,
                         {{"_ASLOT_", a_slot},
                          {"_AVALUE_", a_value},
                          {"_BSLOT_", b_slot},
                          {"_BVALUE_", b_value}});
}

}  // namespace

void write_object_rows(std::FILE* file, const SlotLists& lists, bool show_all) {
  engine::MarkedSideCursor a(lists.a_slots, lists.a_values);
  engine::MarkedSideCursor b(lists.b_slots, lists.b_values);
  while (a.has_current() || b.has_current()) {
    for (; a.has_current() && a.current_one_sided(); a.advance()) {
      write_row(file, a.slot(), a.value(), "", "");
    }
    for (; b.has_current() && b.current_one_sided(); b.advance()) {
      write_row(file, "", "", b.slot(), b.value());
    }
    if (!a.has_current() && !b.has_current()) break;
    // Every pass of the loop moves on at least one side, so the walk ends.
    const bool values_differ = !a.has_current() || !a.current_value_equal();
    if (values_differ || show_all) write_row(file, a.slot(), a.value(), b.slot(), b.value());
    a.advance();
    b.advance();
  }
}

}  // namespace diff::report_html
