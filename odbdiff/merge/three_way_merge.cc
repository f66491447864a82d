#include "merge/three_way_merge.h"  // MergeObjectFiles

#include <cstring>  // std::strcmp
#include <future>   // std::async, the files listed side by side
#include <memory>   // std::unique_ptr
#include <utility>  // std::move

#include "merge/object_write_thread.h"  // ObjectWriteThread
#include "merge/sorted_object_file.h"   // SortedObjectFile

namespace odbdiff {
namespace {

// The smallest of the names that are not null.
const char* Smallest(const char* x, const char* y) {
  if (x == nullptr) return y;
  if (y == nullptr) return x;
  return std::strcmp(x, y) <= 0 ? x : y;
}

std::unique_ptr<SortedObjectFile> Listed(const std::string& path) {
  return std::make_unique<SortedObjectFile>(path);
}

MergeSide Side(SortedObjectFile& file, const std::string& name) {
  return file.At(name) ? MergeSide(file) : MergeSide();
}

}  // namespace

std::size_t MergeObjectFiles(const DiffModule& module, const MergeFiles& files,
                             const MergeChoices& choices, ObjectSink& out,
                             ConflictSink& conflicts) {
  // Listing and sorting a file's names takes a while: the three side by side.
  auto listed_base = std::async(std::launch::async, Listed, files.base);
  auto listed_theirs = std::async(std::launch::async, Listed, files.theirs);
  SortedObjectFile ours(files.ours);
  const std::unique_ptr<SortedObjectFile> base_file = listed_base.get();
  const std::unique_ptr<SortedObjectFile> theirs_file = listed_theirs.get();
  SortedObjectFile& base = *base_file;
  SortedObjectFile& theirs = *theirs_file;
  ObjectWriteThread writes(out);
  std::size_t conflict_count = 0;
  for (;;) {
    const char* next = Smallest(Smallest(base.next(), ours.next()), theirs.next());
    if (next == nullptr) break;
    const std::string name = next;
    MergeSide base_side = Side(base, name);
    MergeSide ours_side = Side(ours, name);
    MergeSide theirs_side = Side(theirs, name);
    MergedObject merged = MergeObject(module, name, base_side, ours_side, theirs_side, choices);
    for (SortedObjectFile* file : {&base, &ours, &theirs}) {
      if (file->At(name)) file->Skip();
    }
    for (const Conflict& conflict : merged.conflicts) conflicts.Take(conflict);
    conflict_count += merged.conflicts.size();
    if (merged.object) writes.Add(std::move(*merged.object));
  }
  writes.Finish();
  return conflict_count;
}

}  // namespace odbdiff
