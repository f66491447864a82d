#include "diff/engine/values_differ.h"

#include <algorithm>  // std::max
#include <cmath>      // std::fabs, std::isnan
#include <cstring>    // std::strcmp

#include "diff/engine/number_text.h"  // read_leading_number, read_whole_number

namespace diff::engine {
namespace {

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

// |x - y| within `tolerance` of the larger magnitude (magnitudes, so that two
// negative numbers compare like their opposites). A quotient that is not a
// number (inf against inf, NaN on either side) means different.
int outside_tolerance(double x, double y, double tolerance) {
  const double quotient = std::fabs(x - y) / std::max(std::fabs(x), std::fabs(y));
  return quotient <= tolerance ? 0 : 1;
}

int tolerant_differ(const char* a, const char* b, double tolerance) {
  const double x = read_leading_number(a);
  const double y = read_leading_number(b);
  if (x == 0.0 && y == 0.0) return equal_ignoring_ascii_case(a, b) ? 0 : 1;
  return outside_tolerance(x, y, tolerance);
}

int numeric_differ(const char* a, const char* b, double tolerance) {
  WholeNumber x{};
  WholeNumber y{};
  if (!read_whole_number(a, &x) || !read_whole_number(b, &y)) return 1;
  if (std::strcmp(x.units, y.units) != 0) return 1;
  // Equal numbers first: two zeros, or two equal infinities, give no quotient.
  if (x.number == y.number) return 0;
  if (std::isnan(x.number) && std::isnan(y.number)) return 0;
  return outside_tolerance(x.number, y.number, tolerance);
}

// The rules for texts that are not identical. Kept out of values_differ, so
// that the test for identical texts, which decides most pairs, stays a short
// call that saves no registers.
[[gnu::noinline]] int different_texts_differ(const char* a, const char* b, const ValueRule& rule) {
  switch (rule.kind) {
    case ValueRuleKind::kTolerant:
      return tolerant_differ(a, b, rule.tolerance);
    case ValueRuleKind::kNumeric:
      return numeric_differ(a, b, rule.tolerance);
    case ValueRuleKind::kExact:
      break;
  }
  return 1;
}

}  // namespace

int values_differ(const char* a, const char* b, const ValueRule& rule) {
  if (a == nullptr) a = "";
  if (b == nullptr) b = "";
  if (std::strcmp(a, b) == 0) return 0;
  return different_texts_differ(a, b, rule);
}

}  // namespace diff::engine
