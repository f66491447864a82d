#include "diff/engine/values_differ.h"

#include <algorithm>  // std::max
#include <cmath>      // std::fabs
#include <cstring>    // std::strcmp

#include "diff/engine/number_text.h"  // read_leading_number

namespace diff::engine {
namespace {

constexpr double kTolerance = 0.02;

unsigned char ascii_lower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Equality ignoring the case of ASCII letters only, whatever the locale.
bool equal_ignoring_ascii_case(const char* a, const char* b) {
  const auto* x = reinterpret_cast<const unsigned char*>(a);
  const auto* y = reinterpret_cast<const unsigned char*>(b);
  for (; *x != 0 && *y != 0; ++x, ++y) {
    if (ascii_lower(*x) != ascii_lower(*y)) return false;
  }
  return *x == *y;
}

}  // namespace

int values_differ(const char* a, const char* b) {
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  if (std::strcmp(a, b) == 0) return 0;

  const double x = read_leading_number(a);
  const double y = read_leading_number(b);
  if (x == 0.0 && y == 0.0) return equal_ignoring_ascii_case(a, b) ? 0 : 1;

  // Magnitudes, so that two negative numbers compare like their opposites.
  const double quotient = std::fabs(x - y) / std::max(std::fabs(x), std::fabs(y));
  // A quotient that is not a number (inf against inf) means different.
  return quotient <= kTolerance ? 0 : 1;
}

}  // namespace diff::engine
