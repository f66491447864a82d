// Whether two slot values are the same value: of one kind, with the same
// bytes (numbers bit for bit, so that a NaN is the same as itself and -0 is
// not 0). Equal under every comparison rule.
#ifndef ODBDIFF_MERGE_SAME_VALUE_H_
#define ODBDIFF_MERGE_SAME_VALUE_H_

#include <cstring>  // std::memcmp
#include <variant>  // std::get_if, std::get

#include "inputs/object_model.h"  // SlotValue

namespace odbdiff {

inline bool SameValue(const SlotValue& x, const SlotValue& y) {
  if (x.index() != y.index()) return false;
  if (const auto* text = std::get_if<TextValue>(&x)) {
    return text->text == std::get<TextValue>(y).text;
  }
  if (const auto* number = std::get_if<NumberValue>(&x)) {
    const NumberValue& other = std::get<NumberValue>(y);
    return std::memcmp(&number->number, &other.number, sizeof(double)) == 0 &&
           number->units == other.units;
  }
  return std::get<ListValue>(x).items == std::get<ListValue>(y).items;
}

}  // namespace odbdiff

#endif  // ODBDIFF_MERGE_SAME_VALUE_H_
