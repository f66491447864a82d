// A sequence stored in chunks of kChunkSize elements. Appending never moves
// the elements already there and a long sequence needs no large block of
// memory: a list of a million items grows one chunk at a time instead of
// copying itself into ever larger arrays. The first chunk starts small and
// grows up to kChunkSize, so a short sequence costs little. Indexing costs a
// shift and a mask. T must be trivially copyable.
#ifndef HOSTLIBS_LIST_CHUNKED_VECTOR_H_
#define HOSTLIBS_LIST_CHUNKED_VECTOR_H_

#include <algorithm>    // std::copy_n, std::max, std::min
#include <cstddef>      // std::size_t
#include <memory>       // std::unique_ptr, std::make_unique_for_overwrite
#include <type_traits>  // std::is_trivially_copyable_v
#include <utility>      // std::move
#include <vector>       // std::vector

namespace rovivar {

template <typename T>
class ChunkedVector {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  static constexpr std::size_t kChunkBits = 12;
  static constexpr std::size_t kChunkSize = std::size_t{1} << kChunkBits;

  std::size_t size() const { return size_; }

  T& operator[](std::size_t i) { return chunks_[i >> kChunkBits][i & (kChunkSize - 1)]; }
  const T& operator[](std::size_t i) const {
    return chunks_[i >> kChunkBits][i & (kChunkSize - 1)];
  }

  // Throws std::bad_alloc (the sequence is then unchanged).
  void push_back(const T& value) {
    MakeRoomForOneMore();
    (*this)[size_++] = value;
  }

  // Inserts `value` before element `position` (at most size()). Throws
  // std::bad_alloc (the sequence is then unchanged).
  void insert(std::size_t position, const T& value) {
    MakeRoomForOneMore();
    ++size_;
    for (std::size_t i = size_ - 1; i > position; --i) (*this)[i] = (*this)[i - 1];
    (*this)[position] = value;
  }

 private:
  static constexpr std::size_t kFirstCapacity = 8;

  void MakeRoomForOneMore() {
    if (size_ < first_capacity_ || (size_ >= kChunkSize && (size_ & (kChunkSize - 1)) != 0)) {
      return;
    }
    if (size_ < kChunkSize) {  // the first chunk grows
      const std::size_t capacity =
          std::max(kFirstCapacity, std::min(first_capacity_ * 2, kChunkSize));
      auto grown = std::make_unique_for_overwrite<T[]>(capacity);
      if (size_ > 0) std::copy_n(chunks_[0].get(), size_, grown.get());
      if (chunks_.empty()) {
        chunks_.push_back(std::move(grown));  // on failure `grown` still owns the memory
      } else {
        chunks_[0] = std::move(grown);
      }
      first_capacity_ = capacity;
      return;
    }
    chunks_.push_back(std::make_unique_for_overwrite<T[]>(kChunkSize));
  }

  std::vector<std::unique_ptr<T[]>> chunks_;
  std::size_t size_ = 0;
  std::size_t first_capacity_ = 0;  // elements the first chunk holds
};

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_CHUNKED_VECTOR_H_
