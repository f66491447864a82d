// Reading a JSON document whole (a rules file, an accept file, a partial
// result's manifest), with every fault named as odbdiff names a fault of its
// JSON inputs: "FILE: /json/pointer: reason", or the parser's message with
// its line and column.
#ifndef ODBDIFF_JSON_JSON_DOCUMENT_READ_H_
#define ODBDIFF_JSON_JSON_DOCUMENT_READ_H_

#include <string>       // std::string
#include <string_view>  // std::string_view

#include <nlohmann/json.hpp>  // nlohmann::json

#include "inputs/input_file_read.h"  // InputLimit

namespace odbdiff {

// The most each kind of document may hold, far above any real one.
// The --json document of a million differing objects with a differing slot
// each takes 193 MB.
inline constexpr InputLimit kRulesFileLimit{std::size_t{16} << 20, "16 MiB", "a rules file"};
inline constexpr InputLimit kAcceptFileLimit{std::size_t{512} << 20, "512 MiB",
                                             "an accept file"};
inline constexpr InputLimit kManifestLimit{std::size_t{64} << 20, "64 MiB", "a manifest"};

// The deepest nesting of arrays and objects a document may have; the
// deepest real one, a slot value in an accept file of a project, has 8.
inline constexpr std::size_t kMaxJsonDepth = 64;

// The most values a document may hold at once, items handed to a stream not
// counted: a value takes up to about 100 bytes, many times its text
// (`[0,0,...]`), and a manifest of 100,000 pairs holds 1.3 million.
inline constexpr std::size_t kMaxJsonValues = std::size_t{1} << 22;

// Takes the items of chosen arrays as each is read, in place of the
// document, which then holds those arrays empty: a list of a million entries
// costs the memory of one.
class JsonItemStream {
 public:
  virtual ~JsonItemStream() = default;
  // Whether the items of the array at `at` are handed over.
  virtual bool Streams(const nlohmann::json::json_pointer& at) const = 0;
  // An item of such an array, whole, with its JSON pointer.
  virtual void Item(const nlohmann::json::json_pointer& at, nlohmann::json&& item) = 0;
};

// The document in the file at `path`, read within `limit` (ReadInputFile).
// Throws Failure naming the file as ParseJsonDocument does.
nlohmann::json ReadJsonDocument(const std::string& path, const InputLimit& limit,
                                JsonItemStream* stream = nullptr);

// The document that `text` holds, read in time linear in its length, with
// the items of the arrays that `stream` chooses handed to it. Throws
// Failure naming `source` at a NUL byte, a key that appears twice in one JSON
// object, a number beyond the range of a double, nesting deeper than
// kMaxJsonDepth, more than kMaxJsonValues values (each with its JSON
// pointer) and text that is not JSON (the parser's message).
nlohmann::json ParseJsonDocument(std::string_view text, const std::string& source,
                                 JsonItemStream* stream = nullptr);

// Throws Failure naming `source`, with the line and column, at the first NUL
// byte of `text`: the parser would take it for the end of the text and
// accept anything after it.
void RefuseNulBytes(std::string_view text, const std::string& source);

// The parser's message without its tag: "[json.exception.parse_error.101]
// parse error at line 1, ..." gives "parse error at line 1, ...".
std::string_view ParserMessage(std::string_view what);

}  // namespace odbdiff

#endif  // ODBDIFF_JSON_JSON_DOCUMENT_READ_H_
