// Converts between positions and slots of a list whose removed items leave
// empty slots behind until the list compacts them. A Fenwick tree counts the
// occupied slots, so each conversion and each update costs O(log n).
#ifndef HOSTLIBS_LIST_SLOT_POSITIONS_H_
#define HOSTLIBS_LIST_SLOT_POSITIONS_H_

#include <cstddef>  // std::size_t
#include <cstdint>  // std::int64_t
#include <utility>  // std::move
#include <vector>   // std::vector

namespace rovivar {

class SlotPositions {
 public:
  // Whether the tree is built; when it is not, the list must Build it before
  // converting.
  bool active() const { return active_; }

  // Builds the tree over `slots`, where a null pointer is an empty slot.
  // Throws std::bad_alloc (the tree then stays inactive).
  template <typename T>
  void Build(const std::vector<T*>& slots);

  // Forgets the tree.
  void Reset();

  // A slot was added at the end (occupied). Throws std::bad_alloc.
  void PushBack();
  // The occupied `slot` became empty.
  void Empty(std::size_t slot);

  // Number of occupied slots before `slot`: the position of an item in it.
  std::size_t PositionOf(std::size_t slot) const;
  // The slot of the item at `position` (which must be below the item count).
  std::size_t SlotAt(std::size_t position) const;

 private:
  // Sum of the first `count` slots' occupancy.
  std::int64_t Prefix(std::size_t count) const;
  void Fill(std::vector<std::int64_t> occupancy);

  // 1-based Fenwick tree: tree_[i] sums slots (i - lowbit(i), i].
  std::vector<std::int64_t> tree_{0};
  bool active_ = false;
};

template <typename T>
void SlotPositions::Build(const std::vector<T*>& slots) {
  std::vector<std::int64_t> occupancy(slots.size() + 1, 0);
  for (std::size_t slot = 0; slot < slots.size(); ++slot) {
    occupancy[slot + 1] = slots[slot] != nullptr ? 1 : 0;
  }
  Fill(std::move(occupancy));
}

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_SLOT_POSITIONS_H_
