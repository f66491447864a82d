#include "diff/engine/number_text.h"

#include <locale.h>  // newlocale, locale_t
#include <stdlib.h>  // strtod_l, strtol

namespace diff::engine {
namespace {

// The "C" locale, made once; null when the system cannot make it, in which
// case the process locale is used.
locale_t c_locale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

double read_c_number(const char* text) {
  const locale_t locale = c_locale();
  return locale != nullptr ? strtod_l(text, nullptr, locale) : strtod(text, nullptr);
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// True when `text` begins with `word` (lower case), ignoring ASCII case.
bool starts_with_word(const char* text, const char* word) {
  for (; *word != 0; ++text, ++word) {
    if ((*text | 0x20) != *word) return false;  // sets the bit that lowers an ASCII letter
  }
  return true;
}

// The end of the decimal number that begins at `p` (after its sign), or null.
const char* skip_decimal(const char* p) {
  const char* const start = p;
  while (is_digit(*p)) ++p;
  const bool whole_digits = p != start;
  if (*p == '.') ++p;
  const char* const fraction = p;
  while (is_digit(*p)) ++p;
  if (!whole_digits && p == fraction) return nullptr;
  if (*p == 'e' || *p == 'E') {
    const char* exponent = p + 1;
    if (*exponent == '+' || *exponent == '-') ++exponent;
    if (!is_digit(*exponent)) return nullptr;
    while (is_digit(*exponent)) ++exponent;
    p = exponent;
  }
  return p;
}

// The end of the number that begins `text`, or null when none begins it.
const char* skip_number(const char* text) {
  const char* p = text;
  if (*p == '+' || *p == '-') ++p;
  // "infinity" before "inf", as strtod reads the longer word.
  if (starts_with_word(p, "infinity")) return p + 8;
  if (starts_with_word(p, "inf") || starts_with_word(p, "nan")) return p + 3;
  return skip_decimal(p);
}

}  // namespace

bool read_whole_number(const char* text, WholeNumber* whole) {
  if (text == nullptr) return false;
  const char* const end = skip_number(text);
  if (end == nullptr) return false;
  if (*end == 0) {
    whole->units = end;
  } else if (*end == ' ' && end[1] != 0 && end[1] != ' ') {
    whole->units = end + 1;
  } else {
    return false;
  }
  // The number read is the one skipped: strtod reads the longest number, and
  // what ends it here (the end, a blank) ends it for strtod too.
  whole->number = read_c_number(text);
  return true;
}

double read_leading_number(const char* text) {
  return text != nullptr ? read_c_number(text) : 0.0;
}

int read_leading_int(const char* text) {
  if (text == nullptr) return 0;
  return static_cast<int>(strtol(text, nullptr, 10));
}

}  // namespace diff::engine
