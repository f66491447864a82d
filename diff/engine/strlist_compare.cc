#include "diff/engine/strlist_compare.h"

#include <algorithm>  // std::max
#include <cstdint>  // std::int64_t
#include <cstring>  // std::strcmp
#include <new>      // std::bad_alloc when a list takes no more items
#include <optional>  // std::optional for lists the caller did not pass
#include <span>     // std::span
#include <vector>   // std::vector

#include "diff/engine/keyed_marking.h"  // mark_sorted_sides
#include "diff/engine/number_text.h"    // read_leading_int
#include "diff/engine/text_sort.h"      // sort_texts_stably

namespace diff::engine {
namespace {

// Fills `texts` with the texts of the items of `list`, in order.
void texts_of(CStrList& list, std::vector<const char*>& texts) {
  texts.resize(static_cast<std::size_t>(list.GetLength()));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    texts[i] = list.GetNodeAt(static_cast<int>(i))->text;
  }
}

// The texts of a side's sorted lists, in order, as index_side fills them,
// and the nodes whose data words the marks go to.
struct SortedTexts {
  std::vector<const char*> names;
  std::vector<const char*> values;
  bool values_filled = false;  // index_side filled the sorted values
  std::vector<CListNode*> input_names;   // the input lists' nodes, in order
  std::vector<CListNode*> input_values;  // (the values only when parallel)
  std::vector<CListNode*> sorted_names;  // the sorted lists' nodes, in order
  std::vector<CListNode*> sorted_values; // (the values only when filled)
};

// The vectors of one comparison. A whole-file comparison compares the slots
// of every object, a few lists of a few items each: the next comparison
// refills these vectors instead of allocating its own.
struct Scratch {
  SortedTexts a, b;
  std::vector<const char*> name_texts;     // a side's names, in input order
  std::vector<const char*> sorted_texts;   // its names, sorted
  std::vector<std::int64_t> sorted_from;   // the input index of each sorted name
  std::vector<std::int64_t> input_indices; // that of its run's first name
  std::vector<int> last_from;              // write_back_filled's notes
  KeyedMarks marks;
};

// Lists longer than this leave the reused vectors released after the
// comparison, so that one comparison of long lists does not keep its memory.
constexpr std::size_t kKeptScratchItems = 4096;

// Several threads may compare lists at once (see "Threads" in diff.h), each
// with a set of vectors of its own; a comparison calls nothing that compares
// again, so one set serves every comparison of its thread in turn. Kept out
// of line, so that a comparison asks the runtime for its thread's set once
// (in a shared library, a call each time) and hands it on as a reference.
[[gnu::noinline]] Scratch& reused_scratch() {
  thread_local Scratch scratch;
  return scratch;
}

void release_long_scratch(Scratch& scratch) {
  const std::size_t largest = std::max({scratch.name_texts.capacity(),
                                        scratch.last_from.capacity(), scratch.a.values.capacity(),
                                        scratch.b.values.capacity()});
  if (largest > kKeptScratchItems) scratch = Scratch{};
}

// Gives each name (and each value, when the values are parallel) its input
// index, fills `sorted_names` with the names in sorted order carrying input
// indices, and, when the values are parallel, `sorted_values` with the values
// in that order. A name that occurs twice takes the input index of its first
// occurrence. Each sorted item it fills holds the text of the input item at
// its input index; their texts are noted in `texts` as they are added. With
// null sorted lists nothing is filled: `texts` notes the input items' texts.
void index_side(CStrList& names, CStrList& values, CStrList* sorted_names,
                CStrList* sorted_values, Scratch& scratch, SortedTexts& texts) {
  const int count = names.GetLength();
  const bool parallel = values.GetLength() == count;
  std::vector<const char*>& name_texts = scratch.name_texts;
  name_texts.resize(static_cast<std::size_t>(count));
  texts.input_names.resize(static_cast<std::size_t>(count));
  texts.input_values.resize(parallel ? static_cast<std::size_t>(count) : 0);
  for (int i = 0; i < count; ++i) {
    const auto at = static_cast<std::size_t>(i);
    CListNode* name = names.GetNodeAt(i);
    name->data = i;
    texts.input_names[at] = name;
    if (parallel) {
      CListNode* value = values.GetNodeAt(i);
      value->data = i;
      texts.input_values[at] = value;
    }
    name_texts[at] = name->text != nullptr ? name->text : "";
  }
  std::vector<const char*>& sorted = scratch.sorted_texts;
  std::vector<std::int64_t>& sorted_from = scratch.sorted_from;
  sort_texts_stably(name_texts, sorted, sorted_from);
  const std::size_t sorted_count = sorted.size();

  // Equal names sort in input order, so the first of each run of equal names
  // is the first occurrence.
  texts.names.resize(sorted_count);
  texts.sorted_names.resize(sorted_names != nullptr ? sorted_count : 0);
  texts.values.clear();
  texts.sorted_values.clear();
  texts.values_filled = false;
  std::vector<std::int64_t>& input_indices = scratch.input_indices;
  input_indices.resize(sorted_count);
  if (sorted_names != nullptr) sorted_names->Clear();
  const char* run_text = nullptr;  // the text of the run at hand
  std::int64_t run_first = 0;      // the input index of its first name
  for (std::size_t i = 0; i < sorted_count; ++i) {
    const char* text = sorted[i];
    if (run_text == nullptr || std::strcmp(text, run_text) != 0) {
      run_text = text;
      run_first = sorted_from[i];
    }
    input_indices[i] = run_first;
    if (sorted_names == nullptr) {
      texts.names[i] = text;
      continue;
    }
    if (sorted_names->Append(text, run_first) == 0) throw std::bad_alloc();
    CListNode* node = sorted_names->GetNodeAt(static_cast<int>(i));
    texts.sorted_names[i] = node;
    texts.names[i] = node->text;
  }
  if (!parallel) return;

  // The values of the sorted names lie all over the value list. They are
  // gathered first, a loop whose reads the processor overlaps, and their
  // texts fetched a few items ahead of the loop that copies them.
  const std::vector<CListNode*>& value_nodes = texts.input_values;
  std::vector<const char*>& sorted_value_texts = texts.values;
  sorted_value_texts.resize(sorted_count);
  for (std::size_t i = 0; i < sorted_count; ++i) {
    const char* text = value_nodes[static_cast<std::size_t>(input_indices[i])]->text;
    sorted_value_texts[i] = text != nullptr ? text : "";
  }
  texts.values_filled = true;
  if (sorted_values == nullptr) return;
  constexpr std::size_t kFetchAhead = 8;
  sorted_values->Clear();
  for (std::size_t i = 0; i < sorted_count; ++i) {
    if (i + kFetchAhead < sorted_count) __builtin_prefetch(sorted_value_texts[i + kFetchAhead]);
    if (sorted_values->Append(sorted_value_texts[i], input_indices[i]) == 0) {
      throw std::bad_alloc();
    }
    // The copy replaces the gathered text, which the list does not own.
    CListNode* node = sorted_values->GetNodeAt(static_cast<int>(i));
    texts.sorted_values.push_back(node);
    sorted_value_texts[i] = node->text;
  }
}

// The status code that sorted item `position` carries: that of its mark, or,
// for an item without a mark (values that were not compared), the integer
// value of its text.
std::int64_t code_of(std::span<const Mark> marks, std::size_t position, const char* text) {
  return position < marks.size() ? status_code(marks[position]) : read_leading_int(text);
}

// Carries the marks of a sorted list back to its input list: the input item
// at each sorted item's input index and the sorted item itself get the status
// code. A sorted item whose text is not its input item's takes that text.
void write_back(CStrList& input, CStrList& sorted, std::span<const Mark> marks) {
  const int count = input.GetLength();
  for (int i = 0; i < count; ++i) {
    std::int64_t input_index = -1;
    const char* text = sorted.GetTextAt(i, &input_index);
    if (text == nullptr || input_index < 0 || input_index >= count) continue;
    const std::int64_t code = code_of(marks, static_cast<std::size_t>(i), text);
    CListNode* source = input.GetNodeAt(static_cast<int>(input_index));
    source->data = code;
    CListNode* node = sorted.GetNodeAt(i);
    if (std::strcmp(node->text, source->text) != 0) node->text = sorted.CopyText(source->text);
    node->data = code;
  }
}

// write_back for a sorted list that index_side filled, whose items hold the
// texts of their input items; it passes the nodes of both lists, as many of
// each. With no texts to compare, both are walked in order: first the sorted
// items, noting for each input item the last sorted item that came from it,
// then the input items, each taking the code of that sorted item.
void write_back_filled(std::span<CListNode* const> input, std::span<CListNode* const> sorted,
                       std::span<const Mark> marks, std::vector<int>& last_from) {
  const auto count = static_cast<std::int64_t>(input.size());
  last_from.assign(input.size(), -1);
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    CListNode* node = sorted[i];
    if (node->data < 0 || node->data >= count) continue;
    last_from[static_cast<std::size_t>(node->data)] = static_cast<int>(i);
    node->data = code_of(marks, i, node->text);
  }
  for (std::size_t d = 0; d < input.size(); ++d) {
    const int from = last_from[d];
    if (from < 0) continue;
    CListNode* source = input[d];
    source->data = code_of(marks, static_cast<std::size_t>(from), source->text);
  }
}

}  // namespace

int compare_strlists(const ValueRule& rule, CStrList* a_names, CStrList* a_values,
                     CStrList* b_names, CStrList* b_values, CStrList* a_sorted_names,
                     CStrList* a_sorted_values, CStrList* b_sorted_names,
                     CStrList* b_sorted_values, const SlotRuleLookup* slot_rules) {
  // A list the caller did not pass is one of these, made only then.
  std::optional<CStrList> missing[8];
  auto list_or_scratch = [&missing](CStrList* list, int k) -> CStrList& {
    return list != nullptr ? *list : missing[k].emplace();
  };
  CStrList& an = list_or_scratch(a_names, 0);
  CStrList& av = list_or_scratch(a_values, 1);
  CStrList& bn = list_or_scratch(b_names, 2);
  CStrList& bv = list_or_scratch(b_values, 3);
  CStrList& san = list_or_scratch(a_sorted_names, 4);
  CStrList& sav = list_or_scratch(a_sorted_values, 5);
  CStrList& sbn = list_or_scratch(b_sorted_names, 6);
  CStrList& sbv = list_or_scratch(b_sorted_values, 7);

  Scratch& scratch = reused_scratch();
  SortedTexts& a = scratch.a;
  SortedTexts& b = scratch.b;
  index_side(an, av, &san, &sav, scratch, a);
  index_side(bn, bv, &sbn, &sbv, scratch, b);

  const bool compare_values =
      sav.GetLength() == san.GetLength() && sbv.GetLength() == sbn.GetLength();
  // A sorted value list that index_side did not fill is compared as it came.
  if (compare_values && !a.values_filled) texts_of(sav, a.values);
  if (compare_values && !b.values_filled) texts_of(sbv, b.values);
  KeyedMarks& marks = scratch.marks;
  mark_sorted_sides(a.names, a.values, b.names, b.values, compare_values, rule, marks,
                    slot_rules);

  write_back_filled(a.input_names, a.sorted_names, marks.a_names, scratch.last_from);
  write_back_filled(b.input_names, b.sorted_names, marks.b_names, scratch.last_from);
  if (av.GetLength() > 0 || bv.GetLength() > 0) {
    if (a.values_filled) {
      write_back_filled(a.input_values, a.sorted_values, marks.a_values, scratch.last_from);
    } else {
      write_back(av, sav, marks.a_values);
    }
    if (b.values_filled) {
      write_back_filled(b.input_values, b.sorted_values, marks.b_values, scratch.last_from);
    } else {
      write_back(bv, sbv, marks.b_values);
    }
  }
  const bool differ = marks.differ;
  release_long_scratch(scratch);
  return differ ? 1 : 0;
}

bool compare_strlists_sorted(const ValueRule& rule, CStrList& a_names, CStrList& a_values,
                             CStrList& b_names, CStrList& b_values, SortedSides& sides,
                             const SlotRuleLookup* slot_rules) {
  if (a_values.GetLength() != a_names.GetLength() ||
      b_values.GetLength() != b_names.GetLength()) {
    return false;
  }
  Scratch& scratch = reused_scratch();
  SortedTexts& a = scratch.a;
  SortedTexts& b = scratch.b;
  index_side(a_names, a_values, nullptr, nullptr, scratch, a);
  index_side(b_names, b_values, nullptr, nullptr, scratch, b);
  KeyedMarks& marks = scratch.marks;
  mark_sorted_sides(a.names, a.values, b.names, b.values, /*compare_values=*/true, rule, marks,
                    slot_rules);
  sides.a_names.assign(a.names.begin(), a.names.end());
  sides.a_values.assign(a.values.begin(), a.values.end());
  sides.b_names.assign(b.names.begin(), b.names.end());
  sides.b_values.assign(b.values.begin(), b.values.end());
  sides.a_name_marks.assign(marks.a_names.begin(), marks.a_names.end());
  sides.a_value_marks.assign(marks.a_values.begin(), marks.a_values.end());
  sides.b_name_marks.assign(marks.b_names.begin(), marks.b_names.end());
  sides.b_value_marks.assign(marks.b_values.begin(), marks.b_values.end());
  sides.differ = marks.differ;
  release_long_scratch(scratch);
  return true;
}

}  // namespace diff::engine
