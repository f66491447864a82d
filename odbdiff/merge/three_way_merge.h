// The three-way merge of object files: one pass over the three files'
// objects in byte-wise order of their names, each object merged on its own
// (object_merge.h) and written at once, so that memory holds the names and
// one object of each file.
#ifndef ODBDIFF_MERGE_THREE_WAY_MERGE_H_
#define ODBDIFF_MERGE_THREE_WAY_MERGE_H_

#include <cstddef>  // std::size_t
#include <string>   // std::string

#include "inputs/object_model.h"    // ObjectSink
#include "merge/object_merge.h"     // Conflict
#include "merge/slot_merge.h"       // Favor
#include "module/module_binding.h"  // DiffModule

namespace odbdiff {

// The object files of a merge, as they are read.
struct MergeFiles {
  std::string base;
  std::string ours;
  std::string theirs;
};

class ConflictSink {
 public:
  virtual ~ConflictSink() = default;
  virtual void Take(const Conflict& conflict) = 0;
};

// Merges the files into `out` and hands every conflict to `conflicts`, with
// the comparison rules in force in the module. Returns the number of
// conflicts. Throws Failure when a file cannot be read or `out` written.
std::size_t MergeObjectFiles(const DiffModule& module, const MergeFiles& files,
                             const MergeChoices& choices, ObjectSink& out,
                             ConflictSink& conflicts);

}  // namespace odbdiff

#endif  // ODBDIFF_MERGE_THREE_WAY_MERGE_H_
