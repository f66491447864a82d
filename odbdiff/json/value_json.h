// Slot values in the JSON that odbdiff writes about differences (the JSON of
// differences, the conflicts of a merge), on one line, as `odbdiff export`
// writes them; strings that are not UTF-8 and numbers that are not finite in
// the forms of docs/json-output.md.
#ifndef ODBDIFF_JSON_VALUE_JSON_H_
#define ODBDIFF_JSON_VALUE_JSON_H_

#include <string>  // std::string

#include "inputs/object_model.h"  // SlotValue

namespace odbdiff {

void AppendValueJson(const SlotValue& value, std::string& out);

// A finite number: a whole number in the range of std::int64_t as an
// integer, any other in its shortest exact form, -0 as "-0.0".
void AppendJsonNumber(double number, std::string& out);

}  // namespace odbdiff

#endif  // ODBDIFF_JSON_VALUE_JSON_H_
