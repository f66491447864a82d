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

}  // namespace

double read_leading_number(const char* text) {
  if (text == nullptr) return 0.0;
  const locale_t locale = c_locale();
  return locale != nullptr ? strtod_l(text, nullptr, locale) : strtod(text, nullptr);
}

int read_leading_int(const char* text) {
  if (text == nullptr) return 0;
  return static_cast<int>(strtol(text, nullptr, 10));
}

}  // namespace diff::engine
