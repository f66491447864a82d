#include "hostlibs/list/text_arena.h"

#include <algorithm>  // std::max, std::min
#include <cstring>    // std::memcpy
#include <utility>    // std::move

namespace rovivar {

char* TextArena::Copy(std::string_view text) {
  char* copy = Allocate(text.size() + 1);
  if (!text.empty()) std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}

char* TextArena::Allocate(std::size_t size) {
  if (size > kMaxBlockSize / 4) {
    return Keep(std::make_unique_for_overwrite<char[]>(size));
  }
  if (size > room_) {
    const std::size_t block_size = std::max(next_block_size_, size);
    next_free_ = Keep(std::make_unique_for_overwrite<char[]>(block_size));
    room_ = block_size;
    next_block_size_ = std::min(next_block_size_ * 2, kMaxBlockSize);
  }
  char* result = next_free_;
  next_free_ += size;
  room_ -= size;
  return result;
}

char* TextArena::Keep(std::unique_ptr<char[]> block) {
  char* start = block.get();
  blocks_.push_back(std::move(block));  // on failure `block` still owns the memory
  return start;
}

}  // namespace rovivar
