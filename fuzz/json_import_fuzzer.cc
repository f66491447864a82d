// The JSON import of odbdiff on any bytes: the form is read or refused with a
// Failure, never a crash; and what it hands on is in the order of the form.
#include <cstddef>  // std::size_t
#include <cstdint>  // std::uint8_t
#include <cstdlib>  // std::abort
#include <sstream>  // std::istringstream
#include <string>   // std::string

#include "inputs/object_model.h"  // ObjectSink, SlotValue
#include "json/json_form_read.h"  // ReadJsonForm
#include "platform/failure.h"     // Failure, the refusal of a bad form

namespace {

// Checks that every slot belongs to the object handed on last, and that
// object names are not empty, as the object-database library needs them.
class CheckingSink final : public odbdiff::ObjectSink {
 public:
  void AddObject(const std::string& name) override {
    if (name.empty()) std::abort();
    object_ = name;
  }
  void AddSlot(const std::string& object, const std::string&,
               const odbdiff::SlotValue&) override {
    if (object.empty() || object != object_) std::abort();
  }

 private:
  std::string object_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  CheckingSink sink;
  try {
    odbdiff::ReadJsonForm(input, "input.json", sink);
  } catch (const odbdiff::Failure&) {
    // A refusal is a fine answer to bad bytes; any other exception is not.
  }
  return 0;
}
