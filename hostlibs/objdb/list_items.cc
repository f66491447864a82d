#include "list_items.h"  // EncodeListItems, AppendListItems, AppendJoinedItems

#include <algorithm>  // std::replace
#include <cstddef>    // std::size_t, std::ptrdiff_t

namespace zozavi {

void EncodeListItems(CStrList& list, std::string& encoded) {
  encoded.clear();
  const int length = list.GetLength();
  for (int position = 0; position < length; ++position) {
    const char* item = list.GetTextAt(position);
    if (item != nullptr) encoded.append(item);
    encoded.push_back('\0');
  }
}

bool AppendListItems(std::string_view encoded, CStrList& list) {
  // Every item is closed by a NUL, so each one is a C string in place.
  for (std::size_t start = 0; start < encoded.size();) {
    const std::size_t end = encoded.find('\0', start);
    if (end == std::string_view::npos) return false;  // not closed: not our encoding
    if (list.Append(encoded.data() + start) == 0) return false;
    start = end + 1;
  }
  return true;
}

void AppendJoinedItems(std::string_view encoded, std::string& out) {
  if (encoded.empty()) return;
  const std::size_t start = out.size();
  out.append(encoded.substr(0, encoded.size() - 1));  // the last NUL closes the list
  std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '\0', '\n');
}

}  // namespace zozavi
