// One object's slots of both sides compared by the diff module: sorted, and
// with the object's ignore rules applied, as its reports take them.
#ifndef ODBDIFF_INPUTS_OBJECT_SLOTS_COMPARE_H_
#define ODBDIFF_INPUTS_OBJECT_SLOTS_COMPARE_H_

#include <string>  // std::string

#include "inputs/object_slots_load.h"  // LoadedSide
#include "module/module_binding.h"     // DiffModule
#include "module/owned_list2.h"        // List2

namespace odbdiff {

struct ComparedSlots {
  bool differ = false;
  List2 a_names;
  List2 a_values;
  List2 b_names;
  List2 b_values;
};

// Compares the loaded slots of `object` with diff_object_list2. Throws
// Failure when the module reports trouble.
ComparedSlots CompareObjectSlots(const DiffModule& module, const std::string& object,
                                 const LoadedSide& side_a, const LoadedSide& side_b);

}  // namespace odbdiff

#endif  // ODBDIFF_INPUTS_OBJECT_SLOTS_COMPARE_H_
