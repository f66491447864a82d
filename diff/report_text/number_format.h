// The text form of numbers in the text reports.
#ifndef DIFF_REPORT_TEXT_NUMBER_FORMAT_H_
#define DIFF_REPORT_TEXT_NUMBER_FORMAT_H_

#include <string>  // std::string

namespace diff::report_text {

// `number` with 9 significant digits, as the runtime's _gcvt writes it.
//
// The number is rounded to 9 significant digits first; with p the exponent
// that writes it as 0.ddddddddd x 10^p, p from 0 to 9 gives fixed notation
// with 9 - p digits after the point (no point at all when p is 9), any other
// p gives d.dddddddde+XXX (a sign and at least three exponent digits). Then
// the trailing zeros after the point are removed; the point stays. So 100
// is "100.", 0 is "0.", 0.001 is "1.e-003". Infinities and NaN are written
// "inf", "-inf" and "nan". The process locale plays no part.
std::string format_number(double number);

}  // namespace diff::report_text

#endif  // DIFF_REPORT_TEXT_NUMBER_FORMAT_H_
