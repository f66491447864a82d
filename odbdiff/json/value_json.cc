#include "json/value_json.h"  // AppendValueJson, AppendJsonNumber

#include <charconv>  // std::to_chars, the shortest form of a double
#include <cmath>     // std::isfinite, std::isnan, std::signbit, std::trunc, std::fabs
#include <cstdint>   // std::int64_t
#include <variant>   // std::visit

#include "json/json_string.h"  // AppendJsonString

namespace odbdiff {

void AppendJsonNumber(double number, std::string& out) {
  if (std::trunc(number) == number && std::fabs(number) < 9223372036854775808.0) {
    if (number == 0 && std::signbit(number)) {
      out += "-0.0";
    } else {
      out += std::to_string(static_cast<std::int64_t>(number));
    }
    return;
  }
  char text[32];  // the longest shortest form has 24 characters
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, number);
  out.append(text, result.ptr);
}

namespace {

// A number that JSON cannot carry as one: "nan", "-nan", "inf" or "-inf".
const char* NonFiniteName(double number) {
  if (std::isnan(number)) return std::signbit(number) ? "\"-nan\"" : "\"nan\"";
  return number < 0 ? "\"-inf\"" : "\"inf\"";
}

struct ValueJson {
  std::string& out;

  void operator()(const TextValue& value) const { AppendJsonString(value.text, out); }

  void operator()(const NumberValue& value) const {
    const bool finite = std::isfinite(value.number);
    if (finite && value.units.empty()) {
      AppendJsonNumber(value.number, out);
      return;
    }
    out += "{\"number\": ";
    if (finite) {
      AppendJsonNumber(value.number, out);
    } else {
      out += NonFiniteName(value.number);
    }
    if (!value.units.empty()) {
      out += ", \"units\": ";
      AppendJsonString(value.units, out);
    }
    out += '}';
  }

  void operator()(const ListValue& value) const {
    out += '[';
    for (std::size_t i = 0; i < value.items.size(); ++i) {
      if (i != 0) out += ", ";
      AppendJsonString(value.items[i], out);
    }
    out += ']';
  }
};

}  // namespace

void AppendValueJson(const SlotValue& value, std::string& out) {
  std::visit(ValueJson{out}, value);
}

}  // namespace odbdiff
