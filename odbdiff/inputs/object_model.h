// An object file's content as odbdiff carries it between the JSON form and
// the object-database library.
#ifndef ODBDIFF_INPUTS_OBJECT_MODEL_H_
#define ODBDIFF_INPUTS_OBJECT_MODEL_H_

#include <string>   // std::string
#include <variant>  // std::variant
#include <vector>   // std::vector

namespace odbdiff {

struct TextValue {
  std::string text;
};

struct NumberValue {
  double number = 0;
  std::string units;  // empty: a number without units
};

struct ListValue {
  std::vector<std::string> items;
};

using SlotValue = std::variant<TextValue, NumberValue, ListValue>;

struct Slot {
  std::string name;
  SlotValue value;
};

// One object with its slots in order.
struct Object {
  std::string name;
  std::vector<Slot> slots;
};

// Receives an object file's content object by object, slot by slot, in order.
class ObjectSink {
 public:
  virtual ~ObjectSink() = default;
  virtual void AddObject(const std::string& name) = 0;
  // A slot of the object added last.
  virtual void AddSlot(const std::string& object, const std::string& slot,
                       const SlotValue& value) = 0;
};

}  // namespace odbdiff

#endif  // ODBDIFF_INPUTS_OBJECT_MODEL_H_
