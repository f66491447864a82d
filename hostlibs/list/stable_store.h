// Storage for objects that never move once added: blocks that start small,
// so that a short list costs little, and double up to kMaxBlockCount objects,
// so that a long list makes few allocations. Objects live until the store
// is destroyed.
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
  // Stores a copy of `value` and returns where it lives. Throws
  // std::bad_alloc (nothing is stored).
  T* Add(const T& value) {
    if (used_ == capacity_) AddBlock();
    T* place = blocks_.back().get() + used_;
    *place = value;
    ++used_;
    return place;
  }

 private:
  static constexpr std::size_t kFirstBlockCount = 16;
  static constexpr std::size_t kMaxBlockCount = 4096;

  void AddBlock() {
    const std::size_t count =
        blocks_.empty() ? kFirstBlockCount : std::min(capacity_ * 2, kMaxBlockCount);
    auto block = std::make_unique_for_overwrite<T[]>(count);
    blocks_.push_back(std::move(block));  // on failure `block` still owns the memory
    capacity_ = count;
    used_ = 0;
  }

  std::vector<std::unique_ptr<T[]>> blocks_;
  std::size_t capacity_ = 0;  // objects the last block holds
  std::size_t used_ = 0;      // objects added to the last block
};

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_STABLE_STORE_H_
