// The text that the text reports show for a slot value.
#ifndef DIFF_REPORT_TEXT_SLOT_VALUE_TEXT_H_
#define DIFF_REPORT_TEXT_SLOT_VALUE_TEXT_H_

#include <cstdint>      // std::uint32_t
#include <string>       // std::string
#include <string_view>  // std::string_view

#include "diff/host/object_database.h"  // CvxODB, CvxSlot

namespace diff::report_text {

// Values whose text form is this long or longer are not shown; a message
// stands in their place.
inline constexpr std::uint32_t kValueLengthLimit = 6144;

// The report text of `slot`'s value:
//   - a text without its trailing blanks (the blank character only);
//   - a number in the 9-digit format of number_format.h, one blank, and
//     the units when there are any;
//   - a list: its items joined with "\n";
//   - anything else (no value): the empty text.
std::string slot_value_text(const CvxSlot& slot);

// The report text of the value of `slot_name` in `object` of `database`, or
// `too_long_message` when the value's text form reaches kValueLengthLimit.
// A slot that is not there shows as the empty text; a value that cannot be
// read fails with DIFF_ERROR_READ.
std::string fetch_value_text(CvxODB& database, const char* object, const char* slot_name,
                             std::string_view too_long_message);

}  // namespace diff::report_text

#endif  // DIFF_REPORT_TEXT_SLOT_VALUE_TEXT_H_
