#include "diff/report_html/object_rows.h"

#include <cstdint>  // std::int64_t

#include "diff/diff.h"                           // DIFF_STATUS_DIFFERENT, DIFF_STATUS_SAME
#include "diff/report_html/section_instance.h"  // write_section_instance

namespace diff::report_html {
namespace {

// One side's walk over its slot list and the value list beside it.
class SideCursor {
 public:
  SideCursor(list2 slots, list2 values)
      : slots_(slots), values_(values), length_(list2_length(slots)) {}

  bool has_current() const { return position_ < length_; }

  // The current slot is on this side only.
  bool current_one_sided() const { return data_word(slots_) == DIFF_STATUS_DIFFERENT; }

  // The current value is marked equal to the other side's.
  bool current_value_equal() const { return data_word(values_) == DIFF_STATUS_SAME; }

  // The current slot and value; empty texts when there are none.
  const char* slot() const { return text_or_empty(slots_); }
  const char* value() const { return text_or_empty(values_); }

  void advance() { ++position_; }

 private:
  // The data word of the current item of `list`; 0 when there is none.
  std::int64_t data_word(list2 list) const {
    std::int64_t data = 0;
    if (has_current()) list2_get_item(list, position_, &data);
    return data;
  }

  const char* text_or_empty(list2 list) const {
    if (!has_current()) return "";
    const char* text = list2_get_item(list, position_, nullptr);
    return text != nullptr ? text : "";
  }

  list2 slots_;
  list2 values_;
  int length_;
  int position_ = 0;
};

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
  SideCursor a(lists.a_slots, lists.a_values);
  SideCursor b(lists.b_slots, lists.b_values);
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
