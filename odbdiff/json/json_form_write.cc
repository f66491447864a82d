#include "json/json_form_write.h"  // JsonFormWriter

#include <cmath>    // std::isfinite, std::trunc, std::fabs, std::signbit
#include <cstdint>  // std::int64_t
#include <variant>  // std::visit

#include <nlohmann/json.hpp>  // nlohmann::json, to quote texts and format numbers

#include "platform/failure.h"  // Failure

namespace odbdiff {
namespace {

using Json = nlohmann::json;

// Indents of the members of an object, of a slot's members, and of the
// values nested in a slot.
constexpr char kObjectIndent[] = "  ";
constexpr char kSlotIndent[] = "    ";
constexpr char kNestedIndent[] = "      ";

// Appends the text of one slot value. `where` names it in messages.
class ValueText {
 public:
  ValueText(std::string& out, const std::string& where) : out_(out), where_(where) {}

  void operator()(const TextValue& value) const { AppendQuoted(value.text); }

  void operator()(const NumberValue& value) const {
    if (value.units.empty()) {
      AppendNumber(value.number);
      return;
    }
    out_ += "{\n";
    out_ += kNestedIndent;
    out_ += "\"number\": ";
    AppendNumber(value.number);
    out_ += ",\n";
    out_ += kNestedIndent;
    out_ += "\"units\": ";
    AppendQuoted(value.units);
    out_ += '\n';
    out_ += kSlotIndent;
    out_ += '}';
  }

  void operator()(const ListValue& value) const {
    if (value.items.empty()) {
      out_ += "[]";
      return;
    }
    out_ += '[';
    for (std::size_t i = 0; i < value.items.size(); ++i) {
      out_ += i == 0 ? "\n" : ",\n";
      out_ += kNestedIndent;
      AppendQuoted(value.items[i]);
    }
    out_ += '\n';
    out_ += kSlotIndent;
    out_ += ']';
  }

  void AppendQuoted(const std::string& text) const {
    try {
      out_ += Json(text).dump();
    } catch (const Json::type_error&) {
      throw Failure(where_, "holds a text that is not valid UTF-8, which JSON cannot carry");
    }
  }

 private:
  void AppendNumber(double number) const {
    if (!std::isfinite(number)) {
      throw Failure(where_,
                    "holds a number that is infinite or not a number, which JSON cannot carry");
    }
    // A whole number in the range of std::int64_t is written as an integer;
    // -0 keeps its sign as a double ("-0.0").
    if (std::trunc(number) == number && std::fabs(number) < 9223372036854775808.0 &&
        !(number == 0 && std::signbit(number))) {
      out_ += std::to_string(static_cast<std::int64_t>(number));
    } else {
      out_ += Json(number).dump();
    }
  }

  std::string& out_;
  const std::string& where_;
};

}  // namespace

void JsonFormWriter::Write(const Object& object, std::string& out) {
  out += wrote_object_ ? ",\n" : "{\n";
  wrote_object_ = true;
  const std::string object_where = source_ + ": object " + object.name;
  out += kObjectIndent;
  ValueText(out, object_where).AppendQuoted(object.name);
  if (object.slots.empty()) {
    out += ": {}";
    return;
  }
  out += ": {";
  for (std::size_t i = 0; i < object.slots.size(); ++i) {
    const Slot& slot = object.slots[i];
    const std::string slot_where = object_where + ", slot " + slot.name;
    const ValueText value_text(out, slot_where);
    out += i == 0 ? "\n" : ",\n";
    out += kSlotIndent;
    value_text.AppendQuoted(slot.name);
    out += ": ";
    std::visit(value_text, slot.value);
  }
  out += '\n';
  out += kObjectIndent;
  out += '}';
}

void JsonFormWriter::Finish(std::string& out) { out += wrote_object_ ? "\n}\n" : "{}\n"; }

}  // namespace odbdiff
