// A list2 of the list library, deleted with its owner.
#ifndef ODBDIFF_MODULE_OWNED_LIST2_H_
#define ODBDIFF_MODULE_OWNED_LIST2_H_

#include <memory>  // std::unique_ptr

#include "diff/host/list_library.h"  // list2_impl, list2_delete

namespace odbdiff {

struct List2Deleter {
  void operator()(list2_impl* list) const { list2_delete(list); }
};
using List2 = std::unique_ptr<list2_impl, List2Deleter>;

}  // namespace odbdiff

#endif  // ODBDIFF_MODULE_OWNED_LIST2_H_
