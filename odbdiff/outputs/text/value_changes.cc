#include "outputs/text/value_changes.h"  // AlignItems, FindTextChange, NumberChange

#include <algorithm>  // std::max
#include <cctype>     // std::isalnum
#include <cmath>    // std::isfinite, std::fabs, std::round
#include <cstdio>   // std::snprintf
#include <cstdint>  // std::uint32_t

#include "json/json_string.h"        // IsValidUtf8
#include "platform/terminal_safe.h"  // Utf8CharacterLength

namespace odbdiff {
namespace {

// Appends `count` items of `kind` at a and b, joined to the last step when
// it is of the same kind.
void AddStep(std::vector<ChangeStep>& steps, ChangeStep::Kind kind, std::size_t a, std::size_t b,
             std::size_t count) {
  if (count == 0) return;
  if (!steps.empty() && steps.back().kind == kind) {
    steps.back().count += count;
  } else {
    steps.push_back({kind, a, b, count});
  }
}

// A word (letters, digits, '_' and any character beyond ASCII) or one other
// character, at the start of `text`.
std::size_t TokenLength(std::string_view text) {
  const auto word = [](unsigned char c) { return c >= 0x80 || c == '_' || std::isalnum(c) != 0; };
  if (!word(static_cast<unsigned char>(text[0]))) return 1;
  std::size_t length = 1;
  while (length < text.size() && word(static_cast<unsigned char>(text[length]))) ++length;
  return length;
}

std::vector<std::string_view> Tokens(std::string_view text) {
  std::vector<std::string_view> tokens;
  while (!text.empty()) {
    const std::size_t length = TokenLength(text);
    tokens.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return tokens;
}

bool ContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string Formatted(double number, const char* format) {
  char text[40];
  std::snprintf(text, sizeof text, format, number);
  return text;
}

}  // namespace

std::vector<ChangeStep> AlignItems(const std::vector<std::string_view>& a,
                                   const std::vector<std::string_view>& b) {
  std::size_t prefix = 0;
  while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
         a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::size_t n = a.size() - prefix - suffix;
  const std::size_t m = b.size() - prefix - suffix;
  std::vector<ChangeStep> steps;
  AddStep(steps, ChangeStep::kSame, 0, 0, prefix);
  if (n != 0 && m != 0 && n * m <= kAlignLimit) {
    // lengths[i * (m + 1) + j]: the longest common subsequence of the
    // middles' items from i and from j on.
    const std::size_t width = m + 1;
    std::vector<std::uint32_t> lengths((n + 1) * width, 0);
    for (std::size_t i = n; i-- > 0;) {
      for (std::size_t j = m; j-- > 0;) {
        lengths[i * width + j] = a[prefix + i] == b[prefix + j]
                                     ? lengths[(i + 1) * width + j + 1] + 1
                                     : std::max(lengths[(i + 1) * width + j], lengths[i * width + j + 1]);
      }
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n || j < m) {
      if (i < n && j < m && a[prefix + i] == b[prefix + j]) {
        AddStep(steps, ChangeStep::kSame, prefix + i++, prefix + j++, 1);
      } else if (j == m || (i < n && lengths[(i + 1) * width + j] >= lengths[i * width + j + 1])) {
        AddStep(steps, ChangeStep::kRemoved, prefix + i++, prefix + j, 1);
      } else {
        AddStep(steps, ChangeStep::kAdded, prefix + i, prefix + j++, 1);
      }
    }
  } else {
    AddStep(steps, ChangeStep::kRemoved, prefix, prefix, n);
    AddStep(steps, ChangeStep::kAdded, prefix + n, prefix, m);
  }
  AddStep(steps, ChangeStep::kSame, a.size() - suffix, b.size() - suffix, suffix);
  return steps;
}

bool FindTextChange(std::string_view a, std::string_view b, TextChange& change) {
  if (!IsValidUtf8(a) || !IsValidUtf8(b)) return false;
  std::size_t prefix = 0;
  while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
  // Back to the start of the character where A and B part.
  while (prefix > 0 && prefix < a.size() && ContinuationByte(a[prefix])) --prefix;
  while (prefix > 0 && prefix < b.size() && ContinuationByte(b[prefix])) --prefix;
  std::size_t suffix = 0;
  while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
         a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
    ++suffix;
  }
  while (suffix > 0 && ContinuationByte(a[a.size() - suffix])) --suffix;
  change.a = Tokens(a.substr(prefix, a.size() - prefix - suffix));
  change.b = Tokens(b.substr(prefix, b.size() - prefix - suffix));
  change.steps = AlignItems(change.a, change.b);
  bool in_common = prefix + suffix != 0;
  for (const ChangeStep& step : change.steps) in_common = in_common || step.kind == ChangeStep::kSame;
  if (!in_common) return false;
  // The equal ends become a part of each side of their own.
  const auto wrap = [](std::vector<std::string_view>& parts, std::string_view text,
                       std::size_t prefix, std::size_t suffix) {
    parts.insert(parts.begin(), text.substr(0, prefix));
    parts.push_back(text.substr(text.size() - suffix));
  };
  wrap(change.a, a, prefix, suffix);
  wrap(change.b, b, prefix, suffix);
  for (ChangeStep& step : change.steps) {
    ++step.a;
    ++step.b;
  }
  change.steps.insert(change.steps.begin(), {ChangeStep::kSame, 0, 0, 1});
  change.steps.push_back({ChangeStep::kSame, change.a.size() - 1, change.b.size() - 1, 1});
  return true;
}

std::string NumberChange(const NumberValue& a, const NumberValue& b) {
  const double difference = b.number - a.number;
  if (a.units != b.units || !std::isfinite(difference) || difference == 0) return {};
  std::string text = Formatted(difference, difference > 0 ? "+%.12g" : "%.12g");
  if (!b.units.empty()) text += ' ' + b.units;
  if (a.number != 0) {
    const double percent = difference / std::fabs(a.number) * 100;
    text += ", " + (std::fabs(percent) >= 100 ? Formatted(std::round(percent), "%+.0f")
                                              : Formatted(percent, "%+.3g")) + " %";
  }
  return text;
}

}  // namespace odbdiff
