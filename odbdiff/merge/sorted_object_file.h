// An object file read object by object in byte-wise order of the names, as
// the diff module compares files: the library lists objects in the order
// they were made, so the names are sorted once.
#ifndef ODBDIFF_MERGE_SORTED_OBJECT_FILE_H_
#define ODBDIFF_MERGE_SORTED_OBJECT_FILE_H_

#include <cstddef>  // std::size_t
#include <string>   // std::string
#include <vector>   // std::vector

#include "inputs/object_file_read.h"   // ObjectFileReader
#include "inputs/object_model.h"       // Object
#include "inputs/object_slots_load.h"  // LoadedSide

namespace odbdiff {

class SortedObjectFile {
 public:
  // Opens the file read-only and lists its objects. Throws Failure when it is
  // no object file.
  explicit SortedObjectFile(const std::string& path);

  // The name of the next object, null after the last.
  const char* next() const { return next_ < names_.size() ? names_[next_] : nullptr; }
  // Whether the next object is named `name`.
  bool At(const std::string& name) const { return next() != nullptr && name == next(); }
  // Moves on to the object after the next.
  void Skip() { ++next_; }

  // The next object with its slots and values, in order. Each throws
  // Failure when it cannot be read.
  Object Typed();
  // Its slot names and the text forms of the values, for the module.
  LoadedSide Texts();

 private:
  std::string path_;
  ObjectFileReader reader_;
  std::vector<const char*> names_;  // into the reader's list of names
  std::size_t next_ = 0;
};

}  // namespace odbdiff

#endif  // ODBDIFF_MERGE_SORTED_OBJECT_FILE_H_
