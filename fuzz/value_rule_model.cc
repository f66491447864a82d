#include "value_rule_model.h"  // ModelValuesEqual

#include <cmath>    // std::fabs, std::isnan
#include <cstdlib>  // std::atof
#include <string>   // std::string

namespace fuzz {
namespace {

std::string AsciiLower(const std::string& text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return lower;
}

bool AllDigits(const std::string& text) {
  return text.find_first_not_of("0123456789") == std::string::npos;
}

// A sign, then inf, infinity, nan, or a decimal number with an exponent.
bool IsWholeNumber(const std::string& text) {
  std::string rest = AsciiLower(text);
  if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) rest.erase(0, 1);
  if (rest == "inf" || rest == "infinity" || rest == "nan") return true;
  const std::size_t e = rest.find('e');
  std::string mantissa = rest.substr(0, e);
  if (e != std::string::npos) {
    std::string exponent = rest.substr(e + 1);
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.erase(0, 1);
    if (exponent.empty() || !AllDigits(exponent)) return false;
  }
  const std::size_t point = mantissa.find('.');
  if (point != std::string::npos) mantissa.erase(point, 1);
  return !mantissa.empty() && AllDigits(mantissa);
}

// Splits `text` into its number and units; false when it is no whole number.
bool SplitNumber(const std::string& text, double* number, std::string* units) {
  const std::size_t blank = text.find(' ');
  const std::string number_text = text.substr(0, blank);
  if (!IsWholeNumber(number_text)) return false;
  *units = blank == std::string::npos ? "" : text.substr(blank + 1);
  if (blank != std::string::npos && (units->empty() || (*units)[0] == ' ')) return false;
  *number = std::atof(number_text.c_str());
  return true;
}

bool WithinTolerance(double x, double y, double tolerance) {
  // Larger and smaller by magnitude: two negative numbers compare like
  // their opposites.
  const double larger = std::fabs(x) >= std::fabs(y) ? std::fabs(x) : std::fabs(y);
  const double quotient = std::fabs(x - y) / larger;
  // inf against inf, or NaN on either side, is no number: different.
  if (std::isnan(quotient)) return false;
  return quotient <= tolerance;
}

// The fuzz targets never change the locale, so atof reads as in "C".
bool TolerantEqual(const std::string& a, const std::string& b, double tolerance) {
  const double x = std::atof(a.c_str());
  const double y = std::atof(b.c_str());
  if (x == 0 && y == 0) return AsciiLower(a) == AsciiLower(b);
  return WithinTolerance(x, y, tolerance);
}

bool NumericEqual(const std::string& a, const std::string& b, double tolerance) {
  double x = 0;
  double y = 0;
  std::string x_units;
  std::string y_units;
  if (!SplitNumber(a, &x, &x_units) || !SplitNumber(b, &y, &y_units)) return false;
  if (x_units != y_units) return false;
  if (std::isnan(x) && std::isnan(y)) return true;
  return x == y || WithinTolerance(x, y, tolerance);
}

}  // namespace

bool ModelValuesEqual(const char* a, const char* b, ModelRule rule, double tolerance) {
  if (std::string(a) == b) return true;
  switch (rule) {
    case ModelRule::kTolerant:
      return TolerantEqual(a, b, tolerance);
    case ModelRule::kNumeric:
      return NumericEqual(a, b, tolerance);
    case ModelRule::kExact:
      break;
  }
  return false;
}

}  // namespace fuzz
