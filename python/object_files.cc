#include "object_files.h"  // ReadObjectFile, WriteObjectFile

#include <Python.h>  // PyGC_Disable, PyGC_Enable

#include "comparison_slot.h"                      // ComparisonSlot
#include "inputs/object_file_read.h"              // ObjectFileReader
#include "outputs/databases/object_file_write.h"  // ObjectFileWriter
#include "python_text.h"                          // TextToPython, TextFromPython
#include "python_values.h"                        // SlotNames, SlotsToPython, ValueFromPython
#include "request/input_checks.h"                 // CheckObjectFileInput, ...

namespace odbdiff::python {

namespace {

// Python's cyclic garbage collector paused while it lives: a file's millions
// of new dicts and tuples, none of them in a cycle, would start a collection
// every few hundred, each walking the objects made so far.
class CollectorPause {
 public:
  CollectorPause() : was_enabled_(PyGC_Disable() != 0) {}
  CollectorPause(const CollectorPause&) = delete;
  CollectorPause& operator=(const CollectorPause&) = delete;
  ~CollectorPause() {
    if (was_enabled_) PyGC_Enable();
  }

 private:
  bool was_enabled_;
};

}  // namespace

py::dict ReadObjectFile(const std::string& path) {
  CheckObjectFileInput(path);
  ObjectFileReader reader(path);
  CStrList& names = reader.object_names();
  const CollectorPause paused;
  SlotNames slot_names;
  py::dict objects;
  for (int position = 0; position < names.GetLength(); ++position) {
    const Object object = reader.ReadObject(names.GetTextAt(position));
    objects[TextToPython(object.name)] = SlotsToPython(object.slots, slot_names);
  }
  return objects;
}

void WriteObjectFile(const std::string& path, py::handle objects) {
  CheckOutputsApart(ComparisonSlot::InputsInUse(), {path});
  CheckObjectFileOutput(path);
  // The new file reaches its path only once every object is written.
  ObjectFileWriter writer(path);
  // dict() takes any mapping, or pairs, as the objects and as their slots.
  for (const auto [name_given, slots] : py::dict(py::reinterpret_borrow<py::object>(objects))) {
    const std::string name = TextFromPython(name_given, "an object name");
    writer.AddObject(name);
    for (const auto [slot_given, value] : py::dict(py::reinterpret_borrow<py::object>(slots))) {
      writer.AddSlot(name, TextFromPython(slot_given, "a slot name"), ValueFromPython(value));
    }
  }
  writer.Commit();
}

}  // namespace odbdiff::python
