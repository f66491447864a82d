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
#include "diff/outcome/call_outcome.h"  // fail, DIFF_ERROR_INTERNAL

namespace diff::engine {
namespace {

// One side sorted by name: the sorted copy of the names (each with its input
// index as data word), and for each sorted position the input position it
// came from, the name's text in the copy (these lie in order in memory) and
// the text of its value where the input value list keeps it.
struct SortedSide {
  OwnedList2 names;
  std::vector<std::int64_t> input_indices;
  std::vector<const char*> name_texts;
  std::vector<const char*> value_texts;
};

// Gives every item of `list` its position as data word, keeping its text.
void number_items(list2 list) {
  const int count = list2_length(list);
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

// Sorts a side's numbered names. A null handle is compared as an empty side.
SortedSide sort_names(list2 names) {
  SortedSide side;
  side.names = OwnedList2(names != nullptr ? list2_copy_sorted(names) : list2_create());
  if (side.names == nullptr) return side;
  List2Items sorted = items_of(side.names.get());
  side.name_texts = std::move(sorted.texts);
  side.input_indices = std::move(sorted.data);
  return side;
}

// Finds the value of every sorted name in the input value list. The values
// lie all over that list; each is asked for a few items ahead of its read,
// so that the processor overlaps the reads. A value list shorter than its
// names is outside the contract; its missing values read as empty texts.
void gather_values(SortedSide& side, list2 values) {
  const std::vector<const char*> input_texts = texts_of(values);
  const std::size_t count = side.input_indices.size();
  const auto has_input = [&input_texts](std::int64_t position) {
    return position >= 0 && static_cast<std::size_t>(position) < input_texts.size();
  };
  side.value_texts.resize(count);
  constexpr std::size_t kGatherAhead = 16;
  for (std::size_t i = 0; i < count; ++i) {
    if (i + kGatherAhead < count) {
      const std::int64_t ahead = side.input_indices[i + kGatherAhead];
      if (has_input(ahead)) __builtin_prefetch(&input_texts[static_cast<std::size_t>(ahead)]);
    }
    const std::int64_t position = side.input_indices[i];
    side.value_texts[i] =
        has_input(position) ? input_texts[static_cast<std::size_t>(position)] : "";
  }
}

// The data word of sorted item `i` of a list of `count` input items: its
// status code, except where no input item answers to it (only the first
// `count` sorted items count, and a value list shorter than its names has no
// item for some input indices): there it keeps its input index.
std::int64_t sorted_data_word(const SortedSide& side, const std::vector<Mark>& marks,
                              std::size_t i, int count) {
  const std::int64_t input_index = side.input_indices[i];
  const bool answered = i < static_cast<std::size_t>(count) && i < marks.size() &&
                        input_index >= 0 && input_index < count;
  return answered ? status_code(marks[i]) : input_index;
}

// The sorted copy of a side's values, already marked: each value at its
// name's place. Null when the list library cannot make the list. The texts
// are fetched a few items ahead of the copy.
OwnedList2 sorted_values_of(const SortedSide& side, const std::vector<Mark>& marks,
                            int value_count) {
  OwnedList2 sorted(list2_create());
  if (sorted == nullptr) return sorted;
  const std::size_t count = side.value_texts.size();
  constexpr std::size_t kFetchAhead = 16;
  for (std::size_t i = 0; i < count; ++i) {
    if (i + kFetchAhead < count) __builtin_prefetch(side.value_texts[i + kFetchAhead]);
    const std::int64_t data = sorted_data_word(side, marks, i, value_count);
    if (list2_add_item(sorted.get(), side.value_texts[i], static_cast<int>(i), data) == 0) {
      return nullptr;
    }
  }
  return sorted;
}

// Gives the sorted names their status codes. Each item is given its own text,
// which the list recognises without reading it.
void mark_sorted_names(const SortedSide& side, const std::vector<Mark>& marks, int count) {
  for (std::size_t i = 0; i < side.name_texts.size(); ++i) {
    list2_replace_data_location(side.names.get(), static_cast<int>(i), side.name_texts[i],
                                sorted_data_word(side, marks, i, count));
  }
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

// Gives each marked input item its status code as data word, and each
// unmarked item below `numbered` its position.
void mark_inputs(list2 input, const std::vector<std::optional<Mark>>& input_marks,
                 std::size_t numbered) {
  for (std::size_t d = 0; d < input_marks.size(); ++d) {
    if (!input_marks[d].has_value() && d >= numbered) continue;
    const int position = static_cast<int>(d);
    const std::int64_t data =
        input_marks[d].has_value() ? status_code(*input_marks[d]) : std::int64_t{position};
    list2_replace_data_location(input, position, list2_get_item(input, position, nullptr), data);
  }
}

// Marks a side's input lists and sorted names. The names were numbered
// before they were sorted; the values are given the positions that the
// numbering would have given them where no mark reaches them.
void mark_side(list2 names, list2 values, const SortedSide& side,
               const std::vector<Mark>& name_marks, const std::vector<Mark>& value_marks) {
  const int name_count = list2_length(names);
  const int value_count = list2_length(values);
  mark_sorted_names(side, name_marks, name_count);
  mark_inputs(names, input_marks_of(side, name_marks, name_count), 0);
  mark_inputs(values, input_marks_of(side, value_marks, value_count),
              static_cast<std::size_t>(std::min(name_count, value_count)));
}

void hand_over(OwnedList2 list, list2* destination) {
  if (destination != nullptr) *destination = list.release();
}

constexpr const char* kNoList = "the list library could not make a list";

}  // namespace

// The values are gathered from the input value lists as they are: only the
// names need their input indices to come through the sort. The sorted value
// lists are made once the marks are known, so they are written only once.
int compare_list2(const ValueRule& rule, list2 a_names, list2 a_values, list2 b_names,
                  list2 b_values, list2* a_sorted_names, list2* a_sorted_values,
                  list2* b_sorted_names, list2* b_sorted_values,
                  const SlotRuleLookup* slot_rules) {
  for (list2* out : {a_sorted_names, a_sorted_values, b_sorted_names, b_sorted_values}) {
    if (out != nullptr) *out = nullptr;
  }
  number_items(a_names);
  number_items(b_names);
  SortedSide a = sort_names(a_names);
  SortedSide b = sort_names(b_names);
  if (a.names == nullptr || b.names == nullptr) fail(DIFF_ERROR_INTERNAL, kNoList);
  gather_values(a, a_values);
  gather_values(b, b_values);

  const KeyedMarks marks = mark_sorted_sides(a.name_texts, a.value_texts, b.name_texts,
                                             b.value_texts, /*compare_values=*/true, rule,
                                             slot_rules);
  OwnedList2 a_sorted_value_list = sorted_values_of(a, marks.a_values, list2_length(a_values));
  OwnedList2 b_sorted_value_list = sorted_values_of(b, marks.b_values, list2_length(b_values));
  if (a_sorted_value_list == nullptr || b_sorted_value_list == nullptr) {
    fail(DIFF_ERROR_INTERNAL, kNoList);
  }
  mark_side(a_names, a_values, a, marks.a_names, marks.a_values);
  mark_side(b_names, b_values, b, marks.b_names, marks.b_values);

  hand_over(std::move(a.names), a_sorted_names);
  hand_over(std::move(a_sorted_value_list), a_sorted_values);
  hand_over(std::move(b.names), b_sorted_names);
  hand_over(std::move(b_sorted_value_list), b_sorted_values);
  return marks.differ ? 1 : 0;
}

}  // namespace diff::engine
