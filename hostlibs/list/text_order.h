// The order in which the list library sorts texts: byte-wise ascending with
// bytes compared as unsigned values (as strcmp orders them), stable for equal
// texts.
#ifndef HOSTLIBS_LIST_TEXT_ORDER_H_
#define HOSTLIBS_LIST_TEXT_ORDER_H_

#include <algorithm>    // std::stable_sort
#include <cstdint>      // std::int64_t
#include <string_view>  // std::string_view
#include <vector>       // std::vector

namespace rovivar {

struct TextItem {
  std::string_view text;
  std::int64_t data;
};

// std::string_view compares through std::char_traits<char>, which orders
// characters as unsigned char: exactly the byte-wise order.
inline void SortByText(std::vector<TextItem>& items) {
  std::stable_sort(items.begin(), items.end(),
                   [](const TextItem& a, const TextItem& b) { return a.text < b.text; });
}

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_TEXT_ORDER_H_
