// Hash index of a list's texts: for each text, the first slot that holds it
// and how many slots hold it. A slot is a place in the list's storage, in
// list order; a slot may be empty (an item taken out and not yet compacted).
//
// The owning list reports the changes it sees (Added, Removed) so that the
// index stays current in O(1) per change; a change it cannot describe that
// way marks the index stale, and the list rebuilds it before its next lookup.
// The first slot recorded for a text is known to hold it until that slot lets
// the text go; from then on it is a lower bound, and the next lookup walks
// forward to the next slot that holds the text. A lookup of a text whose
// first slot is known reads nothing but the index.
#ifndef HOSTLIBS_LIST_TEXT_INDEX_H_
#define HOSTLIBS_LIST_TEXT_INDEX_H_

#include <cstddef>      // std::size_t
#include <string_view>  // std::string_view

#include "hostlibs/list/flat_text_map.h"  // rovivar::FlatTextMap

namespace rovivar {

class TextIndex {
 public:
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

  bool stale() const { return stale_; }
  void MarkStale() { stale_ = true; }

  // Indexes slots [0, slot_count). text_at(slot) gives the text of a slot as
  // a std::string_view, or a view with a null data pointer for an empty slot.
  // The index keeps views of these texts: each must stay where it is while
  // the index holds it. Throws std::bad_alloc (the index then stays stale).
  template <typename TextAt>
  void Rebuild(std::size_t slot_count, TextAt text_at);

  // The first slot that holds `text`, or kNotFound. The index must be fresh.
  template <typename TextAt>
  std::size_t FindFirst(std::string_view text, std::size_t slot_count, TextAt text_at);

  // `slot` now holds `text` (which stays in place while indexed). Ignored
  // while the index is stale; makes it stale when memory runs out.
  void Added(std::string_view text, std::size_t slot) noexcept;

  // `slot` no longer holds `text`. `storage_released` tells that the memory of
  // `text` is about to be released, so the index must stop referring to it.
  // Ignored while the index is stale.
  void Removed(std::string_view text, std::size_t slot, bool storage_released) noexcept;

 private:
  struct Entry {
    std::size_t first;  // no slot before this one holds the text
    std::size_t count;  // number of slots that hold it
    bool first_holds;   // `first` is known to hold the text
  };

  FlatTextMap<Entry> entries_;
  bool stale_ = true;
};

template <typename TextAt>
void TextIndex::Rebuild(std::size_t slot_count, TextAt text_at) {
  stale_ = true;
  entries_.Reset(slot_count);
  // The inserts land all over the map; each text is hashed kAhead slots
  // before its insert and its entry fetched meanwhile.
  constexpr std::size_t kAhead = 8;
  std::size_t hashes[kAhead] = {};
  const auto hash_ahead = [&](std::size_t slot) {
    const std::string_view text = text_at(slot);
    if (text.data() == nullptr) return;
    hashes[slot % kAhead] = entries_.HashOf(text);
    entries_.Prefetch(hashes[slot % kAhead]);
  };
  for (std::size_t slot = 0; slot < kAhead && slot < slot_count; ++slot) hash_ahead(slot);
  for (std::size_t slot = 0; slot < slot_count; ++slot) {
    const std::string_view text = text_at(slot);
    const std::size_t hash = hashes[slot % kAhead];
    if (slot + kAhead < slot_count) hash_ahead(slot + kAhead);
    if (text.data() == nullptr) continue;
    const auto [found, inserted] = entries_.TryEmplace(text, hash, Entry{slot, 1, true});
    if (!inserted) ++found->value.count;
  }
  stale_ = false;
}

template <typename TextAt>
std::size_t TextIndex::FindFirst(std::string_view text, std::size_t slot_count, TextAt text_at) {
  const auto found = entries_.Find(text);
  if (found == nullptr) return kNotFound;
  Entry& entry = found->value;
  if (entry.first_holds) return entry.first;
  const std::string_view key = found->key;  // equal to `text`
  for (; entry.first < slot_count; ++entry.first) {
    const std::string_view held = text_at(entry.first);
    if (held.data() == nullptr) continue;
    // A slot usually holds the very text the key views.
    if (held.data() == key.data() ? held.size() == key.size() : held == text) {
      entry.first_holds = true;
      return entry.first;
    }
  }
  entries_.Erase(found);  // every slot that held the text has let it go
  return kNotFound;
}

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_TEXT_INDEX_H_
