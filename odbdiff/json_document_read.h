// Reading a small JSON document whole (the accept file, the rules file),
// with every fault named as odbdiff names a fault of its JSON inputs.
#ifndef ODBDIFF_JSON_DOCUMENT_READ_H_
#define ODBDIFF_JSON_DOCUMENT_READ_H_

#include <string>       // std::string
#include <string_view>  // std::string_view

#include <nlohmann/json.hpp>  // nlohmann::json

namespace odbdiff {

// The document in the file at `path`. Throws Failure naming the file when it
// cannot be read, at a key that appears twice in one JSON object (with its
// JSON pointer), and when the text is not JSON (the parser's message).
nlohmann::json ReadJsonDocument(const std::string& path);

// The parser's message without its tag: "[json.exception.parse_error.101]
// parse error at line 1, ..." gives "parse error at line 1, ...".
std::string_view ParserMessage(std::string_view what);

}  // namespace odbdiff

#endif  // ODBDIFF_JSON_DOCUMENT_READ_H_
