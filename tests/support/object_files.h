// Writing small object files and reading databases back as text, in tests.
#ifndef DIFF_TESTS_SUPPORT_OBJECT_FILES_H_
#define DIFF_TESTS_SUPPORT_OBJECT_FILES_H_

#include <string>   // std::string
#include <utility>  // std::pair
#include <vector>   // std::vector

#include "diff/host/object_database.h"  // CvxODB

namespace diff::testing {

// An object and its slots (name, text value), in creation order.
struct ObjectSpec {
  std::string name;
  std::vector<std::pair<std::string, std::string>> slots;
};

// Creates the object file at `path` holding `objects` with text values.
inline void write_object_file(const std::string& path, const std::vector<ObjectSpec>& objects) {
  CvxODB database(0, path.c_str(), 0);
  database.Open(0);
  for (const ObjectSpec& object : objects) {
    database.CreateObject(object.name.c_str(), nullptr);
    for (const auto& [slot, value] : object.slots) {
      database.SetValue(object.name.c_str(), slot.c_str(), value.c_str(), 0, 0);
    }
  }
  database.Close(1);
}

// Every object of the database at `path` with its slots, one line each:
// "object\n" then "  slot = value\n" per slot. "(absent)" when the file does
// not open.
inline std::string dump_database(const std::string& path) {
  CvxODB database(0, path.c_str(), 0);
  if (database.Open(1) == 0) return "(absent)";
  std::string text;
  CStrList objects;
  database.GetObjects(&objects);
  for (int i = 0; i < objects.GetLength(); ++i) {
    const char* object = objects.GetTextAt(i);
    text += std::string(object) + "\n";
    CStrList names, values;
    database.LoadAllSlots(object, &names, &values, 0, 0);
    for (int k = 0; k < names.GetLength(); ++k) {
      text += std::string("  ") + names.GetTextAt(k) + " = " + values.GetTextAt(k) + "\n";
    }
  }
  database.Close(0);
  return text;
}

}  // namespace diff::testing

#endif  // DIFF_TESTS_SUPPORT_OBJECT_FILES_H_
