// Reading numbers out of value texts.
#ifndef DIFF_ENGINE_NUMBER_TEXT_H_
#define DIFF_ENGINE_NUMBER_TEXT_H_

namespace diff::engine {

// The leading number of `text` as atof reads it in the "C" locale: leading
// white space skipped, decimal, hexadecimal, "inf" and "nan" forms accepted,
// whatever follows the number ignored; 0 when the text does not begin with a
// number (or is null). The host's locale never changes the decimal point.
double read_leading_number(const char* text);

// A text that is a number as a whole, as the numeric value rule reads it.
struct WholeNumber {
  double number;      // the value, as strtod reads it in the "C" locale
  const char* units;  // what follows the number and its one blank; "" when nothing follows
};

// Reads `text` when it is a number as a whole: an optional sign ('+' or
// '-'), then either decimal digits with an optional '.' and fraction (at
// least one digit in all) and an optional exponent ('e' or 'E', an optional
// sign, at least one digit), or "inf", "infinity" or "nan" in any ASCII case.
// Nothing may come before the number (no blank); after it comes either the
// end of the text or exactly one blank (' ') and units: at least one byte, the
// first of which is not a blank. Hexadecimal numbers and "nan(...)" are not
// numbers as a whole. Returns false when `text` is null or not such a text.
bool read_whole_number(const char* text, WholeNumber* whole);

// The integer value of `text` as atoi reads it (glibc: the long that strtol
// reads, narrowed to int); 0 for null.
int read_leading_int(const char* text);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_NUMBER_TEXT_H_
