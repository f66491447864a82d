// Opening and reading an object file made of any bytes: the bytes go to a
// private file, which is opened read-only and read in full with every call
// a reader makes (objects, slot names, all slots with their text forms, each
// value with its kind, units and list items). No crash and no sanitizer
// report, whatever the bytes; and the read leaves the file as it was.
#include <cstddef>   // std::size_t
#include <cstdint>   // std::uint8_t
#include <cstdio>    // std::fprintf
#include <cstdlib>   // std::abort
#include <cstring>   // std::strlen
#include <fstream>   // std::ifstream, to read the file back
#include <iterator>  // std::istreambuf_iterator
#include <string>    // std::string

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB, CvxSlot
#include "scratch_file.h"               // ScratchPath, WriteScratchFile

namespace {

// Volatile, so that reading the results is not optimised away: the
// sanitizers must see every byte that the library hands out.
volatile std::size_t g_bytes_seen = 0;

void See(const char* text) {
  if (text != nullptr) g_bytes_seen = g_bytes_seen + std::strlen(text);
}

void SeeAll(CStrList& list) {
  for (int i = 0; i < list.GetLength(); ++i) See(list.GetTextAt(i));
}

void ReadValue(CvxODB& database, const char* object, const char* slot_name) {
  CvxSlot slot;
  database.GetValue(object, slot_name, slot, 0);
  See(database.LastError());
  if (slot.IsText()) See(slot.Text());
  if (slot.IsNumber()) g_bytes_seen = g_bytes_seen + (slot.Number() > 0 ? 1 : 0);
  if (slot.HasUnits()) See(slot.Units());
  if (slot.IsList()) {
    CStrList items;
    if (slot.GetListItems(&items) != 0) SeeAll(items);
  }
  g_bytes_seen = g_bytes_seen + slot.GetValueBufferLength();
}

void ReadObject(CvxODB& database, const char* object) {
  CStrList slot_names;
  database.GetSlots(object, &slot_names, 0);
  See(database.LastError());
  CStrList loaded_names, values;
  if (database.LoadAllSlots(object, &loaded_names, &values, 0, 0) != 0 &&
      loaded_names.GetLength() != values.GetLength()) {
    std::fprintf(stderr, "object file: LoadAllSlots gave %d names and %d values\n",
                 loaded_names.GetLength(), values.GetLength());
    std::abort();
  }
  See(database.LastError());
  SeeAll(values);
  for (int i = 0; i < slot_names.GetLength(); ++i) {
    ReadValue(database, object, slot_names.GetTextAt(i));
  }
}

std::string ReadBack(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::ScratchPath("input.odb");
  fuzz::WriteScratchFile(path, data, size);
  {
    CvxODB database(0, path.c_str(), 0);
    if (database.Open(1) != 0) {
      CStrList objects;
      database.GetObjects(&objects);
      See(database.LastError());
      for (int i = 0; i < objects.GetLength(); ++i) ReadObject(database, objects.GetTextAt(i));
      database.Close(0);
    }
    See(database.LastError());
  }
  if (ReadBack(path) != std::string(reinterpret_cast<const char*>(data), size)) {
    std::fprintf(stderr, "object file: a read-only open changed the file\n");
    std::abort();
  }
  return 0;
}
