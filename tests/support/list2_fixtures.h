// Building and reading list2 and CStrList lists in tests.
#ifndef DIFF_TESTS_SUPPORT_LIST2_FIXTURES_H_
#define DIFF_TESTS_SUPPORT_LIST2_FIXTURES_H_

#include <cstdint>  // std::int64_t
#include <memory>   // std::unique_ptr
#include <string>   // std::string
#include <utility>  // std::pair
#include <vector>   // std::vector

#include "diff/host/list_library.h"  // list2, CStrList

namespace diff::testing {

// An item as a test sees it: text and data word.
using Item = std::pair<std::string, std::int64_t>;

struct List2Deleter {
  void operator()(list2_impl* list) const { list2_delete(list); }
};
using List2Ptr = std::unique_ptr<list2_impl, List2Deleter>;

// A new list2 holding `texts` with data words 0.
inline List2Ptr make_list2(const std::vector<std::string>& texts) {
  List2Ptr list(list2_create());
  for (const std::string& text : texts) list2_append_to_end(list.get(), text.c_str(), 0);
  return list;
}

// A new list2 holding `items`, each with its data word.
inline List2Ptr make_marked_list2(const std::vector<Item>& items) {
  List2Ptr list(list2_create());
  for (const auto& [text, data] : items) list2_append_to_end(list.get(), text.c_str(), data);
  return list;
}

inline std::vector<Item> items_of(list2 list) {
  std::vector<Item> items;
  for (int i = 0; i < list2_length(list); ++i) {
    std::int64_t data = 0;
    const char* text = list2_get_item(list, i, &data);
    items.emplace_back(text, data);
  }
  return items;
}

inline void fill(CStrList& list, const std::vector<std::string>& texts) {
  for (const std::string& text : texts) list.Append(text.c_str(), 0);
}

inline std::vector<Item> items_of(CStrList& list) {
  std::vector<Item> items;
  for (int i = 0; i < list.GetLength(); ++i) {
    std::int64_t data = 0;
    const char* text = list.GetTextAt(i, &data);
    items.emplace_back(text, data);
  }
  return items;
}

}  // namespace diff::testing

#endif  // DIFF_TESTS_SUPPORT_LIST2_FIXTURES_H_
