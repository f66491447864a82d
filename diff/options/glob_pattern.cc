#include "diff/options/glob_pattern.h"

#include <cstddef>  // std::size_t

namespace diff {
namespace {

constexpr std::size_t kNoSet = std::string_view::npos;

// A byte class of the "C" locale, named as inside "[:...:]".
bool in_class(std::string_view name, unsigned char c) {
  const bool upper = c >= 'A' && c <= 'Z';
  const bool lower = c >= 'a' && c <= 'z';
  const bool digit = c >= '0' && c <= '9';
  const bool alpha = upper || lower;
  const bool punct = c > ' ' && c < 0x7f && !alpha && !digit;
  if (name == "alpha") return alpha;
  if (name == "digit") return digit;
  if (name == "alnum") return alpha || digit;
  if (name == "upper") return upper;
  if (name == "lower") return lower;
  if (name == "space") return c == ' ' || (c >= '\t' && c <= '\r');
  if (name == "blank") return c == ' ' || c == '\t';
  if (name == "punct") return punct;
  if (name == "print") return c >= ' ' && c < 0x7f;
  if (name == "graph") return c > ' ' && c < 0x7f;
  if (name == "cntrl") return c < ' ' || c == 0x7f;
  if (name == "xdigit") return digit || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
  return false;
}

// Reads the set that opens at pattern[start] ('['). Returns the position
// after its closing ']' and whether `c` is in it, or kNoSet when the set is
// not closed (the '[' is then a literal byte).
std::size_t read_set(std::string_view pattern, std::size_t start, unsigned char c, bool& in_set) {
  std::size_t p = start + 1;
  bool negated = false;
  if (p < pattern.size() && (pattern[p] == '!' || pattern[p] == '^')) {
    negated = true;
    ++p;
  }
  bool found = false;
  bool first = true;
  while (p < pattern.size()) {
    if (pattern[p] == ']' && !first) {
      in_set = found != negated;
      return p + 1;
    }
    first = false;
    if (pattern.compare(p, 2, "[:") == 0) {
      const std::size_t end = pattern.find(":]", p + 2);
      if (end != std::string_view::npos) {
        if (in_class(pattern.substr(p + 2, end - p - 2), c)) found = true;
        p = end + 2;
        continue;
      }
    }
    if (pattern[p] == '\\' && p + 1 < pattern.size()) ++p;
    const auto low = static_cast<unsigned char>(pattern[p]);
    ++p;
    unsigned char high = low;
    if (p + 1 < pattern.size() && pattern[p] == '-' && pattern[p + 1] != ']') {
      ++p;
      if (pattern[p] == '\\' && p + 1 < pattern.size()) ++p;
      high = static_cast<unsigned char>(pattern[p]);
      ++p;
    }
    if (c >= low && c <= high) found = true;
  }
  return kNoSet;
}

}  // namespace

bool glob_matches(std::string_view pattern, std::string_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  // Where to go on after a mismatch: behind the last '*', one byte further.
  std::size_t star_p = kNoSet;
  std::size_t star_n = 0;
  while (n < name.size() || p < pattern.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star_p = ++p;
      star_n = n;
      continue;
    }
    if (p < pattern.size() && n < name.size()) {
      const auto c = static_cast<unsigned char>(name[n]);
      std::size_t next = kNoSet;
      if (pattern[p] == '?') {
        next = p + 1;
      } else if (pattern[p] == '[') {
        bool in_set = false;
        const std::size_t after = read_set(pattern, p, c, in_set);
        if (after == kNoSet) {
          if (c == '[') next = p + 1;
        } else if (in_set) {
          next = after;
        }
      } else if (pattern[p] == '\\') {
        // A trailing '\' matches nothing, as fnmatch has it.
        if (p + 1 < pattern.size() && static_cast<unsigned char>(pattern[p + 1]) == c) next = p + 2;
      } else if (static_cast<unsigned char>(pattern[p]) == c) {
        next = p + 1;
      }
      if (next != kNoSet) {
        p = next;
        ++n;
        continue;
      }
    }
    if (star_p == kNoSet || star_n >= name.size()) return false;
    p = star_p;
    n = ++star_n;
  }
  return true;
}

std::optional<std::string> glob_literal(std::string_view pattern) {
  std::string literal;
  for (std::size_t p = 0; p < pattern.size(); ++p) {
    const char c = pattern[p];
    if (c == '*' || c == '?' || c == '[') return std::nullopt;
    if (c == '\\') {
      if (p + 1 == pattern.size()) return std::nullopt;  // matches nothing
      ++p;
    }
    literal.push_back(pattern[p]);
  }
  return literal;
}

std::optional<unsigned char> glob_first_byte(std::string_view pattern) {
  if (pattern.empty()) return std::nullopt;
  const char c = pattern[0];
  if (c == '*' || c == '?' || c == '[') return std::nullopt;
  if (c == '\\') {
    if (pattern.size() < 2) return std::nullopt;
    return static_cast<unsigned char>(pattern[1]);
  }
  return static_cast<unsigned char>(c);
}

}  // namespace diff
