// Reading numbers out of value texts.
#ifndef DIFF_ENGINE_NUMBER_TEXT_H_
#define DIFF_ENGINE_NUMBER_TEXT_H_

namespace diff::engine {

// The leading number of `text` as atof reads it in the "C" locale: leading
// white space skipped, decimal, hexadecimal, "inf" and "nan" forms accepted,
// whatever follows the number ignored; 0 when the text does not begin with a
// number (or is null). The host's locale never changes the decimal point.
double read_leading_number(const char* text);

// The integer value of `text` as atoi reads it (glibc: the long that strtol
// reads, narrowed to int); 0 for null.
int read_leading_int(const char* text);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_NUMBER_TEXT_H_
