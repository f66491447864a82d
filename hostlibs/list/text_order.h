// The order in which the list library sorts texts: byte-wise ascending with
// bytes compared as unsigned values (as strcmp orders them), stable for equal
// texts.
#ifndef HOSTLIBS_LIST_TEXT_ORDER_H_
#define HOSTLIBS_LIST_TEXT_ORDER_H_

#include <cstddef>      // std::size_t
#include <span>         // std::span
#include <string_view>  // std::string_view
#include <vector>       // std::vector

namespace rovivar {

// The positions of `texts` (0 to size - 1), ordered by their texts in that
// order; positions of equal texts stay in ascending order. Throws
// std::bad_alloc.
std::vector<std::size_t> SortedOrder(std::span<const std::string_view> texts);

// How many steps ahead a walk through sorted positions asks the processor
// for what it will read: the positions jump all over the source, so each
// read would otherwise wait on memory.
inline constexpr std::size_t kSortedWalkAhead = 16;

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_TEXT_ORDER_H_
