#include "merge/sorted_object_file.h"  // SortedObjectFile

#include <algorithm>  // std::sort
#include <cstring>    // std::strcmp

#include "platform/failure.h"  // Failure

namespace odbdiff {

SortedObjectFile::SortedObjectFile(const std::string& path) : path_(path), reader_(path) {
  CStrList& names = reader_.object_names();
  names_.reserve(static_cast<std::size_t>(names.GetLength()));
  for (int position = 0; position < names.GetLength(); ++position) {
    names_.push_back(names.GetTextAt(position));
  }
  std::sort(names_.begin(), names_.end(),
            [](const char* x, const char* y) { return std::strcmp(x, y) < 0; });
}

Object SortedObjectFile::Typed() { return reader_.ReadObject(names_[next_]); }

LoadedSide SortedObjectFile::Texts() {
  CStrList names;
  CStrList values;
  reader_.LoadSlotTexts(names_[next_], names, values);
  LoadedSide side;
  if (!side.names || !side.values) throw Failure("out of memory");
  side.found = true;
  for (int position = 0; position < names.GetLength(); ++position) {
    if (list2_append_to_end(side.names.get(), names.GetTextAt(position), 0) == 0 ||
        list2_append_to_end(side.values.get(), values.GetTextAt(position), 0) == 0) {
      throw Failure(path_, "cannot hold the slots of object " + std::string(names_[next_]));
    }
  }
  return side;
}

}  // namespace odbdiff
