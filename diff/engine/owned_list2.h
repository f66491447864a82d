// list2 lists that the module creates or receives, deleted when they go.
#ifndef DIFF_ENGINE_OWNED_LIST2_H_
#define DIFF_ENGINE_OWNED_LIST2_H_

#include <cstddef>  // std::size_t
#include <cstdint>  // std::int64_t
#include <memory>   // std::unique_ptr
#include <new>      // std::bad_alloc
#include <vector>   // std::vector of item texts and data words

#include "diff/host/list_library.h"  // list2, list2_create, list2_delete

namespace diff::engine {

struct List2Deleter {
  void operator()(list2 list) const { list2_delete(list); }
};
using OwnedList2 = std::unique_ptr<list2_impl, List2Deleter>;

// A new empty list. Throws std::bad_alloc when the list library has no
// memory for one.
inline OwnedList2 new_list2() {
  OwnedList2 list(list2_create());
  if (list == nullptr) throw std::bad_alloc();
  return list;
}

// The texts and data words of a list's items, in order.
struct List2Items {
  std::vector<const char*> texts;
  std::vector<std::int64_t> data;
};

inline List2Items items_of(list2 list) {
  const auto count = static_cast<std::size_t>(list2_length(list));
  List2Items items{std::vector<const char*>(count), std::vector<std::int64_t>(count)};
  for (std::size_t i = 0; i < count; ++i) {
    items.texts[i] = list2_get_item(list, static_cast<int>(i), &items.data[i]);
  }
  return items;
}

}  // namespace diff::engine

#endif  // DIFF_ENGINE_OWNED_LIST2_H_
