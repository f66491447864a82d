#include "hostlibs/list/str_list_core.h"

#include <climits>  // INT_MAX
#include <new>      // std::bad_alloc

using rovivar::NodeRecord;
using rovivar::TextIndex;
using rovivar::TextOf;

namespace {

// Empty slots are squeezed out once they make up this share (1/n) of all
// slots, so each compaction is paid for by the removals that emptied them.
constexpr std::size_t kCompactShare = 4;

// Copies handed out by CopyText are followed only up to this many more than
// there are items; past that the next lookup rebuilds the index anyway.
constexpr std::size_t kFollowedCopiesSlack = 64;

int ClampToInt(std::size_t value) {
  return value > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

}  // namespace

int StrListCore::Length() const { return ClampToInt(slots_.size() - empty_slots_); }

CListNode* StrListCore::NodeAt(int position) {
  if (position < 0 || position >= Length()) return nullptr;
  NodeRecord* record = slots_[SlotAt(static_cast<std::size_t>(position))];
  Expose(record);
  return &record->node;
}

const CListNode* StrListCore::ItemAt(int position) {
  if (position < 0 || position >= Length()) return nullptr;
  return &slots_[SlotAt(static_cast<std::size_t>(position))]->node;
}

CListNode* StrListCore::Find(std::string_view text) {
  const std::size_t slot = FirstSlotOf(text);
  if (slot == TextIndex::kNotFound) return nullptr;
  NodeRecord* record = slots_[slot];
  Expose(record);
  return &record->node;
}

int StrListCore::PositionOf(std::string_view text) {
  const std::size_t slot = FirstSlotOf(text);
  if (slot == TextIndex::kNotFound) return -1;
  const std::size_t position = PositionAt(slot);
  return position < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(position) : -1;
}

bool StrListCore::Contains(std::string_view text) {
  return FirstSlotOf(text) != TextIndex::kNotFound;
}

bool StrListCore::Remove(CListNode* node) {
  if (node == nullptr || node->slot_ < 0) return false;
  const auto slot = static_cast<std::size_t>(node->slot_);
  if (slot >= slots_.size() || slots_[slot] == nullptr || &slots_[slot]->node != node) {
    return false;
  }
  NodeRecord* record = slots_[slot];
  if (!index_.stale()) {
    unplaced_copies_.erase(node->text);  // a copy assigned to this node has turned up
    index_.Removed(TextOf(record->indexed_text), slot, /*storage_released=*/false);
  }
  slots_[slot] = nullptr;
  node->slot_ = -1;
  ++empty_slots_;
  if (positions_.active()) positions_.Empty(slot);
  return true;
}

char* StrListCore::CopyText(std::string_view text) {
  char* copy = texts_.Copy(text);
  if (index_.stale()) return copy;  // the next lookup rebuilds anyway
  if (unplaced_copies_.size() >= slots_.size() + kFollowedCopiesSlack) {
    index_.MarkStale();
    return copy;
  }
  try {
    unplaced_copies_.insert(copy);
  } catch (const std::bad_alloc&) {
    index_.MarkStale();
  }
  return copy;
}

void StrListCore::Append(std::string_view text, std::int64_t data) {
  char* copy = texts_.Copy(text);
  const std::size_t slot = slots_.size();
  // Most lists are short (an object's slots): one allocation instead of a
  // doubling from one.
  if (slots_.capacity() == 0) slots_.reserve(kFirstSlotCapacity);
  slots_.push_back(nullptr);
  try {
    slots_.back() = records_.Add(NodeRecord{
        CListNode{copy, data, static_cast<std::int64_t>(slot)}, copy, /*exposed=*/false});
  } catch (...) {
    slots_.pop_back();
    throw;
  }
  if (positions_.active()) {
    try {
      positions_.PushBack();
    } catch (const std::bad_alloc&) {
      positions_.Reset();  // built again when next needed
    }
  }
  index_.Added(std::string_view(copy, text.size()), slot);
}

void StrListCore::Clear() {
  for (NodeRecord* record : slots_) {
    if (record != nullptr) record->node.slot_ = -1;
  }
  slots_.clear();
  empty_slots_ = 0;
  positions_.Reset();
  index_.MarkStale();
}

std::size_t StrListCore::SlotAmongEmptySlots(std::size_t position) {
  if (empty_slots_ * kCompactShare >= slots_.size()) {
    Compact();
    return position;
  }
  if (!positions_.active()) positions_.Build(slots_);
  return positions_.SlotAt(position);
}

std::size_t StrListCore::PositionAt(std::size_t slot) {
  if (empty_slots_ == 0) return slot;
  if (empty_slots_ * kCompactShare >= slots_.size()) {
    const NodeRecord* record = slots_[slot];
    Compact();
    return static_cast<std::size_t>(record->node.slot_);
  }
  if (!positions_.active()) positions_.Build(slots_);
  return positions_.PositionOf(slot);
}

void StrListCore::Compact() {
  std::size_t kept = 0;
  for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
    NodeRecord* record = slots_[slot];
    if (record == nullptr) continue;
    record->node.slot_ = static_cast<std::int64_t>(kept);
    slots_[kept++] = record;
  }
  slots_.resize(kept);
  empty_slots_ = 0;
  positions_.Reset();
  index_.MarkStale();  // the index counts in slots, which have moved
}

void StrListCore::SyncIndex() {
  // Nodes handed out stay on watch across lookups until a copy from CopyText
  // is outstanding: the caller may look texts up between taking a node and
  // assigning to it.
  if (!index_.stale() && !unplaced_copies_.empty()) CheckExposedNodes();
  if (index_.stale() || !unplaced_copies_.empty()) RebuildIndex();
}

void StrListCore::CheckExposedNodes() {
  for (NodeRecord* record : exposed_) {
    record->exposed = false;
    const CListNode& node = record->node;
    if (node.slot_ < 0 || node.text == record->indexed_text) continue;
    const auto slot = static_cast<std::size_t>(node.slot_);
    unplaced_copies_.erase(node.text);
    index_.Removed(TextOf(record->indexed_text), slot, /*storage_released=*/false);
    index_.Added(TextOf(node.text), slot);
    record->indexed_text = node.text;
  }
  exposed_.clear();
}

void StrListCore::RebuildIndex() {
  for (NodeRecord* record : exposed_) record->exposed = false;
  exposed_.clear();
  unplaced_copies_.clear();
  for (NodeRecord* record : slots_) {
    if (record != nullptr) record->indexed_text = record->node.text;
  }
  index_.Rebuild(slots_.size(), [this](std::size_t slot) { return IndexedTextAt(slot); });
}

std::size_t StrListCore::FirstSlotOf(std::string_view text) {
  SyncIndex();
  return index_.FindFirst(text, slots_.size(),
                          [this](std::size_t slot) { return IndexedTextAt(slot); });
}

std::string_view StrListCore::IndexedTextAt(std::size_t slot) const {
  const NodeRecord* record = slots_[slot];
  return record != nullptr ? TextOf(record->indexed_text) : std::string_view();
}

void StrListCore::Watch(NodeRecord* record) {
  try {
    exposed_.push_back(record);
    record->exposed = true;
  } catch (const std::bad_alloc&) {
    index_.MarkStale();
  }
}
