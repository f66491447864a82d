// Reading an object file through the object-database library, object by
// object, each with its slots and typed values in order.
#ifndef ODBDIFF_INPUTS_OBJECT_FILE_READ_H_
#define ODBDIFF_INPUTS_OBJECT_FILE_READ_H_

#include <string>  // std::string

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "inputs/object_model.h"        // Object
#include "module/module_binding.h"      // DiffModule, its ignore rules

namespace odbdiff {

// The value held in `slot`; false when it is of no kind odbdiff knows.
bool TakeValue(const CvxSlot& slot, SlotValue& value);

class ObjectFileReader {
 public:
  // Opens the file read-only and, with `list_objects`, lists its objects.
  // Throws Failure when it is no object file.
  explicit ObjectFileReader(const std::string& path, bool list_objects = true);

  // Object names in the file's order; empty unless listed.
  CStrList& object_names() { return object_names_; }

  // The object with its slots in order. Throws Failure when the library
  // cannot read it.
  Object ReadObject(const char* name);

  // The object with the slots that `module`'s ignore rules leave, in
  // order: an object of one file only as the outputs show it.
  Object ReadKeptObject(const std::string& name, const DiffModule& module);

  // Appends the object's slot names and the text forms of their values, in
  // order (LoadAllSlots). Throws Failure when the library cannot read it.
  void LoadSlotTexts(const char* name, CStrList& slot_names, CStrList& values);

 private:
  std::string path_;
  CvxODB database_;
  CStrList object_names_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_INPUTS_OBJECT_FILE_READ_H_
