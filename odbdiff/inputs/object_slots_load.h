// One object's slots read from an object file as the diff module's keyed
// list comparison takes them: names and value texts in two index-aligned
// lists.
#ifndef ODBDIFF_INPUTS_OBJECT_SLOTS_LOAD_H_
#define ODBDIFF_INPUTS_OBJECT_SLOTS_LOAD_H_

#include <string>  // std::string

#include "diff/host/list_library.h"  // list2_create, list2_append_to_end, CStrList
#include "module/owned_list2.h"      // List2

namespace odbdiff {

// One side of the comparison: the object's slot names and the text forms of
// their values, index-aligned.
struct LoadedSide {
  bool found = false;
  List2 names{list2_create()};
  List2 values{list2_create()};
};

// The slots of `object` in the object file at `path`; not found when the
// file has no such object. Throws Failure when the file cannot be read.
LoadedSide LoadSide(const std::string& path, const std::string& object);

}  // namespace odbdiff

#endif  // ODBDIFF_INPUTS_OBJECT_SLOTS_LOAD_H_
