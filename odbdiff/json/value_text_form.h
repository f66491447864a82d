// A slot value in the text form that the object-database library gives it
// (LoadAllSlots), which the diff module compares and accepts differences by:
// a text as it is; a number in its shortest round-trip form, then a blank and
// the units when it has units; a list's items joined by "\n".
#ifndef ODBDIFF_JSON_VALUE_TEXT_FORM_H_
#define ODBDIFF_JSON_VALUE_TEXT_FORM_H_

#include <string>  // std::string

#include "inputs/object_model.h"  // SlotValue

namespace odbdiff {

std::string ValueTextForm(const SlotValue& value);

}  // namespace odbdiff

#endif  // ODBDIFF_JSON_VALUE_TEXT_FORM_H_
