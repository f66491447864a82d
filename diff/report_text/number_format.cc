#include "diff/report_text/number_format.h"

#include <charconv>     // std::to_chars, std::from_chars, std::chars_format
#include <cmath>        // std::isnan, std::isinf, std::fabs
#include <cstddef>      // std::size_t
#include <cstdlib>      // std::abs
#include <string>       // std::string, std::to_string
#include <string_view>  // std::string_view

namespace diff::report_text {
namespace {

constexpr int kSignificantDigits = 9;
constexpr std::size_t kMinExponentDigits = 3;

// `digits` without its trailing zeros.
std::string_view without_trailing_zeros(std::string_view digits) {
  const std::size_t last = digits.find_last_not_of('0');
  return last == std::string_view::npos ? std::string_view{} : digits.substr(0, last + 1);
}

// `digits` with the point after its first `point` digits (a 0 before the
// point when there are none), without the point when all are before it.
void append_fixed(std::string& out, std::string_view digits, std::size_t point) {
  if (point == 0) {
    out.push_back('0');
  } else {
    out.append(digits.substr(0, point));
  }
  if (point == digits.size()) return;
  out.push_back('.');
  out.append(without_trailing_zeros(digits.substr(point)));
}

// d.dddddddde+XXX from the digits and the exponent of the first digit.
void append_exponent_form(std::string& out, std::string_view digits, int exponent) {
  out.push_back(digits[0]);
  out.push_back('.');
  out.append(without_trailing_zeros(digits.substr(1)));
  out.push_back('e');
  out.push_back(exponent < 0 ? '-' : '+');
  const std::string exponent_digits = std::to_string(std::abs(exponent));
  if (exponent_digits.size() < kMinExponentDigits) {
    out.append(kMinExponentDigits - exponent_digits.size(), '0');
  }
  out.append(exponent_digits);
}

}  // namespace

std::string format_number(double number) {
  if (std::isnan(number)) return "nan";
  if (std::isinf(number)) return number < 0 ? "-inf" : "inf";

  // "d.dddddddde+XX", at most 15 characters: correctly rounded and
  // independent of the locale.
  char scientific[32];
  const auto written = std::to_chars(scientific, scientific + sizeof scientific,
                                     std::fabs(number), std::chars_format::scientific,
                                     kSignificantDigits - 1);
  const std::string_view text(scientific, static_cast<std::size_t>(written.ptr - scientific));
  const std::size_t e = text.find('e');
  std::string digits(1, text[0]);
  digits.append(text.substr(2, e - 2));
  int exponent = 0;  // the digits after the exponent's sign, which to_chars always writes
  std::from_chars(text.data() + e + 2, text.data() + text.size(), exponent);
  if (text[e + 1] == '-') exponent = -exponent;

  std::string out;
  if (number < 0) out.push_back('-');
  const int point = exponent + 1;  // the number is 0.ddddddddd x 10^point
  if (point >= 0 && point <= kSignificantDigits) {
    append_fixed(out, digits, static_cast<std::size_t>(point));
  } else {
    append_exponent_form(out, digits, exponent);
  }
  return out;
}

}  // namespace diff::report_text
