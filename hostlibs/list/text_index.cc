#include "hostlibs/list/text_index.h"

#include <new>  // std::bad_alloc

namespace rovivar {

void TextIndex::Added(std::string_view text, std::size_t slot) noexcept {
  if (stale_) return;
  try {
    const auto [found, inserted] = entries_.TryEmplace(text, Entry{slot, 1, true});
    if (inserted) return;
    Entry& entry = found->value;
    ++entry.count;
    if (slot <= entry.first) {
      entry.first = slot;
      entry.first_holds = true;
    }
  } catch (const std::bad_alloc&) {
    stale_ = true;
  }
}

void TextIndex::Removed(std::string_view text, std::size_t slot, bool storage_released) noexcept {
  if (stale_) return;
  const auto found = entries_.Find(text);
  if (found == nullptr) return;
  Entry& entry = found->value;
  if (--entry.count == 0) {
    entries_.Erase(found);
    return;
  }
  // The key is a view of one slot's text; when that very text goes away the
  // key would dangle, and which other slot could back it is unknown here.
  if (storage_released && found->key.data() == text.data()) {
    stale_ = true;
    return;
  }
  if (entry.first == slot) {
    entry.first = slot + 1;
    entry.first_holds = false;
  }
}

}  // namespace rovivar
