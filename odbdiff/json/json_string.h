// Strings in the JSON that odbdiff writes and reads back, whatever bytes they
// hold: a string that is valid UTF-8 is a JSON string; any other is written
// as {"bytes": "<lower-case hex of every byte>"} in its place.
#ifndef ODBDIFF_JSON_JSON_STRING_H_
#define ODBDIFF_JSON_JSON_STRING_H_

#include <optional>     // std::optional
#include <string>       // std::string
#include <string_view>  // std::string_view

namespace odbdiff {

// True when `bytes` is valid UTF-8 as JSON takes it: shortest forms only, no
// surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Appends `bytes` as a JSON string, or as {"bytes": "HEX"} when they are not
// valid UTF-8.
void AppendJsonString(std::string_view bytes, std::string& out);

// The bytes that lower-case `hex` spells; nothing when it is not an even
// number of lower-case hexadecimal digits.
std::optional<std::string> BytesFromHex(std::string_view hex);

}  // namespace odbdiff

#endif  // ODBDIFF_JSON_JSON_STRING_H_
