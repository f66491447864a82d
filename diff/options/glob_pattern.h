// Glob patterns of the ignore rules, read as fnmatch reads them without
// flags, over bytes: '*' any run of bytes, '?' one byte, '[...]' one byte of
// a set ('!' or '^' first negates it, 'a-z' ranges by byte value,
// '[:alpha:]' and the other classes of the "C" locale), '\' quotes the next
// byte. '/' and a leading '.' are bytes like any other. The whole name must
// match.
#ifndef DIFF_OPTIONS_GLOB_PATTERN_H_
#define DIFF_OPTIONS_GLOB_PATTERN_H_

#include <optional>     // std::optional, a pattern's literal form
#include <string>       // std::string
#include <string_view>  // std::string_view

namespace diff {

// True when `name` matches `pattern` as a whole.
bool glob_matches(std::string_view pattern, std::string_view name);

// The one name that `pattern` matches when it holds no wildcard and no set
// (quoting backslashes taken out), else nothing.
std::optional<std::string> glob_literal(std::string_view pattern);

// The byte that every name matching `pattern` begins with, when the pattern
// begins with a literal byte (quoted or not), else nothing.
std::optional<unsigned char> glob_first_byte(std::string_view pattern);

}  // namespace diff

#endif  // DIFF_OPTIONS_GLOB_PATTERN_H_
