// The storage behind CDLList and CStrList.
//
// Items live in NodeRecords that are never freed before the list is: a node
// taken out of the list (or dropped by Clear) stays readable. The list order
// is a vector of record pointers ("slots"); Remove empties a slot, and the
// empty slots are squeezed out once enough of them pile up, so that removing
// every item one by one stays linear. Until then, positions and slots convert
// through a Fenwick tree.
//
// Callers assign node texts directly, taking the texts from CopyText. The
// text index follows those assignments without rescanning the list: once
// CopyText has handed out copies, the next lookup checks the nodes handed out
// by NodeAt or Find since the last such check, and every copy must turn up in
// one of them; if one does not, the lookup rebuilds the index from scratch.
#ifndef HOSTLIBS_LIST_STR_LIST_CORE_H_
#define HOSTLIBS_LIST_STR_LIST_CORE_H_

#include <cstddef>        // std::size_t
#include <cstdint>        // std::int64_t
#include <string_view>    // std::string_view
#include <unordered_set>  // std::unordered_set
#include <vector>         // std::vector

#include "diff/host/list_library.h"        // CListNode, StrListCore
#include "hostlibs/list/slot_positions.h"  // rovivar::SlotPositions
#include "hostlibs/list/stable_store.h"    // rovivar::StableStore, for records that never move
#include "hostlibs/list/text_arena.h"      // rovivar::TextArena
#include "hostlibs/list/text_index.h"      // rovivar::TextIndex

namespace rovivar {

// One item and what the list keeps beside it.
struct NodeRecord {
  CListNode node;            // first member: a node's address is its record's
  const char* indexed_text;  // the text the index knows this node by
  bool exposed;              // handed out since the index last checked it
};

// A node text as the list reads it: a null text reads as the empty text.
inline std::string_view TextOf(const char* text) {
  return text != nullptr ? std::string_view(text) : std::string_view("");
}

}  // namespace rovivar

// Methods that allocate may throw std::bad_alloc; the list stays usable.
struct StrListCore {
 public:
  int Length() const;

  // The node at `position`, or null. The caller may assign its fields.
  CListNode* NodeAt(int position);
  // The node at `position` for reading only, or null.
  const CListNode* ItemAt(int position);
  // The node of the first item whose text is `text`, or null. The caller may
  // assign its fields.
  CListNode* Find(std::string_view text);
  // Position of the first item whose text is `text`, or -1.
  int PositionOf(std::string_view text);
  // Whether an item's text is `text`.
  bool Contains(std::string_view text);

  // Takes `node` out; false when it is not an item of this list.
  bool Remove(CListNode* node);

  // A copy of `text` that lives as long as this core.
  char* CopyText(std::string_view text);
  void Append(std::string_view text, std::int64_t data);
  // Makes room for `count` more items.
  void Reserve(std::size_t count) { slots_.reserve(slots_.size() + count); }
  void Clear();

  // Calls visit(const CListNode&) for every item, in order.
  template <typename Visit>
  void ForEachItem(Visit visit) const {
    for (const rovivar::NodeRecord* record : slots_) {
      if (record != nullptr) visit(record->node);
    }
  }

 private:
  static constexpr std::size_t kFirstSlotCapacity = 16;

  // The slot of the item at `position` (0 <= position < Length()).
  std::size_t SlotAt(std::size_t position) {
    return empty_slots_ == 0 ? position : SlotAmongEmptySlots(position);
  }
  // SlotAt once items were removed; kept out of line, so that reading a
  // list without gaps, the common case, stays a few instructions.
  [[gnu::noinline]] std::size_t SlotAmongEmptySlots(std::size_t position);
  // The position of the item in the occupied `slot`.
  std::size_t PositionAt(std::size_t slot);
  // Squeezes out the empty slots.
  void Compact();

  // Brings the index up to date with every change made to the items.
  void SyncIndex();
  void CheckExposedNodes();
  void RebuildIndex();
  // The first slot holding `text`, or TextIndex::kNotFound.
  std::size_t FirstSlotOf(std::string_view text);
  // The text the index knows `slot` by; a null view for an empty slot.
  std::string_view IndexedTextAt(std::size_t slot) const;
  // Notes that the caller got hold of `record`'s node and may assign its text.
  void Expose(rovivar::NodeRecord* record) {
    if (!index_.stale() && !record->exposed) Watch(record);
  }
  // Puts `record` on watch; out of line, as SlotAmongEmptySlots.
  [[gnu::noinline]] void Watch(rovivar::NodeRecord* record);

  rovivar::TextArena texts_;
  rovivar::StableStore<rovivar::NodeRecord> records_;
  std::vector<rovivar::NodeRecord*> slots_;  // the items in order; null once removed
  std::size_t empty_slots_ = 0;
  rovivar::SlotPositions positions_;  // active only while empty slots exist

  rovivar::TextIndex index_;  // over slots_, by the records' indexed_text
  std::vector<rovivar::NodeRecord*> exposed_;
  std::unordered_set<const char*> unplaced_copies_;  // from CopyText, not yet seen in a node
};

#endif  // HOSTLIBS_LIST_STR_LIST_CORE_H_
