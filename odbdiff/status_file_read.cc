#include "status_file_read.h"  // StatusFileShowsDifference

#include <cstring>   // std::strcmp
#include <optional>  // std::optional, files A and B opened when needed

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "failure.h"                    // Failure
#include "input_checks.h"               // CheckReadableFile
#include "object_file_failure.h"        // ObjectFileFailure, LastCallFailed

namespace odbdiff {
namespace {

// An object file open for reading, named as the user gave it.
class OpenObjectFile {
 public:
  explicit OpenObjectFile(const std::string& path) : path_(path), database_(0, path.c_str(), 0) {
    CheckReadableFile(path);
    if (database_.Open(1) == 0) throw ObjectFileFailure(path, database_, "not an object file");
  }

  CvxODB& database() { return database_; }

  bool HasObject(const char* object) {
    const bool exists = database_.ObjectExists(object) != 0;
    if (!exists && LastCallFailed(database_)) {
      throw ObjectFileFailure(path_, database_, "cannot read its objects");
    }
    return exists;
  }

 private:
  const std::string& path_;
  CvxODB database_;
};

// Whether a slot's code tells a difference; throws when it is no code.
bool CodeDiffers(const std::string& status_file, const char* object, const char* slot,
                 const char* code) {
  if (std::strcmp(code, "1") == 0) return false;
  if (std::strcmp(code, "0") == 0 || std::strcmp(code, "3") == 0 ||
      std::strcmp(code, "4") == 0) {
    return true;
  }
  throw Failure(status_file, std::string("is no status file of compare-project: object \"") +
                                 object + "\", slot \"" + slot + "\" holds \"" + code +
                                 "\", not 0, 1, 3 or 4");
}

}  // namespace

bool StatusFileShowsDifference(const std::string& status_file, const std::string& file_a,
                               const std::string& file_b) {
  OpenObjectFile status(status_file);
  CStrList objects;
  if (status.database().GetObjects(&objects) == 0) {
    throw ObjectFileFailure(status_file, status.database(), "cannot read its objects");
  }
  std::optional<OpenObjectFile> input_a;
  std::optional<OpenObjectFile> input_b;
  bool differ = false;
  // Every slot is read, also after a difference: the whole file must be sound.
  for (int position = 0; position < objects.GetLength(); ++position) {
    const char* object = objects.GetTextAt(position);
    CStrList slots;
    CStrList codes;
    if (status.database().LoadAllSlots(object, &slots, &codes, 0, 0) == 0) {
      throw ObjectFileFailure(status_file, status.database(),
                              std::string("cannot read the slots of object ") + object);
    }
    for (int slot = 0; slot < slots.GetLength(); ++slot) {
      const char* code = codes.GetTextAt(slot);
      differ = CodeDiffers(status_file, object, slots.GetTextAt(slot), code ? code : "") || differ;
    }
    if (slots.GetLength() == 0 && !differ) {
      if (!input_a) input_a.emplace(file_a);
      if (!input_b) input_b.emplace(file_b);
      differ = !input_a->HasObject(object) || !input_b->HasObject(object);
    }
  }
  return differ;
}

}  // namespace odbdiff
