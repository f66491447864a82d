// Storage for a list's own copies of texts. Copies are carved out of larger
// blocks and all released together when the arena is destroyed, so a copy
// stays valid for the arena's whole life. The first block lies in the arena
// itself: the texts of a short list cost no allocation.
#ifndef HOSTLIBS_LIST_TEXT_ARENA_H_
#define HOSTLIBS_LIST_TEXT_ARENA_H_

#include <cstddef>      // std::size_t
#include <memory>       // std::unique_ptr
#include <string_view>  // std::string_view
#include <vector>       // std::vector

namespace rovivar {

class TextArena {
 public:
  TextArena() = default;
  // Copies point into the arena's own first block: it never moves.
  TextArena(const TextArena&) = delete;
  TextArena& operator=(const TextArena&) = delete;

  // A NUL-terminated copy of `text`. Throws std::bad_alloc when memory runs out.
  char* Copy(std::string_view text);

 private:
  // Blocks start small, so that a short list costs little, and grow up to
  // kMaxBlockSize; a text larger than a quarter of that gets a block of its own.
  static constexpr std::size_t kFirstBlockSize = 256;  // the block inside the arena
  static constexpr std::size_t kMaxBlockSize = 64 * 1024;

  char* Allocate(std::size_t size);
  // Takes `block` into the arena and returns its start.
  char* Keep(std::unique_ptr<char[]> block);

  char first_block_[kFirstBlockSize];
  std::vector<std::unique_ptr<char[]>> blocks_;  // the blocks after the first
  char* next_free_ = first_block_;  // first unused byte of the current block
  std::size_t room_ = kFirstBlockSize;  // unused bytes left in the current block
  std::size_t next_block_size_ = 2 * kFirstBlockSize;
};

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_TEXT_ARENA_H_
