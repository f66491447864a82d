#include "value_rule_model.h"  // ModelValuesEqual

#include <cmath>    // std::fabs, std::isnan
#include <cstdlib>  // std::atof
#include <string>   // std::string

namespace fuzz {
namespace {

std::string AsciiLower(const char* text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return lower;
}

}  // namespace

// The fuzz targets never change the locale, so atof reads as in "C".
bool ModelValuesEqual(const char* a, const char* b) {
  if (std::string(a) == b) return true;
  const double x = std::atof(a);
  const double y = std::atof(b);
  if (x == 0 && y == 0) return AsciiLower(a) == AsciiLower(b);
  // Larger and smaller by magnitude: two negative numbers compare like
  // their opposites.
  const double larger = std::fabs(x) >= std::fabs(y) ? std::fabs(x) : std::fabs(y);
  const double quotient = std::fabs(x - y) / larger;
  // inf against inf, or NaN on either side, is no number: different.
  if (std::isnan(quotient)) return false;
  return quotient <= 0.02;
}

}  // namespace fuzz
