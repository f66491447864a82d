// Reading the JSON form of an object file.
//
// The document is an object whose keys are object names, in order; each
// value is an object whose keys are slot names, in order; a slot value is a
// string (a text), a number, {"number": N, "units": "U"} (a number with
// units) or an array of strings (a list). Anything else is refused with the
// JSON pointer of the offending value.
#ifndef ODBDIFF_JSON_JSON_FORM_READ_H_
#define ODBDIFF_JSON_JSON_FORM_READ_H_

#include <istream>  // std::istream
#include <string>   // std::string

#include "inputs/object_model.h"  // ObjectSink

namespace odbdiff {

// Reads the JSON form from `input` and hands every object and slot to `sink`
// as soon as it is read. `source` names the input in messages. Throws Failure
// ("SOURCE: /object/slot: reason") at the first value that is not of the
// form, including duplicate keys, empty object names and texts holding a NUL
// character, which the object-database library cannot store.
void ReadJsonForm(std::istream& input, const std::string& source, ObjectSink& sink);

}  // namespace odbdiff

#endif  // ODBDIFF_JSON_JSON_FORM_READ_H_
