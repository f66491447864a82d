#include "json/json_document_read.h"  // ReadJsonDocument, ParseJsonDocument, RefuseNulBytes, ParserMessage

#include <algorithm>  // std::count
#include <cstddef>    // std::size_t
#include <utility>    // std::move
#include <vector>     // std::vector, the objects and arrays the parser is in

#include "platform/failure.h"  // Failure

namespace odbdiff {
namespace {

using Json = nlohmann::json;
using Pointer = Json::json_pointer;

// Builds the document from the parser's events. Unlike the parser's callback
// form, it keeps where it stands instead of looking back over the values
// read so far, so that a long array costs no more than its length.
class DocumentBuilder final : public nlohmann::json_sax<Json> {
 public:
  DocumentBuilder(const std::string& source, JsonItemStream* stream)
      : source_(source), stream_(stream) {}

  Json Take() { return std::move(document_); }

  bool null() override { return Scalar(nullptr); }
  bool boolean(bool value) override { return Scalar(value); }
  bool number_integer(number_integer_t value) override { return Scalar(value); }
  bool number_unsigned(number_unsigned_t value) override { return Scalar(value); }
  bool number_float(number_float_t value, const string_t&) override { return Scalar(value); }
  bool string(string_t& value) override { return Scalar(std::move(value)); }
  bool binary(binary_t& value) override { return Scalar(std::move(value)); }

  bool start_object(std::size_t) override { return Open(Json::object()); }
  bool start_array(std::size_t) override {
    Open(Json::array());
    Level& array = open_.back();
    array.streamed = stream_ != nullptr && stream_->Streams(PathTo(open_.size() - 1));
    return true;
  }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }

  bool key(string_t& key) override {
    Level& level = open_.back();
    // std::map, which keeps the places of its values as it grows.
    const auto [at, added] = level.value->get_ref<Json::object_t&>().try_emplace(key);
    if (!added) Refuse(PathTo(open_.size() - 1) / key, "duplicate key");
    level.key = std::move(key);
    level.member = &at->second;
    return true;
  }

  bool parse_error(std::size_t, const std::string&,
                   const nlohmann::detail::exception& error) override {
    // Other than a fault of the text's syntax, the parser reports a number
    // beyond the range of a double: it concerns the value now arriving.
    if (dynamic_cast<const Json::parse_error*>(&error) == nullptr) {
      Refuse(Arriving(), std::string(ParserMessage(error.what())));
    }
    throw Failure(source_, ParserMessage(error.what()));
  }

 private:
  struct Level {
    Json* value;               // the object or array
    std::string key = {};      // in an object, the key read last
    Json* member = nullptr;    // in an object, the value of that key
    std::size_t items = 0;     // in an array, the items read, handed over or not
    bool streamed = false;     // an array whose items go to the stream
    std::size_t held_before_item = 0;  // in such an array, held_ before its last item
  };

  // Puts `value` where the parser stands and gives its place.
  Json* Place(Json&& value) {
    if (held_ == kMaxJsonValues) {
      Refuse(Arriving(), "more than " + std::to_string(kMaxJsonValues) + " values");
    }
    if (!open_.empty() && open_.back().streamed) open_.back().held_before_item = held_;
    ++held_;
    if (open_.empty()) {
      document_ = std::move(value);
      return &document_;
    }
    Level& level = open_.back();
    if (level.value->is_array()) {
      // The array grows only while it is the innermost: the places of the
      // outer levels' values stay valid.
      level.value->push_back(std::move(value));
      ++level.items;
      return &level.value->back();
    }
    *level.member = std::move(value);
    return level.member;
  }

  bool Scalar(Json&& value) {
    Place(std::move(value));
    HandOverCompleteItem();
    return true;
  }

  // Hands the item just completed to the stream when its array streams.
  void HandOverCompleteItem() {
    if (open_.empty() || !open_.back().streamed) return;
    Level& array = open_.back();
    Json::array_t& items = array.value->get_ref<Json::array_t&>();
    stream_->Item(PathTo(open_.size() - 1) / (array.items - 1), std::move(items.back()));
    items.pop_back();
    held_ = array.held_before_item;
  }

  bool Open(Json&& empty) {
    if (open_.size() == kMaxJsonDepth) {
      Refuse(Arriving(), "nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
    }
    open_.push_back(Level{Place(std::move(empty))});
    return true;
  }

  bool Close() {
    open_.pop_back();
    HandOverCompleteItem();
    return true;
  }

  // The JSON pointer of the object or array open at `depth`.
  Pointer PathTo(std::size_t depth) const {
    Pointer at;
    for (std::size_t i = 0; i < depth; ++i) {
      const Level& level = open_[i];
      // An outer array holds the level within as its last item already.
      at = level.value->is_array() ? at / (level.items - 1) : at / level.key;
    }
    return at;
  }

  // The JSON pointer of the value the parser reads now.
  Pointer Arriving() const {
    if (open_.empty()) return Pointer();
    const Level& innermost = open_.back();
    const Pointer container = PathTo(open_.size() - 1);
    return innermost.value->is_array() ? container / innermost.items
                                       : container / innermost.key;
  }

  [[noreturn]] void Refuse(const Pointer& at, const std::string& reason) const {
    if (at.empty()) throw Failure(source_, reason);
    throw Failure(source_, at.to_string() + ": " + reason);
  }

  const std::string& source_;
  JsonItemStream* stream_;
  std::size_t held_ = 0;  // the values the document holds now
  Json document_;
  std::vector<Level> open_;
};

}  // namespace

Json ReadJsonDocument(const std::string& path, const InputLimit& limit, JsonItemStream* stream) {
  return ParseJsonDocument(ReadInputFile(path, limit), path, stream);
}

Json ParseJsonDocument(std::string_view text, const std::string& source,
                       JsonItemStream* stream) {
  RefuseNulBytes(text, source);
  DocumentBuilder builder(source, stream);
  // Strict: nothing but blanks may follow the document.
  if (!Json::sax_parse(text, &builder, Json::input_format_t::json, true)) {
    throw Failure(source, "not valid JSON");
  }
  return builder.Take();
}

void RefuseNulBytes(std::string_view text, const std::string& source) {
  const std::size_t at = text.find('\0');
  if (at == std::string_view::npos) return;
  const std::string_view before = text.substr(0, at);
  const std::size_t line_start = before.rfind('\n');
  const auto line_breaks = std::count(before.begin(), before.end(), '\n');
  const std::size_t line = 1 + static_cast<std::size_t>(line_breaks);
  const std::size_t column = line_start == std::string_view::npos ? at + 1 : at - line_start;
  throw Failure(source, "a NUL byte at line " + std::to_string(line) + ", column " +
                            std::to_string(column) + ", which JSON text cannot hold");
}

std::string_view ParserMessage(std::string_view what) {
  const std::size_t tag_end = what.find("] ");
  if (tag_end != std::string_view::npos) what.remove_prefix(tag_end + 2);
  return what;
}

}  // namespace odbdiff
