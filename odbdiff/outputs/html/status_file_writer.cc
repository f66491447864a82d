#include "outputs/html/status_file_writer.h"  // InputObjectFile, StatusFileWriter

#include "inputs/object_file_failure.h"  // ObjectFileFailure
#include "platform/failure.h"            // Failure

namespace odbdiff {

InputObjectFile::InputObjectFile(const std::string& path)
    : path(path), database(0, path.c_str(), 0) {
  if (database.Open(1) == 0) throw ObjectFileFailure(path, database, "not an object file");
}

CStrList InputObjectFile::Slots(const char* object) {
  CStrList slots;
  if (database.GetSlots(object, &slots, 0) == 0) {
    throw ObjectFileFailure(path, database,
                            std::string("cannot read the slots of object ") + object);
  }
  return slots;
}

StatusFileWriter::StatusFileWriter(const std::string& path)
    : path_(path), database_(0, path.c_str(), 0) {
  if (database_.Create() == 0) throw Failure(path_, "cannot make the status file");
}

void StatusFileWriter::AddObject(const char* object) {
  if (database_.CreateObject(object, nullptr) == 0) Fail();
}

void StatusFileWriter::AddSlot(const char* object, const char* slot, const char* code) {
  if (database_.SetValue(object, slot, code, 0, 0) == 0) Fail();
}

std::uint64_t StatusFileWriter::AddAllSlots(const DiffModule& module, InputObjectFile& source,
                                            const char* object, const char* code) {
  CStrList slots = source.Slots(object);
  AddObject(object);
  std::uint64_t added = 0;
  for (int position = 0; position < slots.GetLength(); ++position) {
    const char* slot = slots.GetTextAt(position);
    if (module.diff_is_ignored(object, slot) == 0) {
      AddSlot(object, slot, code);
      ++added;
    }
  }
  return added;
}

void StatusFileWriter::Save() {
  if (database_.Close(1) == 0) Fail();
}

void StatusFileWriter::Fail() { throw Failure(path_, "cannot write the status file"); }

}  // namespace odbdiff
