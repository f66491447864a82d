#include "hostlibs/list/text_index.h"

#include <new>  // std::bad_alloc

namespace rovivar {

void TextIndex::Added(std::string_view text, std::size_t slot) noexcept {
  if (stale_) return;
  try {
    const auto [it, inserted] = entries_.try_emplace(text, Entry{slot, 1});
    if (inserted) return;
    ++it->second.count;
    if (slot < it->second.first) it->second.first = slot;
  } catch (const std::bad_alloc&) {
    stale_ = true;
  }
}

void TextIndex::Removed(std::string_view text, std::size_t slot, bool storage_released) noexcept {
  if (stale_) return;
  const auto it = entries_.find(text);
  if (it == entries_.end()) return;
  Entry& entry = it->second;
  if (--entry.count == 0) {
    entries_.erase(it);
    return;
  }
  // The key is a view of one slot's text; when that very text goes away the
  // key would dangle, and which other slot could back it is unknown here.
  if (storage_released && it->first.data() == text.data()) {
    stale_ = true;
    return;
  }
  if (entry.first == slot) entry.first = slot + 1;
}

}  // namespace rovivar
