// Storage for a list's own copies of texts. Copies are carved out of larger
// blocks and all released together when the arena is destroyed, so a copy
// stays valid for the arena's whole life.
#ifndef HOSTLIBS_LIST_TEXT_ARENA_H_
#define HOSTLIBS_LIST_TEXT_ARENA_H_

#include <cstddef>      // std::size_t
#include <memory>       // std::unique_ptr
#include <string_view>  // std::string_view
#include <vector>       // std::vector

namespace rovivar {

class TextArena {
 public:
  // A NUL-terminated copy of `text`. Throws std::bad_alloc when memory runs out.
  char* Copy(std::string_view text);

 private:
  // Blocks start small, so that a short list costs little, and grow up to
  // kMaxBlockSize; a text larger than a quarter of that gets a block of its own.
  static constexpr std::size_t kFirstBlockSize = 256;
  static constexpr std::size_t kMaxBlockSize = 64 * 1024;

  char* Allocate(std::size_t size);
  // Takes `block` into the arena and returns its start.
  char* Keep(std::unique_ptr<char[]> block);

  std::vector<std::unique_ptr<char[]>> blocks_;
  char* next_free_ = nullptr;  // first unused byte of the current block
  std::size_t room_ = 0;       // unused bytes left in the current block
  std::size_t next_block_size_ = kFirstBlockSize;
};

}  // namespace rovivar

#endif  // HOSTLIBS_LIST_TEXT_ARENA_H_
