#include "diff/engine/list2_compare.h"

#include <cstdint>           // std::int64_t
#include <initializer_list>  // the loop over the out-parameters
#include <memory>            // std::unique_ptr
#include <optional>          // std::optional, for the marks of input items
#include <utility>           // std::move
#include <vector>            // std::vector

#include "diff/engine/keyed_marking.h"  // mark_sorted_sides
#include "diff/engine/owned_list2.h"    // OwnedList2

namespace diff::engine {
namespace {

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

// The texts of the items of `list`, in order.
std::vector<const char*> texts_of(list2 list) {
  std::vector<const char*> texts(static_cast<std::size_t>(list2_length(list)));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const char* text = list2_get_item(list, static_cast<int>(i), nullptr);
    texts[i] = text != nullptr ? text : "";
  }
  return texts;
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

  // The values of the sorted names lie all over the value list. They are
  // gathered first, a loop whose reads the processor overlaps, and their
  // texts fetched a few items ahead of the loop that copies them.
  const std::vector<const char*> value_texts = texts_of(values);
  const auto sorted_count = static_cast<std::size_t>(list2_length(side.names.get()));
  std::vector<std::int64_t> input_indices(sorted_count, 0);
  std::vector<const char*> sorted_value_texts(sorted_count);
  for (std::size_t i = 0; i < sorted_count; ++i) {
    list2_get_item(side.names.get(), static_cast<int>(i), &input_indices[i]);
    // A value list shorter than its names is outside the contract; its
    // missing values read as empty texts.
    const int position = static_cast<int>(input_indices[i]);
    const bool has_value =
        position >= 0 && static_cast<std::size_t>(position) < value_texts.size();
    sorted_value_texts[i] = has_value ? value_texts[static_cast<std::size_t>(position)] : "";
  }
  constexpr std::size_t kFetchAhead = 8;
  for (std::size_t i = 0; i < sorted_count; ++i) {
    if (i + kFetchAhead < sorted_count) __builtin_prefetch(sorted_value_texts[i + kFetchAhead]);
    list2_add_item(side.values.get(), sorted_value_texts[i], static_cast<int>(i),
                   input_indices[i]);
  }
  return side;
}

// Carries the marks of a sorted list back to the input list it came from:
// the item at each input index and the sorted item both get the status code
// in their data word and keep their texts. Both lists are walked in order:
// first the sorted items, noting each input item's mark, then the input
// items, each taking the mark of the last sorted item that came from it.
void write_back(list2 input, list2 sorted, const std::vector<Mark>& marks) {
  const int count = list2_length(input);
  std::vector<std::optional<Mark>> input_marks(static_cast<std::size_t>(count));
  for (int i = 0; i < count && static_cast<std::size_t>(i) < marks.size(); ++i) {
    std::int64_t input_index = -1;
    const char* sorted_text = list2_get_item(sorted, i, &input_index);
    if (sorted_text == nullptr || input_index < 0 || input_index >= count) continue;
    const Mark mark = marks[static_cast<std::size_t>(i)];
    input_marks[static_cast<std::size_t>(input_index)] = mark;
    // Each item is given its own text, which the list recognises without
    // reading it.
    list2_replace_data_location(sorted, i, sorted_text, status_code(mark));
  }
  for (int d = 0; d < count; ++d) {
    const std::optional<Mark> mark = input_marks[static_cast<std::size_t>(d)];
    if (!mark.has_value()) continue;
    list2_replace_data_location(input, d, list2_get_item(input, d, nullptr), status_code(*mark));
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
