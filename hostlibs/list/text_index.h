// Hash index of a list's texts: for each text, the first slot that holds it
// and how many slots hold it. A slot is a place in the list's storage, in
// list order; a slot may be empty (an item taken out and not yet compacted).
//
// The owning list reports the changes it sees (Added, Removed) so that the
// index stays current in O(1) per change; a change it cannot describe that
// way marks the index stale, and the list rebuilds it before its next lookup.
// The first slot recorded for a text is a lower bound: when that slot lets
// the text go, the next lookup walks forward to the next slot that holds it.
#ifndef HOSTLIBS_LIST_TEXT_INDEX_H_
#define HOSTLIBS_LIST_TEXT_INDEX_H_

#include <cstddef>        // std::size_t
#include <string_view>    // std::string_view
#include <unordered_map>  // std::unordered_map

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
  };

  std::unordered_map<std::string_view, Entry> entries_;
  bool stale_ = true;
};

template <typename TextAt>
void TextIndex::Rebuild(std::size_t slot_count, TextAt text_at) {
  stale_ = true;
  entries_.clear();
  entries_.reserve(slot_count);
  for (std::size_t slot = 0; slot < slot_count; ++slot) {
    const std::string_view text = text_at(slot);
    if (text.data() == nullptr) continue;
    const auto [it, inserted] = entries_.try_emplace(text, Entry{slot, 1});
    if (!inserted) ++it->second.count;
  }
  stale_ = false;
}

template <typename TextAt>
std::size_t TextIndex::FindFirst(std::string_view text, std::size_t slot_count, TextAt text_at) {
  const auto it = entries_.find(text);
  if (it == entries_.end()) return kNotFound;
  Entry& entry = it->second;
  for (; entry.first < slot_count; ++entry.first) {
    const std::string_view held = text_at(entry.first);
    if (held.data() != nullptr && held == text) return entry.first;
  }
  entries_.erase(it);  // every slot that held the text has let it go
  return kNotFound;
}

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_TEXT_INDEX_H_
