// Writes the valid object files that start the corpus of the object file fuzz target:
//   make_object_files FOLDER
// makes FOLDER/empty.odb (no objects), FOLDER/kinds.odb (every kind of
// value, with edge cases) and FOLDER/list.odb (one list "xyz"). Exits 1,
// naming the file, when one cannot be written.
#include <cmath>             // NAN
#include <cstdio>            // std::fprintf
#include <initializer_list>  // the items of a list
#include <string>            // std::string

#include "diff/host/list_library.h"     // CStrList for list values
#include "diff/host/object_database.h"  // CvxODB

namespace {

bool SetList(CvxODB& database, const char* object, const char* slot,
             std::initializer_list<const char*> items) {
  CStrList list;
  for (const char* item : items) list.Append(item);
  return database.SetListValue(object, slot, &list) != 0;
}

bool WriteKinds(CvxODB& database) {
  return database.CreateObject("P-101", nullptr) != 0 &&
         database.SetValue("P-101", "name", "Pump", 0, 0) != 0 &&
         database.SetNumberValue("P-101", "flow", 12.5, "kg/s") != 0 &&
         database.SetNumberValue("P-101", "count", 3, nullptr) != 0 &&
         database.SetNumberValue("P-101", "unknown", NAN, nullptr) != 0 &&
         SetList(database, "P-101", "notes", {"one", "two"}) &&
         SetList(database, "P-101", "none", {}) && SetList(database, "P-101", "blank", {""}) &&
         database.CreateObject("Empty", nullptr) != 0 &&
         database.CreateObject("V-2", nullptr) != 0 &&
         database.SetValue("V-2", "text", "", 0, 0) != 0 &&
         database.SetValue("V-2", "lines", "a\nb\t\xff", 0, 0) != 0 &&
         database.SetNumberValue("V-2", "neg", -0.0, "") != 0;
}

bool WriteList(CvxODB& database) {
  return database.CreateObject("L", nullptr) != 0 && SetList(database, "L", "items", {"xyz"});
}

bool Write(const std::string& path, bool (*fill)(CvxODB&)) {
  CvxODB database(0, path.c_str(), 0);
  if (database.Create() != 0 && (fill == nullptr || fill(database)) && database.Close(1) != 0) {
    return true;
  }
  std::fprintf(stderr, "make_object_files: %s: cannot be written: %s\n", path.c_str(),
               database.LastError());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_object_files FOLDER\n");
    return 1;
  }
  const std::string folder = argv[1];
  const bool written = Write(folder + "/empty.odb", nullptr) &&
                       Write(folder + "/kinds.odb", WriteKinds) &&
                       Write(folder + "/list.odb", WriteList);
  return written ? 0 : 1;
}
