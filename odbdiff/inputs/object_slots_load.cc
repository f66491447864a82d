#include "inputs/object_slots_load.h"  // LoadSide, LoadedSide

#include "diff/host/object_database.h"   // CvxODB
#include "inputs/object_file_failure.h"  // ObjectFileFailure, LastCallFailed
#include "platform/failure.h"            // Failure

namespace odbdiff {

LoadedSide LoadSide(const std::string& path, const std::string& object) {
  CvxODB database(0, path.c_str(), 0);
  if (database.Open(1) == 0) throw ObjectFileFailure(path, database, "not an object file");
  CStrList names;
  CStrList values;
  LoadedSide side;
  if (!side.names || !side.values) throw Failure("out of memory");
  side.found = database.LoadAllSlots(object.c_str(), &names, &values, 0, 0) != 0;
  // An object that is not there is no error; a read that failed is.
  if (!side.found && LastCallFailed(database)) {
    throw ObjectFileFailure(path, database, "cannot read object " + object);
  }
  for (int position = 0; position < names.GetLength(); ++position) {
    if (list2_append_to_end(side.names.get(), names.GetTextAt(position), 0) == 0 ||
        list2_append_to_end(side.values.get(), values.GetTextAt(position), 0) == 0) {
      throw Failure(path, "cannot hold the slots of object " + object);
    }
  }
  return side;
}

}  // namespace odbdiff
