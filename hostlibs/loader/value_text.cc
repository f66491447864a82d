#include "value_text.h"

#include <charconv>  // std::to_chars, the shortest round-trip form of a double
#include <cstddef>   // std::size_t
#include <cstring>   // std::memcpy

#include "diff/host/list_library.h"    // CStrList, which receives list items
#include "diff/host/loader_library.h"  // kLoaderValueBufferSize

namespace zavo32 {
namespace {

constexpr std::size_t kMaxValueLength = kLoaderValueBufferSize - 1;
constexpr char kEllipsis[] = "\u2026";
constexpr std::size_t kEllipsisLength = sizeof kEllipsis - 1;
// A UTF-8 character has at most three bytes after its first.
constexpr std::size_t kMaxContinuationBytes = 3;

bool is_continuation_byte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

void append_number(double number, std::string& out) {
  // Longest shortest form of a double, "-2.2250738585072014e-308", with room.
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, number);
  out.append(digits, result.ptr);
}

}  // namespace

std::string value_text(const CvxSlot& value) {
  std::string text;
  if (value.IsText()) {
    text = value.Text();
  } else if (value.IsNumber()) {
    append_number(value.Number(), text);
    if (value.HasUnits()) {
      text += ' ';
      text += value.Units();
    }
  } else if (value.IsList()) {
    CStrList items;
    value.GetListItems(&items);
    for (int i = 0; i < items.GetLength(); ++i) {
      if (i > 0) text += '\n';
      text += items.GetTextAt(i);
    }
  }
  return text;
}

void copy_cut_to_value_buffer(std::string_view text, char* buffer) {
  if (text.size() <= kMaxValueLength) {
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return;
  }
  // Keep the bytes before the ellipsis, stepping back to the first byte of a
  // character that the cut would split. Bytes that are not UTF-8 are cut
  // where they stand once no character can be that long.
  const std::size_t room = kMaxValueLength - kEllipsisLength;
  std::size_t kept = room;
  while (kept > room - kMaxContinuationBytes && is_continuation_byte(text[kept])) --kept;
  std::memcpy(buffer, text.data(), kept);
  std::memcpy(buffer + kept, kEllipsis, kEllipsisLength + 1);
}

}  // namespace zavo32
