// The three-way merge of one object: the comparison rules in force in the
// module decide what changed between base and each side, and each slot is
// merged on its own (slot_merge.h). The module judges the slots' value
// texts; the values as the files hold them are read only for what the
// merged object takes from them.
#ifndef ODBDIFF_MERGE_OBJECT_MERGE_H_
#define ODBDIFF_MERGE_OBJECT_MERGE_H_

#include <optional>  // std::optional
#include <string>    // std::string
#include <vector>    // std::vector

#include "inputs/object_model.h"       // Object, SlotValue
#include "inputs/object_slots_load.h"  // LoadedSide
#include "merge/slot_merge.h"          // Favor, ConflictKind
#include "merge/sorted_object_file.h"  // SortedObjectFile
#include "module/module_binding.h"     // DiffModule
#include "request/slot_rule_options.h"  // SlotRule

namespace odbdiff {

// Two sides changed one slot (or one side an object the other removed) in
// ways that do not agree. Absent values are those of a side without the
// slot or the object.
struct Conflict {
  std::string object;
  std::string slot;
  ConflictKind kind = ConflictKind::kNone;
  std::optional<SlotValue> base;
  std::optional<SlotValue> ours;
  std::optional<SlotValue> theirs;
};

// One file's version of the object in hand: its slot texts and its values,
// each read once when asked.
class MergeSide {
 public:
  // The next object of `file`, which must be the object in hand.
  explicit MergeSide(SortedObjectFile& file) : file_(&file) {}
  // A file without the object.
  MergeSide() = default;

  bool found() const { return file_ != nullptr; }
  // Each throws Failure when the object cannot be read.
  const LoadedSide& texts();
  const Object& typed();
  // The object with its values, which this side then no longer holds.
  Object TakeTyped();

 private:
  SortedObjectFile* file_ = nullptr;
  std::optional<LoadedSide> texts_;
  std::optional<Object> typed_;
};

// How conflicts are resolved, and the slot rules whose "lists" setting lets
// a list slot that both sides changed merge item by item.
struct MergeChoices {
  Favor favor = Favor::kNone;
  const std::vector<SlotRule>& slot_rules;
};

struct MergedObject {
  std::optional<Object> object;  // absent: the merge removes it
  std::vector<Conflict> conflicts;
};

// Merges the object `name`. An ignored object, and ignored slots, are taken
// from ours as they are. Throws Failure when a file cannot be read or the
// module reports trouble.
MergedObject MergeObject(const DiffModule& module, const std::string& name, MergeSide& base,
                         MergeSide& ours, MergeSide& theirs, const MergeChoices& choices);

}  // namespace odbdiff

#endif  // ODBDIFF_MERGE_OBJECT_MERGE_H_
