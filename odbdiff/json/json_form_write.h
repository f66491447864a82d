// Writing the JSON form of an object file (see json_form_read.h), laid out as
// nlohmann::json lays out a document with an indent of two blanks: one member
// or item a line, numbers in their shortest exact form, whole numbers without
// a fraction ("100", not "100.0"). Object by object, so that a large file
// never has to be held whole.
#ifndef ODBDIFF_JSON_JSON_FORM_WRITE_H_
#define ODBDIFF_JSON_JSON_FORM_WRITE_H_

#include <string>  // std::string

#include "inputs/object_model.h"  // Object

namespace odbdiff {

class JsonFormWriter {
 public:
  // `source` names the object file in messages.
  explicit JsonFormWriter(std::string source) : source_(std::move(source)) {}

  // Appends to `out` the text of `object`, after the objects written before.
  // Throws Failure when a value has no JSON form: a text that is not valid
  // UTF-8, or a number that is infinite or not a number.
  void Write(const Object& object, std::string& out);

  // Appends the end of the document, a newline included.
  void Finish(std::string& out);

 private:
  std::string source_;
  bool wrote_object_ = false;
};

}  // namespace odbdiff

#endif  // ODBDIFF_JSON_JSON_FORM_WRITE_H_
