#include "diff/report_html/marked_slot_lists.h"

#include <cstdint>  // std::int64_t
#include <cstdlib>  // std::strtol
#include <new>      // std::bad_alloc

#include "diff/diff.h"                 // DIFF_STATUS_DIFFERENT, DIFF_STATUS_SAME
#include "diff/host/loader_library.h"     // _vx_ld_10, kLoaderValueBufferSize
#include "diff/report_html/loader_read.h"  // loader_answer

namespace diff::report_html {
namespace {

// The value of a slot as the loader reads it; empty when it has none.
class SlotValue {
 public:
  const char* read(const char* file, const char* object, const char* slot) {
    // A missing slot leaves the empty text, which the row shows; a value
    // that cannot be read fails the report.
    loader_answer(file, _vx_ld_10(file, object, slot, text_, ""));
    return text_;
  }

 private:
  char text_[kLoaderValueBufferSize];
};

const char* text_or_empty(const char* text) { return text != nullptr ? text : ""; }

void append(list2 list, const char* text, std::int64_t data) {
  if (list2_append_to_end(list, text, data) == 0) throw std::bad_alloc();
}

}  // namespace

long slot_status_code(const char* status_text) {
  return std::strtol(text_or_empty(status_text), nullptr, 10);
}

bool shows_differences(list2 status_texts) {
  for (const char* text : {"100000", "3", "4", "0"}) {
    if (list2_member(status_texts, text) != 0) return true;
  }
  return false;
}

MarkedSlotLists mark_slot_lists(const char* a_file, const char* b_file, const char* object,
                                list2 slot_names, list2 status_texts) {
  MarkedSlotLists lists{engine::new_list2(), engine::new_list2(), engine::new_list2(), engine::new_list2()};
  list2 a_slots = lists.a_slots.get();
  list2 a_values = lists.a_values.get();
  list2 b_slots = lists.b_slots.get();
  list2 b_values = lists.b_values.get();
  SlotValue value;  // one buffer: each value is read just before its list takes a copy
  const int count = list2_length(slot_names);
  for (int k = 0; k < count; ++k) {
    const char* slot = text_or_empty(list2_get_item(slot_names, k, nullptr));
    switch (slot_status_code(list2_get_item(status_texts, k, nullptr))) {
      case kSlotValuesDiffer:
        append(a_slots, slot, DIFF_STATUS_SAME);
        append(a_values, value.read(a_file, object, slot), DIFF_STATUS_DIFFERENT);
        append(b_slots, slot, DIFF_STATUS_SAME);
        append(b_values, value.read(b_file, object, slot), DIFF_STATUS_DIFFERENT);
        break;
      case kSlotValuesEqual: {
        // B's column shows A's value: the two are equal.
        const char* a_value = value.read(a_file, object, slot);
        append(a_slots, slot, DIFF_STATUS_SAME);
        append(a_values, a_value, DIFF_STATUS_SAME);
        append(b_slots, slot, DIFF_STATUS_SAME);
        append(b_values, a_value, DIFF_STATUS_SAME);
        break;
      }
      case kSlotOnlyInA:
        append(a_slots, slot, DIFF_STATUS_DIFFERENT);
        append(a_values, value.read(a_file, object, slot), DIFF_STATUS_DIFFERENT);
        break;
      case kSlotOnlyInB:
        append(b_slots, slot, DIFF_STATUS_DIFFERENT);
        append(b_values, value.read(b_file, object, slot), DIFF_STATUS_DIFFERENT);
        break;
      default:
        break;  // no row
    }
  }
  return lists;
}

}  // namespace diff::report_html
