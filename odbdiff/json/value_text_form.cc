#include "json/value_text_form.h"  // ValueTextForm

#include <charconv>  // std::to_chars, the shortest round-trip form of a double
#include <variant>   // std::visit

namespace odbdiff {
namespace {

struct TextForm {
  std::string operator()(const TextValue& value) const { return value.text; }

  std::string operator()(const NumberValue& value) const {
    char text[32];  // the longest shortest form has 24 characters
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value.number);
    std::string form(text, result.ptr);
    if (!value.units.empty()) {
      form += ' ';
      form += value.units;
    }
    return form;
  }

  std::string operator()(const ListValue& value) const {
    std::string form;
    for (std::size_t i = 0; i < value.items.size(); ++i) {
      if (i != 0) form += '\n';
      form += value.items[i];
    }
    return form;
  }
};

}  // namespace

std::string ValueTextForm(const SlotValue& value) { return std::visit(TextForm{}, value); }

}  // namespace odbdiff
