// Text-list buffers: texts each closed by a NUL byte, the run closed by one
// more NUL byte ("one\0two\0\0"); an empty buffer is a single NUL byte.
#include <cstddef>  // std::size_t
#include <cstring>  // std::memcpy, std::memmove, std::strlen

#include "diff/host/list_library.h"  // list_length, list_pop_first, kListPopTextSize

namespace {

// The closing NUL byte of the buffer.
const char* ClosingNul(const char* buffer) {
  const char* at = buffer;
  while (*at != '\0') at += std::strlen(at) + 1;
  return at;
}

}  // namespace

extern "C" {

int list_length(const char* buffer) {
  if (buffer == nullptr) return 0;
  int count = 0;
  for (const char* at = buffer; *at != '\0'; at += std::strlen(at) + 1) ++count;
  return count;
}

int list_pop_first(char* buffer, char* text) {
  if (text != nullptr) text[0] = '\0';
  if (buffer == nullptr || text == nullptr || buffer[0] == '\0') return 0;

  const std::size_t length = std::strlen(buffer);
  const std::size_t kept = length < kListPopTextSize ? length : kListPopTextSize - 1;
  std::memcpy(text, buffer, kept);
  text[kept] = '\0';

  // Move the remaining texts and the closing NUL byte to the front.
  const char* rest = buffer + length + 1;
  const auto remaining = static_cast<std::size_t>(ClosingNul(rest) - rest) + 1;
  std::memmove(buffer, rest, remaining);
  return 1;
}

}  // extern "C"
