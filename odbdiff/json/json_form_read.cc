#include "json/json_form_read.h"  // ReadJsonForm

#include <charconv>       // std::to_chars, std::chars_format
#include <iterator>       // std::istreambuf_iterator
#include <optional>       // std::optional
#include <string>         // std::string, std::to_string
#include <string_view>    // std::string_view
#include <type_traits>    // std::is_signed_v
#include <unordered_set>  // std::unordered_set for the keys seen
#include <utility>        // std::move

#include <nlohmann/json.hpp>  // nlohmann::json_sax, json_pointer, sax_parse

#include "json/json_document_read.h"  // ParserMessage, RefuseNulBytes
#include "platform/failure.h"         // Failure

namespace odbdiff {
namespace {

using Json = nlohmann::json;
using Pointer = Json::json_pointer;

constexpr char kSlotValueForms[] =
    "expected a string, a number, {\"number\": N, \"units\": \"U\"} or an array of strings";

// The double holding `value` exactly, or nothing when there is none.
template <typename Integer>
std::optional<double> ExactDouble(Integer value) {
  const double number = static_cast<double>(value);
  // Out of the integer type's range the conversion back is undefined.
  constexpr double kLimit = std::is_signed_v<Integer> ? 9223372036854775808.0  // 2^63
                                                      : 18446744073709551616.0;  // 2^64
  if (number >= kLimit || number < -9223372036854775808.0) return std::nullopt;
  if (static_cast<Integer>(number) != value) return std::nullopt;
  return number;
}

// True when `number` is exactly the integer written as `digits` (an optional
// minus sign and decimal digits, as JSON writes an integer).
bool IsExactly(double number, std::string_view digits) {
  char text[400];  // the longest double written in full has 309 digits and a sign
  const std::to_chars_result result =
      std::to_chars(text, text + sizeof text, number, std::chars_format::fixed, 0);
  return result.ec == std::errc() && std::string_view(text, result.ptr) == digits;
}

// Walks the parser's events through the levels of the form. Slots are handed
// to the sink as they complete; keys are checked for repeats, which a JSON
// object could hold but an object file cannot.
class JsonFormParser final : public nlohmann::json_sax<Json> {
 public:
  JsonFormParser(const std::string& source, ObjectSink& sink) : source_(source), sink_(sink) {}

  bool null() override { Unexpected(); }
  bool boolean(bool) override { Unexpected(); }
  bool binary(binary_t&) override { Unexpected(); }

  bool number_integer(number_integer_t value) override { return WholeNumber(value); }
  bool number_unsigned(number_unsigned_t value) override { return WholeNumber(value); }
  // The parser itself refuses a number beyond the range of a double. An
  // integer beyond the 64-bit range arrives here too, as the nearest double.
  bool number_float(number_float_t value, const string_t& text) override {
    if (text.find_first_of(".eE") == string_t::npos && !IsExactly(value, text)) {
      RefuseAt(ValuePath(), "integer " + text + " has no exact double value");
    }
    return Number(value);
  }

  bool string(string_t& text) override {
    CheckText(text, ValuePath(), "a text");
    switch (level_) {
      case Level::kSlots:
        sink_.AddSlot(object_, slot_, TextValue{std::move(text)});
        return true;
      case Level::kList:
        list_.items.push_back(std::move(text));
        return true;
      case Level::kNumberWithUnits:
        if (key_ != "units") Unexpected();
        if (text.empty()) {
          RefuseAt(slot_path_ / "units",
                   "units cannot be empty; write a number without units as the number alone");
        }
        units_ = std::move(text);
        return true;
      default:
        Unexpected();
    }
  }

  bool start_object(std::size_t) override {
    switch (level_) {
      case Level::kDocument:
        level_ = Level::kObjects;
        return true;
      case Level::kObjects:
        sink_.AddObject(object_);
        slot_names_.clear();
        level_ = Level::kSlots;
        return true;
      case Level::kSlots:
        number_.reset();
        units_.reset();
        level_ = Level::kNumberWithUnits;
        return true;
      default:
        Unexpected();
    }
  }

  bool key(string_t& key) override {
    switch (level_) {
      case Level::kObjects:
        object_path_ = Pointer() / key;
        if (key.empty()) RefuseAt(object_path_, "an object name cannot be empty");
        // The name itself is left out of the path: it holds the NUL.
        CheckText(key, Pointer(), "an object name");
        if (!object_names_.insert(key).second) RefuseAt(object_path_, "duplicate key");
        object_ = std::move(key);
        return true;
      case Level::kSlots:
        slot_path_ = object_path_ / key;
        CheckText(key, object_path_, "a slot name");
        if (!slot_names_.insert(key).second) RefuseAt(slot_path_, "duplicate key");
        slot_ = std::move(key);
        return true;
      default:  // kNumberWithUnits: the parser gives keys only inside objects
        if (key != "number" && key != "units") RefuseAt(slot_path_, kSlotValueForms);
        if (key == "number" ? number_.has_value() : units_.has_value()) {
          RefuseAt(slot_path_ / key, "duplicate key");
        }
        key_ = std::move(key);
        return true;
    }
  }

  bool end_object() override {
    switch (level_) {
      case Level::kObjects:
        level_ = Level::kDone;
        return true;
      case Level::kSlots:
        level_ = Level::kObjects;
        return true;
      default:  // kNumberWithUnits
        if (!number_ || !units_) RefuseAt(slot_path_, kSlotValueForms);
        sink_.AddSlot(object_, slot_, NumberValue{*number_, std::move(*units_)});
        level_ = Level::kSlots;
        return true;
    }
  }

  bool start_array(std::size_t) override {
    if (level_ != Level::kSlots) Unexpected();
    list_.items.clear();
    level_ = Level::kList;
    return true;
  }

  bool end_array() override {  // only a list's array gets this far
    sink_.AddSlot(object_, slot_, std::move(list_));
    list_ = {};
    level_ = Level::kSlots;
    return true;
  }

  bool parse_error(std::size_t, const std::string&,
                   const nlohmann::detail::exception& error) override {
    throw Failure(source_, ParserMessage(error.what()));
  }

 private:
  enum class Level {
    kDocument,         // before the top-level object
    kObjects,          // in the top-level object: keys are object names
    kSlots,            // in an object: keys are slot names
    kList,             // in a list's array
    kNumberWithUnits,  // in {"number": N, "units": "U"}
    kDone,             // after the top-level object
  };

  template <typename Integer>
  bool WholeNumber(Integer value) {
    const std::optional<double> number = ExactDouble(value);
    if (!number) {
      RefuseAt(ValuePath(), "integer " + std::to_string(value) + " has no exact double value");
    }
    return Number(*number);
  }

  bool Number(double number) {
    if (level_ == Level::kSlots) {
      sink_.AddSlot(object_, slot_, NumberValue{number, {}});
      return true;
    }
    if (level_ == Level::kNumberWithUnits && key_ == "number") {
      number_ = number;
      return true;
    }
    Unexpected();
  }

  // Where the value now arriving stands.
  Pointer ValuePath() const {
    switch (level_) {
      case Level::kDocument:
      case Level::kDone:
        return Pointer();
      case Level::kObjects:
        return object_path_;
      case Level::kSlots:
        return slot_path_;
      case Level::kList:
        return slot_path_ / list_.items.size();
      default:  // kNumberWithUnits
        return slot_path_ / key_;
    }
  }

  // Refuses the value now arriving, saying what the form expects there.
  [[noreturn]] void Unexpected() const {
    switch (level_) {
      case Level::kDocument:
        RefuseAt(Pointer(), "expected an object whose keys are object names");
      case Level::kObjects:
        RefuseAt(object_path_, "expected an object whose keys are slot names");
      case Level::kList:
        RefuseAt(ValuePath(), "expected a string: the items of a list are texts");
      default:
        RefuseAt(slot_path_, kSlotValueForms);
    }
  }

  // `what` says what the text is: "a text", "a slot name", ...
  void CheckText(std::string_view text, const Pointer& at, const char* what) const {
    if (text.find('\0') != std::string_view::npos) {
      RefuseAt(at, std::string(what) + " cannot hold the NUL character");
    }
  }

  [[noreturn]] void RefuseAt(const Pointer& at, const std::string& reason) const {
    if (at.empty()) throw Failure(source_, reason);
    throw Failure(source_, at.to_string() + ": " + reason);
  }

  const std::string& source_;
  ObjectSink& sink_;
  Level level_ = Level::kDocument;
  Pointer object_path_;
  Pointer slot_path_;
  std::string object_;
  std::string slot_;
  std::string key_;  // the key inside {"number": N, "units": "U"}
  std::unordered_set<std::string> object_names_;
  std::unordered_set<std::string> slot_names_;  // of the current object
  ListValue list_;
  std::optional<double> number_;
  std::optional<std::string> units_;
};

}  // namespace

void ReadJsonForm(std::istream& input, const std::string& source, ObjectSink& sink) {
  const std::string text{std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>()};
  RefuseNulBytes(text, source);
  JsonFormParser parser(source, sink);
  // Strict: nothing but blanks may follow the top-level object.
  if (!Json::sax_parse(text, &parser, Json::input_format_t::json, true)) {
    throw Failure(source, "not valid JSON");
  }
}

}  // namespace odbdiff
