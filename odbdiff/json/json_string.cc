#include "json/json_string.h"  // IsValidUtf8, AppendJsonString, BytesFromHex

#include <cstddef>  // std::size_t

namespace odbdiff {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// The value of a lower-case hexadecimal digit, or -1.
int HexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  return -1;
}

// A byte in 0x80..0xBF, the tail of a multi-byte sequence.
bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  const std::size_t size = bytes.size();
  std::size_t at = 0;
  while (at < size) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
      ++at;
      continue;
    }
    std::size_t length = 0;
    // The bounds of the second byte exclude overlong forms, surrogates and
    // code points beyond U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (size - at < length) return false;
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    if (second < low || second > high) return false;
    for (std::size_t next = 2; next < length; ++next) {
      if (!IsContinuation(static_cast<unsigned char>(bytes[at + next]))) return false;
    }
    at += length;
  }
  return true;
}

void AppendJsonString(std::string_view bytes, std::string& out) {
  if (!IsValidUtf8(bytes)) {
    out += "{\"bytes\": \"";
    for (const char byte : bytes) {
      const auto value = static_cast<unsigned char>(byte);
      out += kHexDigits[value >> 4];
      out += kHexDigits[value & 0x0F];
    }
    out += "\"}";
    return;
  }
  out += '"';
  for (const char byte : bytes) {
    switch (byte) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (static_cast<unsigned char>(byte) < 0x20) {
          out += "\\u00";
          out += kHexDigits[byte >> 4];
          out += kHexDigits[byte & 0x0F];
        } else {
          out += byte;
        }
    }
  }
  out += '"';
}

std::optional<std::string> BytesFromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t at = 0; at < hex.size(); at += 2) {
    const int high = HexValue(hex[at]);
    const int low = HexValue(hex[at + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  return bytes;
}

}  // namespace odbdiff
