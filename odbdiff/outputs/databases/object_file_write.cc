#include "outputs/databases/object_file_write.h"  // ObjectFileWriter

#include <unistd.h>  // unlink

#include <cerrno>        // errno, ENOENT
#include <cstdio>        // std::rename
#include <filesystem>    // std::filesystem::path, canonical
#include <system_error>  // std::error_code
#include <variant>       // std::visit

#include "diff/host/list_library.h"      // CStrList for list values
#include "inputs/object_file_failure.h"  // ObjectFileFailure
#include "outputs/staged_output.h"       // SyncFolder
#include "platform/failure.h"            // Failure, SystemErrorText

namespace odbdiff {
namespace {

namespace fs = std::filesystem;

// The file to replace: the path with symbolic links followed, or the path
// itself when nothing is there yet.
std::string FollowLinks(const std::string& path) {
  std::error_code error;
  const fs::path followed = fs::canonical(path, error);
  return error ? path : followed.string();
}

fs::path FolderOf(const std::string& path) {
  const fs::path folder = fs::path(path).parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

// Sets one slot; true when the library took it.
struct SlotSetter {
  CvxODB& database;
  const char* object;
  const char* slot;

  bool operator()(const TextValue& value) const {
    return database.SetValue(object, slot, value.text.c_str(), 0, 0) != 0;
  }
  bool operator()(const NumberValue& value) const {
    return database.SetNumberValue(object, slot, value.number, value.units.c_str()) != 0;
  }
  bool operator()(const ListValue& value) const {
    CStrList items;
    for (const std::string& item : value.items) {
      if (items.Append(item.c_str()) == 0) return false;
    }
    return database.SetListValue(object, slot, &items) != 0;
  }
};

}  // namespace

ObjectFileWriter::ObjectFileWriter(const std::string& path)
    : path_(path),
      target_(FollowLinks(path)),
      side_folder_(FolderOf(target_), kSideFolderPrefix),
      side_path_((side_folder_.path() / fs::path(target_).filename()).string()),
      database_(0, side_path_.c_str(), 0) {
  if (database_.Open(0) == 0) {
    throw ObjectFileFailure(path_, database_, "cannot make a new object file");
  }
}

void ObjectFileWriter::AddObject(const std::string& name) {
  if (database_.CreateObject(name.c_str(), nullptr) == 0) {
    throw Failure(path_, "cannot write object " + name);
  }
}

void ObjectFileWriter::AddSlot(const std::string& object, const std::string& slot,
                               const SlotValue& value) {
  if (!std::visit(SlotSetter{database_, object.c_str(), slot.c_str()}, value)) {
    throw Failure(path_, "cannot write slot " + slot + " of object " + object);
  }
}

void ObjectFileWriter::Commit() {
  if (database_.Close(1) == 0) {
    throw ObjectFileFailure(path_, database_, "cannot save the new object file");
  }
  // A journal left by a crash while the former file was written would be
  // played back into the new one.
  const std::string journal = target_ + "-journal";
  if (unlink(journal.c_str()) != 0 && errno != ENOENT) {
    throw Failure(journal, "cannot remove the former file's journal: " + SystemErrorText(errno));
  }
  if (std::rename(side_path_.c_str(), target_.c_str()) != 0) {
    throw Failure(path_, "cannot put the new object file in place: " + SystemErrorText(errno));
  }
  SyncFolder(FolderOf(target_), path_);
}

}  // namespace odbdiff
