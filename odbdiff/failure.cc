#include "failure.h"  // Failure, ReportFailure, FailureCause, SystemErrorText

#include <cctype>   // std::tolower
#include <cstdio>   // std::fputs, std::snprintf, stderr
#include <cstring>  // std::strerror
#include <new>      // std::bad_alloc

namespace odbdiff {
namespace {

// The length of the valid UTF-8 character (RFC 3629: shortest form, no
// surrogates, nothing above U+10FFFF) at the start of `text`, or 0.
std::size_t Utf8CharacterLength(std::string_view text) {
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

}  // namespace

Failure::Failure(std::string_view file, std::string_view reason)
    : std::runtime_error(std::string(file) + ": " + std::string(reason)) {}

void ReportFailure(std::string_view cause) {
  std::string line = "odbdiff: ";
  while (!cause.empty()) {
    const unsigned char byte = static_cast<unsigned char>(cause.front());
    const std::size_t length = Utf8CharacterLength(cause);
    if (byte == '\n' || byte == '\r') {
      line.push_back(' ');
    } else if (length == 0 || byte < 0x20 || byte == 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      line += escaped;
    } else {
      line.append(cause.substr(0, length));
      cause.remove_prefix(length - 1);
    }
    cause.remove_prefix(1);
  }
  line.push_back('\n');
  // Nothing is left to tell the user if standard error itself fails.
  std::fputs(line.c_str(), stderr);
}

std::string FailureCause(const std::exception& failure) {
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) return "out of memory";
  return failure.what();
}

std::string SystemErrorText(int error) {
  std::string text = std::strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

}  // namespace odbdiff
