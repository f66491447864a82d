// Text written where a terminal shows it, made unable to act on the terminal:
// no escape sequence, carriage return or line break of an object name, a
// file name or a message reaches it as it is.
#ifndef ODBDIFF_PLATFORM_TERMINAL_SAFE_H_
#define ODBDIFF_PLATFORM_TERMINAL_SAFE_H_

#include <cstddef>      // std::size_t
#include <cstdio>       // std::snprintf
#include <string>       // std::string
#include <string_view>  // std::string_view

namespace odbdiff {

// The length of the valid UTF-8 character (RFC 3629: shortest form, no
// surrogates, nothing above U+10FFFF) at the start of `text`, or 0.
inline std::size_t Utf8CharacterLength(std::string_view text) {
  const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80;  // the range of the second byte
  unsigned char high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong form
    if (lead == 0xED) high = 0x9F;  // no surrogate
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong form
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t at = 2; at < length; ++at) {
    if (byte(at) < 0x80 || byte(at) > 0xBF) return 0;
  }
  return length;
}

// Appends `text` with every byte that a terminal would act on written as
// \xNN: the C0 controls, DEL, the C1 controls (U+0080 to U+009F, both of
// their bytes; some terminals take U+009B for ESC [) and bytes that are not
// valid UTF-8. The rest, and backslashes, stay as they are.
inline void AppendTerminalSafe(std::string_view text, std::string& out) {
  auto escape = [&out](unsigned char byte) {
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
    out += escaped;
  };
  while (!text.empty()) {
    const auto byte = static_cast<unsigned char>(text[0]);
    const std::size_t length = Utf8CharacterLength(text);
    if (length == 0 || byte < 0x20 || byte == 0x7F) {
      escape(byte);
      text.remove_prefix(1);
      continue;
    }
    if (byte == 0xC2 && static_cast<unsigned char>(text[1]) <= 0x9F) {
      escape(byte);
      escape(static_cast<unsigned char>(text[1]));
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
  }
}

}  // namespace odbdiff

#endif  // ODBDIFF_PLATFORM_TERMINAL_SAFE_H_
