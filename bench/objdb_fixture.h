// The object file the object-database benchmark reads, and the code that
// writes it (shared with make_object_file).
#ifndef BENCH_OBJDB_FIXTURE_H_
#define BENCH_OBJDB_FIXTURE_H_

#include <cstdio>  // std::snprintf
#include <string>  // std::string

#include "diff/host/list_library.h"     // CStrList for list values
#include "diff/host/object_database.h"  // CvxODB

namespace objdb_bench {

struct ObjectFileShape {
  int objects;
  int slots_per_object;
};

// 100,000 objects of 10 slots: a million slots.
inline constexpr ObjectFileShape kMillionSlots = {100000, 10};

// Writes a new object file of `shape` at `path`, replacing an object file
// there. Slots cycle through texts, numbers with and without units, and
// lists of three items. False when the file cannot be written.
inline bool WriteObjectFile(const std::string& path, ObjectFileShape shape) {
  CvxODB db(0, path.c_str(), 0);
  if (db.Create() == 0) return false;
  char object[32];
  char slot[32];
  char text[64];
  for (int o = 0; o < shape.objects; ++o) {
    std::snprintf(object, sizeof object, "object-%07d", o);
    if (db.CreateObject(object, nullptr) == 0) return false;
    for (int s = 0; s < shape.slots_per_object; ++s) {
      std::snprintf(slot, sizeof slot, "slot-%02d", s);
      int written = 0;
      switch (s % 5) {
        case 0:
        case 1:
          std::snprintf(text, sizeof text, "text value %d of %s", s, object);
          written = db.SetValue(object, slot, text, 0, 0);
          break;
        case 2:
          written = db.SetNumberValue(object, slot, o * 0.25 + s, "mm");
          break;
        case 3:
          written = db.SetNumberValue(object, slot, o * 1e-3 - s, nullptr);
          break;
        case 4: {
          CStrList items;
          for (int i = 0; i < 3; ++i) {
            std::snprintf(text, sizeof text, "item %d of %d", i, o);
            items.Append(text);
          }
          written = db.SetListValue(object, slot, &items);
          break;
        }
      }
      if (written == 0) return false;
    }
  }
  return db.Close(1) != 0;
}

}  // namespace objdb_bench

#endif  // BENCH_OBJDB_FIXTURE_H_
