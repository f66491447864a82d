#include "diff/engine/list2_compare.h"

#include <cstdint>           // std::int64_t
#include <initializer_list>  // the loop over the out-parameters
#include <memory>            // std::unique_ptr
#include <utility>           // std::move
#include <vector>            // std::vector

#include "diff/engine/keyed_marking.h"  // mark_sorted_sides

namespace diff::engine {
namespace {

struct List2Deleter {
  void operator()(list2_impl* list) const { list2_delete(list); }
};
using OwnedList2 = std::unique_ptr<list2_impl, List2Deleter>;

// The sorted copies of one side; each item's data word is its position in
// the input lists.
struct SortedSide {
  OwnedList2 names;
  OwnedList2 values;
};

// Gives every item of the first `count` items of `list` its position as data
// word, keeping its text.
void number_items(list2 list, int count) {
  for (int i = 0; i < count; ++i) {
    const char* text = list2_get_item(list, i, nullptr);
    if (text != nullptr) list2_replace_data_location(list, i, text, i);
  }
}

// Numbers both input lists of a side and makes its sorted copies: the names
// sorted, and the values in the order of the sorted names.
SortedSide index_side(list2 names, list2 values) {
  const int count = list2_length(names);
  number_items(names, count);
  number_items(values, count);

  // A null handle is compared as an empty side.
  SortedSide side{OwnedList2(names != nullptr ? list2_copy_sorted(names) : list2_create()),
                  OwnedList2(list2_create())};
  if (side.names == nullptr || side.values == nullptr) return {};
  const int sorted_count = list2_length(side.names.get());
  for (int i = 0; i < sorted_count; ++i) {
    std::int64_t input_index = 0;
    list2_get_item(side.names.get(), i, &input_index);
    // A value list shorter than its names is outside the contract; its
    // missing values read as empty texts.
    const char* value = list2_get_item(values, static_cast<int>(input_index), nullptr);
    list2_add_item(side.values.get(), value != nullptr ? value : "", i, input_index);
  }
  return side;
}

std::vector<const char*> texts_of(list2 list) {
  std::vector<const char*> texts(static_cast<std::size_t>(list2_length(list)));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const char* text = list2_get_item(list, static_cast<int>(i), nullptr);
    texts[i] = text != nullptr ? text : "";
  }
  return texts;
}

// Carries the marks of a sorted list back to the input list it came from:
// the item at each input index and the sorted item both get the status code
// in their data word and keep their texts.
void write_back(list2 input, list2 sorted, const std::vector<Mark>& marks) {
  const int count = list2_length(input);
  for (int i = 0; i < count && static_cast<std::size_t>(i) < marks.size(); ++i) {
    std::int64_t input_index = -1;
    const char* sorted_text = list2_get_item(sorted, i, &input_index);
    if (sorted_text == nullptr || input_index < 0 || input_index >= count) continue;
    const int d = static_cast<int>(input_index);
    const std::int64_t code = status_code(marks[static_cast<std::size_t>(i)]);
    // Both items hold the same text; each is given its own, which the list
    // recognises without reading it.
    list2_replace_data_location(input, d, list2_get_item(input, d, nullptr), code);
    list2_replace_data_location(sorted, i, sorted_text, code);
  }
}

void hand_over(OwnedList2 list, list2* destination) {
  if (destination != nullptr) *destination = list.release();
}

}  // namespace

int compare_list2(list2 a_names, list2 a_values, list2 b_names, list2 b_values,
                  list2* a_sorted_names, list2* a_sorted_values, list2* b_sorted_names,
                  list2* b_sorted_values) {
  for (list2* out : {a_sorted_names, a_sorted_values, b_sorted_names, b_sorted_values}) {
    if (out != nullptr) *out = nullptr;
  }
  SortedSide a = index_side(a_names, a_values);
  SortedSide b = index_side(b_names, b_values);
  if (a.values == nullptr || b.values == nullptr) return 1;

  const std::vector<const char*> sa = texts_of(a.names.get());
  const std::vector<const char*> va = texts_of(a.values.get());
  const std::vector<const char*> sb = texts_of(b.names.get());
  const std::vector<const char*> vb = texts_of(b.values.get());
  const KeyedMarks marks = mark_sorted_sides(sa, va, sb, vb, /*compare_values=*/true);

  write_back(a_names, a.names.get(), marks.a_names);
  write_back(a_values, a.values.get(), marks.a_values);
  write_back(b_names, b.names.get(), marks.b_names);
  write_back(b_values, b.values.get(), marks.b_values);

  hand_over(std::move(a.names), a_sorted_names);
  hand_over(std::move(a.values), a_sorted_values);
  hand_over(std::move(b.names), b_sorted_names);
  hand_over(std::move(b.values), b_sorted_values);
  return marks.differ ? 1 : 0;
}

}  // namespace diff::engine
