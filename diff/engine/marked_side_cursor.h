// A walk over one side of a keyed list comparison as diff_list2 leaves it:
// the side's sorted slot names and, beside them, its values, each item
// carrying an item status code in its data word.
#ifndef DIFF_ENGINE_MARKED_SIDE_CURSOR_H_
#define DIFF_ENGINE_MARKED_SIDE_CURSOR_H_

#include <cstdint>  // std::int64_t

#include "diff/diff.h"                // DIFF_STATUS_DIFFERENT, DIFF_STATUS_SAME
#include "diff/host/list_library.h"  // list2

namespace diff::engine {

class MarkedSideCursor {
 public:
  MarkedSideCursor(list2 slots, list2 values)
      : slots_(slots), values_(values), length_(list2_length(slots)) {}

  bool has_current() const { return position_ < length_; }

  // The current slot has no counterpart on the other side.
  bool current_one_sided() const { return data_word(slots_) == DIFF_STATUS_DIFFERENT; }

  // The current value is marked equal to the other side's.
  bool current_value_equal() const { return data_word(values_) == DIFF_STATUS_SAME; }

  // The current slot and value; empty texts past the end of the lists (a
  // value list shorter than its slot list reads as empty values).
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

}  // namespace diff::engine

#endif  // DIFF_ENGINE_MARKED_SIDE_CURSOR_H_
