#include "object_file.h"  // InspectFile, CreateEmptyObjectFile, RemoveObjectFile

#include <fcntl.h>     // open, O_* flags
#include <sys/stat.h>  // stat, S_ISREG
#include <unistd.h>    // pread, close, unlink, fsync, getpid

#include <cerrno>   // errno, ENOENT, EEXIST, EINTR, EINVAL
#include <cstdio>   // std::rename
#include <cstdlib>  // std::getenv, the scratch folder
#include <cstring>  // std::memcmp, std::strerror
#include <string>   // std::to_string

#include "sqlite_handles.h"  // Connection

namespace zozavi {
namespace {

// The first 100 bytes of a SQLite file, and the fields of it we look at.
constexpr std::size_t kHeaderSize = 100;
constexpr char kSqliteMagic[] = "SQLite format 3";  // 16 bytes with its NUL
constexpr std::size_t kWriteVersionOffset = 18;     // 1: rollback journal, 2: WAL
constexpr std::size_t kReadVersionOffset = 19;
constexpr std::size_t kUserVersionOffset = 60;
constexpr std::size_t kApplicationIdOffset = 68;

// How long a statement waits for another connection's lock before failing.
constexpr int kBusyTimeoutMs = 5000;

// Page cache of a read-write connection: large enough that a difference
// database written in one transaction rarely spills to the file before Save.
constexpr char kWriteCacheSize[] = "PRAGMA cache_size = -65536";  // KiB

// Every read goes through system calls into SQLite's page cache rather than through
// a memory map: a file truncated under a map kills the reading process with
// SIGBUS on the next access, while a short read is an error SQLite reports.
constexpr char kNoMapping[] = "PRAGMA mmap_size = 0";
constexpr char kNoSyncs[] = "PRAGMA synchronous = OFF";

constexpr const char* kJournalSuffixes[] = {"-journal", "-wal", "-shm"};

// Slots are clustered by (object name, slot name): reading objects in name
// order, as a comparison does, runs through the table front to back whatever
// order they were made in, and one lookup finds a slot by name. `seq` keeps
// the creation order within the object. `number` has no declared type: a
// REAL column would store a whole double as an integer and lose the sign of
// -0.0.
constexpr char kSchema[] = R"sql(
CREATE TABLE objects (
  id   INTEGER PRIMARY KEY,
  name TEXT NOT NULL UNIQUE
);
CREATE TABLE slots (
  object TEXT NOT NULL REFERENCES objects (name),
  name   TEXT NOT NULL,
  seq    INTEGER NOT NULL,
  kind   INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 3),
  text   TEXT,
  number,
  units  TEXT,
  items  BLOB,
  PRIMARY KEY (object, name)
) WITHOUT ROWID;
)sql";

std::uint32_t ReadBigEndian32(const unsigned char* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
         (std::uint32_t{bytes[2]} << 8) | std::uint32_t{bytes[3]};
}

// Reads up to `size` bytes from the start of the file; the count read, or -1.
ssize_t ReadFileStart(int fd, unsigned char* buffer, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = pread(fd, buffer + done, size - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

FileInspection InspectHeader(const unsigned char* header) {
  FileInspection inspection;
  inspection.state = FileState::kForeign;
  if (std::memcmp(header, kSqliteMagic, sizeof kSqliteMagic) != 0 ||
      header[kWriteVersionOffset] != 1 || header[kReadVersionOffset] != 1 ||
      ReadBigEndian32(header + kApplicationIdOffset) != kApplicationId) {
    return inspection;
  }
  inspection.version = ReadBigEndian32(header + kUserVersionOffset);
  inspection.state =
      inspection.version == kFormatVersion ? FileState::kObjectFile : FileState::kOtherVersion;
  return inspection;
}

FileInspection Unreadable(int error) {
  FileInspection inspection;
  inspection.error = error;
  return inspection;
}

bool RemoveJournals(const std::string& path) {
  for (const char* suffix : kJournalSuffixes) {
    if (unlink((path + suffix).c_str()) != 0 && errno != ENOENT) return false;
  }
  return true;
}

std::string ParentDirectory(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename in the directory of `path` durable.
bool SyncParentDirectory(const std::string& path) {
  const int fd = open(ParentDirectory(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  // Some file systems cannot sync a directory (EINVAL); they order renames anyway.
  const bool synced = fsync(fd) == 0 || errno == EINVAL;
  close(fd);
  return synced;
}

// Creates a new, empty file in the folder of `path` under a name no one else
// uses; the name does not grow with the file's own, which may be long.
bool CreateSideFile(const std::string& path, std::string& side_path) {
  const std::string prefix = ParentDirectory(path) + "/.objdb-new-" + std::to_string(getpid());
  for (int attempt = 0; attempt < 100; ++attempt) {
    side_path = prefix + "-" + std::to_string(attempt);
    const int fd = open(side_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      close(fd);
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool WriteSchema(const std::string& path, bool scratch) {
  Connection connection;
  if (!connection.Open(SqliteFileName(path), SQLITE_OPEN_READWRITE)) return false;
  if (scratch && !connection.Execute(kNoSyncs)) return false;
  const std::string script = "BEGIN;PRAGMA application_id = " + std::to_string(kApplicationId) +
                             ";PRAGMA user_version = " + std::to_string(kFormatVersion) + ";" +
                             kSchema + "COMMIT;";
  return connection.Execute(script.c_str());
}

}  // namespace

FileInspection InspectFile(const std::string& path) {
  if (path.empty()) return Unreadable(ENOENT);
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    if (errno != ENOENT) return Unreadable(errno);
    FileInspection absent;
    absent.state = FileState::kAbsent;
    return absent;
  }
  FileInspection foreign;
  foreign.state = FileState::kForeign;
  if (!S_ISREG(info.st_mode)) return foreign;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Unreadable(errno);
  unsigned char header[kHeaderSize];
  const ssize_t got = ReadFileStart(fd, header, kHeaderSize);
  const int read_error = errno;
  close(fd);
  if (got < 0) return Unreadable(read_error);
  if (static_cast<std::size_t>(got) < kHeaderSize) return foreign;
  return InspectHeader(header);
}

std::string RefusalReason(const FileInspection& inspection) {
  switch (inspection.state) {
    case FileState::kAbsent:
      return "no such file";
    case FileState::kObjectFile:
      break;
    case FileState::kOtherVersion:
      return "object file format version " + std::to_string(inspection.version) +
             " is not supported";
    case FileState::kForeign:
      return "not an object file";
    case FileState::kUnreadable:
      return std::string("cannot be read: ") + std::strerror(inspection.error);
  }
  return "";
}

bool ConfigureConnection(Connection& connection, OpenMode mode, bool scratch) {
  if (sqlite3_busy_timeout(connection.get(), kBusyTimeoutMs) != SQLITE_OK) return false;
  return connection.Execute(kNoMapping) &&
         (mode == OpenMode::kReadOnly || connection.Execute(kWriteCacheSize)) &&
         (!scratch || connection.Execute(kNoSyncs));
}

bool InScratchFolder(const std::string& path) {
  const char* folder = std::getenv(kScratchFolderVariable);
  if (folder == nullptr || folder[0] == '\0') return false;
  struct stat scratch {};
  struct stat parent {};
  return stat(folder, &scratch) == 0 && stat(ParentDirectory(path).c_str(), &parent) == 0 &&
         scratch.st_dev == parent.st_dev && scratch.st_ino == parent.st_ino;
}

std::string SqliteFileName(const std::string& path) {
  return !path.empty() && path.front() == '/' ? path : "./" + path;
}

bool CreateEmptyObjectFile(const std::string& path, std::string& failure) {
  const auto fail = [&](const char* step) {
    failure = std::string("cannot be created: ") + step + std::strerror(errno);
    return false;
  };
  const bool scratch = InScratchFolder(path);
  std::string side_path;
  if (!CreateSideFile(path, side_path)) return fail("");
  if (!WriteSchema(side_path, scratch)) {
    failure = "cannot be created: the new file could not be written";
  } else if (!RemoveJournals(path)) {
    fail("a journal left beside it cannot be removed: ");
  } else if (std::rename(side_path.c_str(), path.c_str()) != 0) {
    fail("");
  } else {
    // The file is in place; only its durability is in doubt.
    return scratch || SyncParentDirectory(path) || fail("its folder cannot be synced: ");
  }
  // Best effort: what is left is a stray side file, not damage to the path.
  unlink(side_path.c_str());
  RemoveJournals(side_path);
  return false;
}

bool RemoveObjectFile(const std::string& path) {
  return RemoveJournals(path) && unlink(path.c_str()) == 0;
}

}  // namespace zozavi
