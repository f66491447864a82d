#include "diff/engine/strlist_compare.h"

#include <cstdint>  // std::int64_t
#include <cstring>  // std::strcmp
#include <span>     // std::span
#include <vector>   // std::vector

#include "diff/engine/keyed_marking.h"  // mark_sorted_sides
#include "diff/engine/number_text.h"    // read_leading_int

namespace diff::engine {
namespace {

// Gives each name (and each value, when the values are parallel) its input
// index, fills `sorted_names` with the names in sorted order carrying input
// indices, and, when the values are parallel, `sorted_values` with the values
// in that order. A name that occurs twice takes the input index of its first
// occurrence.
void index_side(CStrList& names, CStrList& values, CStrList& sorted_names,
                CStrList& sorted_values) {
  const int count = names.GetLength();
  const bool parallel = values.GetLength() == count;
  for (int i = 0; i < count; ++i) {
    names.GetNodeAt(i)->data = i;
    if (parallel) values.GetNodeAt(i)->data = i;
  }
  sorted_names.CopySorted(&names);
  for (int i = 0; i < count; ++i) {
    CListNode* node = sorted_names.GetNodeAt(i);
    if (const CListNode* first = names.Find(node->text)) node->data = first->data;
  }
  if (!parallel) return;

  sorted_values = values;
  for (int i = 0; i < count; ++i) {
    const std::int64_t input_index = sorted_names.GetNodeAt(i)->data;
    CListNode* value = values.GetNodeAt(static_cast<int>(input_index));
    value->data = input_index;
    CListNode* node = sorted_values.GetNodeAt(i);
    if (std::strcmp(node->text, value->text) != 0) node->text = sorted_values.CopyText(value->text);
    node->data = input_index;
  }
}

std::vector<const char*> texts_of(CStrList& list) {
  std::vector<const char*> texts(static_cast<std::size_t>(list.GetLength()));
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = list.GetNodeAt(static_cast<int>(i))->text;
  return texts;
}

// Carries the marks of a sorted list back to its input list: the input item
// at each sorted item's input index and the sorted item itself get the status
// code. A sorted item without a mark (values that were not compared) carries
// the integer value of its text instead.
void write_back(CStrList& input, CStrList& sorted, std::span<const Mark> marks) {
  const int count = input.GetLength();
  for (int i = 0; i < count; ++i) {
    std::int64_t input_index = -1;
    const char* text = sorted.GetTextAt(i, &input_index);
    if (text == nullptr || input_index < 0 || input_index >= count) continue;
    const auto position = static_cast<std::size_t>(i);
    const std::int64_t code =
        position < marks.size() ? status_code(marks[position]) : read_leading_int(text);
    CListNode* source = input.GetNodeAt(static_cast<int>(input_index));
    source->data = code;
    CListNode* node = sorted.GetNodeAt(i);
    if (std::strcmp(node->text, source->text) != 0) node->text = sorted.CopyText(source->text);
    node->data = code;
  }
}

}  // namespace

int compare_strlists(CStrList* a_names, CStrList* a_values, CStrList* b_names,
                     CStrList* b_values, CStrList* a_sorted_names, CStrList* a_sorted_values,
                     CStrList* b_sorted_names, CStrList* b_sorted_values) {
  CStrList scratch[8];
  CStrList& an = a_names != nullptr ? *a_names : scratch[0];
  CStrList& av = a_values != nullptr ? *a_values : scratch[1];
  CStrList& bn = b_names != nullptr ? *b_names : scratch[2];
  CStrList& bv = b_values != nullptr ? *b_values : scratch[3];
  CStrList& san = a_sorted_names != nullptr ? *a_sorted_names : scratch[4];
  CStrList& sav = a_sorted_values != nullptr ? *a_sorted_values : scratch[5];
  CStrList& sbn = b_sorted_names != nullptr ? *b_sorted_names : scratch[6];
  CStrList& sbv = b_sorted_values != nullptr ? *b_sorted_values : scratch[7];

  index_side(an, av, san, sav);
  index_side(bn, bv, sbn, sbv);

  const bool compare_values =
      sav.GetLength() == san.GetLength() && sbv.GetLength() == sbn.GetLength();
  const std::vector<const char*> sa = texts_of(san);
  const std::vector<const char*> sb = texts_of(sbn);
  const std::vector<const char*> va = compare_values ? texts_of(sav) : std::vector<const char*>{};
  const std::vector<const char*> vb = compare_values ? texts_of(sbv) : std::vector<const char*>{};
  const KeyedMarks marks = mark_sorted_sides(sa, va, sb, vb, compare_values);

  write_back(an, san, marks.a_names);
  write_back(bn, sbn, marks.b_names);
  if (av.GetLength() > 0 || bv.GetLength() > 0) {
    write_back(av, sav, marks.a_values);
    write_back(bv, sbv, marks.b_values);
  }
  return marks.differ ? 1 : 0;
}

}  // namespace diff::engine
