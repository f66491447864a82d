#include "json_document_read.h"  // ReadJsonDocument, ParserMessage

#include <cerrno>         // errno, the reason a file cannot be read
#include <cstddef>        // std::size_t
#include <fstream>        // std::ifstream
#include <iterator>       // std::istreambuf_iterator
#include <unordered_set>  // std::unordered_set, the keys of an object seen so far
#include <vector>         // std::vector, the objects and arrays the parser is in

#include "failure.h"  // Failure, SystemErrorText

namespace odbdiff {
namespace {

using Json = nlohmann::json;
using Pointer = Json::json_pointer;

// Refuses a key that appears twice in one JSON object, which the parser would
// otherwise keep once. Follows the parser's events to know where it stands.
class DuplicateKeyCheck {
 public:
  explicit DuplicateKeyCheck(const std::string& path) : path_(path) {}

  bool operator()(int, Json::parse_event_t event, Json& parsed) {
    switch (event) {
      case Json::parse_event_t::object_start:
        frames_.push_back(Frame{false, 0, {}, {}});
        break;
      case Json::parse_event_t::array_start:
        frames_.push_back(Frame{true, 0, {}, {}});
        break;
      case Json::parse_event_t::key: {
        Frame& frame = frames_.back();
        frame.key = parsed.get<std::string>();
        if (!frame.keys.insert(frame.key).second) {
          throw Failure(path_, Where().to_string() + ": duplicate key");
        }
        break;
      }
      case Json::parse_event_t::object_end:
      case Json::parse_event_t::array_end:
        frames_.pop_back();
        ValueEnded();
        break;
      case Json::parse_event_t::value:
        ValueEnded();
        break;
    }
    return true;
  }

 private:
  struct Frame {
    bool array;
    std::size_t index;  // of the item now read, in an array
    std::string key;    // now read, in an object
    std::unordered_set<std::string> keys;
  };

  void ValueEnded() {
    if (!frames_.empty() && frames_.back().array) ++frames_.back().index;
  }

  Pointer Where() const {
    Pointer at;
    for (const Frame& frame : frames_) {
      at = frame.array ? at / frame.index : at / frame.key;
    }
    return at;
  }

  const std::string& path_;
  std::vector<Frame> frames_;
};

}  // namespace

Json ReadJsonDocument(const std::string& path) {
  std::ifstream input(path, std::ios::binary);
  if (!input) throw Failure(path, "cannot be read: " + SystemErrorText(errno));
  const std::string text{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
  if (input.bad()) throw Failure(path, "cannot be read to its end");
  try {
    return Json::parse(text, DuplicateKeyCheck(path));
  } catch (const Json::parse_error& error) {
    throw Failure(path, ParserMessage(error.what()));
  }
}

std::string_view ParserMessage(std::string_view what) {
  const std::size_t tag_end = what.find("] ");
  if (tag_end != std::string_view::npos) what.remove_prefix(tag_end + 2);
  return what;
}

}  // namespace odbdiff
