// Storage for objects that never move once added: blocks that start small,
// so that a short list costs little, and double up to kMaxBlockCount objects,
// so that a long list makes few allocations. The first block lies in the
// store itself: a short list makes no allocation for its objects. Objects
// live until the store is destroyed.
#ifndef HOSTLIBS_LIST_STABLE_STORE_H_
#define HOSTLIBS_LIST_STABLE_STORE_H_

#include <algorithm>  // std::min
#include <cstddef>    // std::size_t
#include <memory>     // std::unique_ptr, std::make_unique_for_overwrite
#include <utility>    // std::move
#include <vector>     // std::vector

namespace rovivar {

template <typename T>
class StableStore {
 public:
  StableStore() = default;
  // Objects live in the store's own first block: it never moves.
  StableStore(const StableStore&) = delete;
  StableStore& operator=(const StableStore&) = delete;

  // Stores a copy of `value` and returns where it lives. Throws
  // std::bad_alloc (nothing is stored).
  T* Add(const T& value) {
    if (used_ == capacity_) AddBlock();
    T* place = current_ + used_;
    *place = value;
    ++used_;
    return place;
  }

 private:
  // Small enough that a list core with its first blocks stays within the
  // sizes malloc serves from its per-thread cache.
  static constexpr std::size_t kFirstBlockCount = 12;
  static constexpr std::size_t kMaxBlockCount = 4096;

  void AddBlock() {
    const std::size_t count = std::min(capacity_ * 2, kMaxBlockCount);
    auto block = std::make_unique_for_overwrite<T[]>(count);
    blocks_.push_back(std::move(block));  // on failure `block` still owns the memory
    current_ = blocks_.back().get();
    capacity_ = count;
    used_ = 0;
  }

  T first_block_[kFirstBlockCount];
  std::vector<std::unique_ptr<T[]>> blocks_;  // the blocks after the first
  T* current_ = first_block_;                 // the block objects are added to
  std::size_t capacity_ = kFirstBlockCount;   // objects the current block holds
  std::size_t used_ = 0;                      // objects added to the current block
};

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_STABLE_STORE_H_
