#include "diff/engine/list2_compare.h"

#include <algorithm>         // std::min
#include <cstdint>           // std::int64_t
#include <initializer_list>  // the loop over the out-parameters
#include <memory>            // std::unique_ptr
#include <optional>          // std::optional, for the marks of input items
#include <utility>           // std::move
#include <vector>            // std::vector

#include "diff/engine/keyed_marking.h"  // mark_sorted_sides
#include "diff/engine/owned_list2.h"    // OwnedList2, items_of

namespace diff::engine {
namespace {

// One side sorted by name: the sorted copies of the names and of the values
// (each value at its name's place, with its input index as data word), and
// for each sorted position the input position it came from and the texts of
// the two copies, which lie in order in memory for the marking to read.
struct SortedSide {
  OwnedList2 names;
  OwnedList2 values;
  std::vector<std::int64_t> input_indices;
  std::vector<const char*> name_texts;
  std::vector<const char*> value_texts;
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

// Numbers both input lists of a side and sorts its names.
SortedSide index_side(list2 names, list2 values) {
  const int count = list2_length(names);
  number_items(names, count);
  number_items(values, count);

  // A null handle is compared as an empty side.
  SortedSide side;
  side.names = OwnedList2(names != nullptr ? list2_copy_sorted(names) : list2_create());
  if (side.names == nullptr) return side;

  List2Items sorted = items_of(side.names.get());
  side.name_texts = std::move(sorted.texts);
  side.input_indices = std::move(sorted.data);
  const std::size_t sorted_count = side.name_texts.size();
  // The values of the sorted names lie all over the value list. They are
  // gathered first, a loop whose reads the processor overlaps, and their
  // texts fetched a few items ahead of the loop that copies them. A value
  // list shorter than its names is outside the contract; its missing values
  // read as empty texts.
  const std::vector<const char*> input_value_texts = texts_of(values);
  std::vector<const char*> gathered(sorted_count);
  constexpr std::size_t kGatherAhead = 16;
  for (std::size_t i = 0; i < sorted_count; ++i) {
    if (i + kGatherAhead < sorted_count) {
      const std::int64_t ahead = side.input_indices[i + kGatherAhead];
      if (ahead >= 0 && static_cast<std::size_t>(ahead) < input_value_texts.size()) {
        __builtin_prefetch(&input_value_texts[static_cast<std::size_t>(ahead)]);
      }
    }
    const std::int64_t position = side.input_indices[i];
    const bool has_value =
        position >= 0 && static_cast<std::size_t>(position) < input_value_texts.size();
    gathered[i] = has_value ? input_value_texts[static_cast<std::size_t>(position)] : "";
  }
  side.values = OwnedList2(list2_create());
  if (side.values == nullptr) return side;
  side.value_texts.resize(sorted_count);
  constexpr std::size_t kFetchAhead = 16;
  for (std::size_t i = 0; i < sorted_count; ++i) {
    if (i + kFetchAhead < sorted_count) __builtin_prefetch(gathered[i + kFetchAhead]);
    const int position = static_cast<int>(i);
    if (list2_add_item(side.values.get(), gathered[i], position, side.input_indices[i]) == 0) {
      side.values.reset();
      return side;
    }
    side.value_texts[i] = list2_get_item(side.values.get(), position, nullptr);
  }
  return side;
}

// The marks of the sorted items carried to the input items they came from:
// each input item takes the mark of the last sorted item that came from it.
// `count` is the input list's length; only the first `count` sorted items
// count.
std::vector<std::optional<Mark>> input_marks_of(const SortedSide& side,
                                                const std::vector<Mark>& marks, int count) {
  std::vector<std::optional<Mark>> input_marks(static_cast<std::size_t>(count));
  const std::size_t carried = std::min({side.input_indices.size(), marks.size(),
                                        static_cast<std::size_t>(count)});
  for (std::size_t i = 0; i < carried; ++i) {
    const std::int64_t input_index = side.input_indices[i];
    if (input_index < 0 || input_index >= count) continue;
    input_marks[static_cast<std::size_t>(input_index)] = marks[i];
  }
  return input_marks;
}

// Gives each marked input item its status code as data word.
void mark_inputs(list2 input, const std::vector<std::optional<Mark>>& input_marks) {
  for (std::size_t d = 0; d < input_marks.size(); ++d) {
    if (!input_marks[d].has_value()) continue;
    const int position = static_cast<int>(d);
    list2_replace_data_location(input, position, list2_get_item(input, position, nullptr),
                                status_code(*input_marks[d]));
  }
}

// Gives the first `count` sorted items of `sorted` (a copy of `input`) their
// status codes, except those that no input item answers to (a value list
// shorter than its names), which keep their input indices. Each item is given
// its own text, which the list recognises without reading it.
void mark_sorted(list2 sorted, const SortedSide& side, const std::vector<const char*>& texts,
                 const std::vector<Mark>& marks, int count) {
  const std::size_t marked = std::min({texts.size(), marks.size(), static_cast<std::size_t>(count)});
  for (std::size_t i = 0; i < marked; ++i) {
    const std::int64_t input_index = side.input_indices[i];
    if (input_index < 0 || input_index >= count) continue;
    list2_replace_data_location(sorted, static_cast<int>(i), texts[i], status_code(marks[i]));
  }
}

// Marks a side's input lists and sorted copies.
void mark_side(list2 names, list2 values, const SortedSide& side,
               const std::vector<Mark>& name_marks, const std::vector<Mark>& value_marks) {
  const int name_count = list2_length(names);
  const int value_count = list2_length(values);
  mark_inputs(names, input_marks_of(side, name_marks, name_count));
  mark_inputs(values, input_marks_of(side, value_marks, value_count));
  mark_sorted(side.names.get(), side, side.name_texts, name_marks, name_count);
  mark_sorted(side.values.get(), side, side.value_texts, value_marks, value_count);
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

  const KeyedMarks marks = mark_sorted_sides(a.name_texts, a.value_texts, b.name_texts,
                                             b.value_texts, /*compare_values=*/true);
  mark_side(a_names, a_values, a, marks.a_names, marks.a_values);
  mark_side(b_names, b_values, b, marks.b_names, marks.b_values);

  hand_over(std::move(a.names), a_sorted_names);
  hand_over(std::move(a.values), a_sorted_values);
  hand_over(std::move(b.names), b_sorted_names);
  hand_over(std::move(b.values), b_sorted_values);
  return marks.differ ? 1 : 0;
}

}  // namespace diff::engine
