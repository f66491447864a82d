#include "inputs/object_slots_compare.h"  // CompareObjectSlots

#include "diff/host/list_library.h"  // list2

namespace odbdiff {

ComparedSlots CompareObjectSlots(const DiffModule& module, const std::string& object,
                                 const LoadedSide& side_a, const LoadedSide& side_b) {
  list2 sorted[4] = {};
  const int differ = module.diff_object_list2(
      object.c_str(), side_a.names.get(), side_a.values.get(), side_b.names.get(),
      side_b.values.get(), &sorted[0], &sorted[1], &sorted[2], &sorted[3]);
  // Owned before the check, so that a failure frees what the module made.
  ComparedSlots compared{differ != 0, List2(sorted[0]), List2(sorted[1]), List2(sorted[2]),
                         List2(sorted[3])};
  ThrowIfModuleFailed(module);
  return compared;
}

}  // namespace odbdiff
