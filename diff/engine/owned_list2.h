// list2 lists that the module creates or receives, deleted when they go.
#ifndef DIFF_ENGINE_OWNED_LIST2_H_
#define DIFF_ENGINE_OWNED_LIST2_H_

#include <memory>  // std::unique_ptr
#include <new>     // std::bad_alloc

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

}  // namespace diff::engine

#endif  // DIFF_ENGINE_OWNED_LIST2_H_
