// Object files on disk: how one is recognised, made, and removed. The schema
// is described in docs/object-file-format.md.
#ifndef HOSTLIBS_OBJDB_OBJECT_FILE_H_
#define HOSTLIBS_OBJDB_OBJECT_FILE_H_

#include <cstdint>  // std::uint32_t
#include <string>   // std::string for paths

namespace zozavi {

class Connection;

// `PRAGMA application_id` of every object file: "OBJD".
inline constexpr std::uint32_t kApplicationId = 0x4F424A44;
// `PRAGMA user_version` of the format this library reads and writes.
inline constexpr std::uint32_t kFormatVersion = 2;

enum class FileState {
  kAbsent,        // nothing at the path
  kObjectFile,    // an object file of our format version
  kOtherVersion,  // an object file of another format version: refused like kForeign
  kForeign,       // something else: never opened for writing, never removed
  kUnreadable,    // the path could not be examined
};

struct FileInspection {
  FileState state = FileState::kUnreadable;
  std::uint32_t version = 0;  // kOtherVersion: the file's format version
  int error = 0;              // kUnreadable: the errno
};

// Examines the file at `path` by reading its header only. An object file is
// a SQLite file in rollback-journal mode with our application id and format
// version.
FileInspection InspectFile(const std::string& path);

// Why the file inspected cannot be opened, for CvxODB::LastError: "no such
// file", "not an object file", "object file format version 3 is not
// supported", "cannot be read: Permission denied".
std::string RefusalReason(const FileInspection& inspection);

enum class OpenMode { kReadOnly, kReadWrite };

// Sets up a connection to an object file for reading only or for writing:
// its lock wait and its page cache, and for a scratch file (see
// InScratchFolder) no syncs. No connection maps its file: a file truncated
// while mapped would kill the process with SIGBUS.
bool ConfigureConnection(Connection& connection, OpenMode mode, bool scratch = false);

// The environment variable that names a scratch folder: one whose owner
// removes it with all it holds, so that nothing relies on its files
// surviving a crash. Writes to object files directly in it are not synced:
// a comparison's difference databases of 80 MB took 0.13 s to sync, for
// nothing, in a folder removed a moment later.
inline constexpr char kScratchFolderVariable[] = "ZOZAVI_SCRATCH_FOLDER";

// Whether `path` names a file directly in the folder that
// kScratchFolderVariable names (the same folder by device and inode).
bool InScratchFolder(const std::string& path);

// The name under which SQLite opens `path`: a relative path gains "./", so
// that no name is taken for ":memory:", a temporary database or a URI.
std::string SqliteFileName(const std::string& path);

// Puts a new, empty object file at `path`, replacing what is there. The file
// is built aside and renamed into place, so the path holds either the former
// file or the complete new one. False on failure, the path then unchanged
// (unless only the sync of its folder failed), with `failure` saying why:
// "cannot be created: No such file or directory". In a scratch folder
// nothing is synced.
bool CreateEmptyObjectFile(const std::string& path, std::string& failure);

// Removes the file at `path` and its journal files (-journal, -wal, -shm).
// The journals go first: a hot journal left behind would otherwise be played
// back into the next file made at the path.
bool RemoveObjectFile(const std::string& path);

}  // namespace zozavi

#endif  // HOSTLIBS_OBJDB_OBJECT_FILE_H_
