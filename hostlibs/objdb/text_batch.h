// Texts gathered from a query before they are handed to the caller's list, so
// that a query failing halfway leaves the list as it was.
#ifndef HOSTLIBS_OBJDB_TEXT_BATCH_H_
#define HOSTLIBS_OBJDB_TEXT_BATCH_H_

#include <cstddef>      // std::size_t
#include <cstdint>      // std::uint32_t positions
#include <span>         // std::span of positions
#include <string>       // std::string holding the texts
#include <string_view>  // std::string_view for texts added
#include <vector>       // std::vector of text starts

#include "diff/host/list_library.h"  // CStrList

namespace zozavi {

class TextBatch {
 public:
  // Empties the batch, keeping its memory for the next query.
  void Clear() {
    bytes_.clear();
    starts_.clear();
  }
  void Add(std::string_view text) {
    starts_.push_back(bytes_.size());
    bytes_.append(text);
    bytes_.push_back('\0');
  }
  // Appends the texts in order. False when the list refuses one.
  bool AppendTo(CStrList& list) const {
    for (const std::size_t start : starts_) {
      if (list.Append(bytes_.data() + start) == 0) return false;
    }
    return true;
  }
  // Appends the texts in the order of their positions in `order`.
  bool AppendTo(CStrList& list, std::span<const std::uint32_t> order) const {
    for (const std::uint32_t position : order) {
      if (list.Append(bytes_.data() + starts_[position]) == 0) return false;
    }
    return true;
  }
  std::size_t size() const { return starts_.size(); }
  // The text at `position`, without its closing NUL.
  std::string_view operator[](std::size_t position) const {
    const std::size_t end = position + 1 < starts_.size() ? starts_[position + 1] : bytes_.size();
    return std::string_view(bytes_).substr(starts_[position], end - 1 - starts_[position]);
  }

 private:
  std::string bytes_;                // the texts, each closed by a NUL
  std::vector<std::size_t> starts_;  // where each text begins in bytes_
};

}  // namespace zozavi

#endif  // HOSTLIBS_OBJDB_TEXT_BATCH_H_
