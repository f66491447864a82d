#include "strict_read_vfs.h"  // StrictReadVfs

#include <sqlite3.h>  // sqlite3_vfs, sqlite3_file, sqlite3_io_methods

#include "sqlite_handles.h"  // ConfigureSqlite

namespace zozavi {
namespace {

// An open file: the default VFS's file follows it in the same block.
struct StrictFile {
  sqlite3_file base;
  sqlite3_file* real;
  bool strict;  // the main database file, whose short reads fail
};

sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<StrictFile*>(file)->real; }

sqlite3_vfs* RealVfs(sqlite3_vfs* vfs) { return static_cast<sqlite3_vfs*>(vfs->pAppData); }

int Close(sqlite3_file* file) { return Real(file)->pMethods->xClose(Real(file)); }

int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
  const int rc = Real(file)->pMethods->xRead(Real(file), buffer, amount, offset);
  // Every page an object file's reader asks for lies within the file as it
  // was when the read transaction began, which holds the file's shared lock:
  // a short read means that something other than SQLite shrank it.
  if (rc == SQLITE_IOERR_SHORT_READ && reinterpret_cast<StrictFile*>(file)->strict) {
    return SQLITE_IOERR_CORRUPTFS;
  }
  return rc;
}

int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
  return Real(file)->pMethods->xWrite(Real(file), buffer, amount, offset);
}

int Truncate(sqlite3_file* file, sqlite3_int64 size) {
  return Real(file)->pMethods->xTruncate(Real(file), size);
}

int Sync(sqlite3_file* file, int flags) { return Real(file)->pMethods->xSync(Real(file), flags); }

int FileSize(sqlite3_file* file, sqlite3_int64* size) {
  return Real(file)->pMethods->xFileSize(Real(file), size);
}

int Lock(sqlite3_file* file, int lock) { return Real(file)->pMethods->xLock(Real(file), lock); }

int Unlock(sqlite3_file* file, int lock) { return Real(file)->pMethods->xUnlock(Real(file), lock); }

int CheckReservedLock(sqlite3_file* file, int* out) {
  return Real(file)->pMethods->xCheckReservedLock(Real(file), out);
}

int FileControl(sqlite3_file* file, int op, void* arg) {
  return Real(file)->pMethods->xFileControl(Real(file), op, arg);
}

int SectorSize(sqlite3_file* file) { return Real(file)->pMethods->xSectorSize(Real(file)); }

int DeviceCharacteristics(sqlite3_file* file) {
  return Real(file)->pMethods->xDeviceCharacteristics(Real(file));
}

// Object files never use WAL, whose shared memory these serve, nor memory
// maps (version 3's fetches): the methods of version 1 suffice.
constexpr sqlite3_io_methods kMethods = {
    .iVersion = 1,
    .xClose = Close,
    .xRead = Read,
    .xWrite = Write,
    .xTruncate = Truncate,
    .xSync = Sync,
    .xFileSize = FileSize,
    .xLock = Lock,
    .xUnlock = Unlock,
    .xCheckReservedLock = CheckReservedLock,
    .xFileControl = FileControl,
    .xSectorSize = SectorSize,
    .xDeviceCharacteristics = DeviceCharacteristics,
    .xShmMap = nullptr,
    .xShmLock = nullptr,
    .xShmBarrier = nullptr,
    .xShmUnmap = nullptr,
    .xFetch = nullptr,
    .xUnfetch = nullptr,
};

int Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags, int* out_flags) {
  auto* strict = reinterpret_cast<StrictFile*>(file);
  strict->real = reinterpret_cast<sqlite3_file*>(strict + 1);
  strict->strict = (flags & SQLITE_OPEN_MAIN_DB) != 0;
  sqlite3_vfs* real_vfs = RealVfs(vfs);
  const int rc = real_vfs->xOpen(real_vfs, name, strict->real, flags, out_flags);
  // SQLite closes a file only when it has methods.
  file->pMethods = strict->real->pMethods != nullptr ? &kMethods : nullptr;
  return rc;
}

int Delete(sqlite3_vfs* vfs, const char* name, int sync_dir) {
  return RealVfs(vfs)->xDelete(RealVfs(vfs), name, sync_dir);
}

int Access(sqlite3_vfs* vfs, const char* name, int flags, int* out) {
  return RealVfs(vfs)->xAccess(RealVfs(vfs), name, flags, out);
}

int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out) {
  return RealVfs(vfs)->xFullPathname(RealVfs(vfs), name, size, out);
}

void* DlOpen(sqlite3_vfs* vfs, const char* name) {
  return RealVfs(vfs)->xDlOpen(RealVfs(vfs), name);
}

void DlError(sqlite3_vfs* vfs, int size, char* out) {
  RealVfs(vfs)->xDlError(RealVfs(vfs), size, out);
}

void (*DlSym(sqlite3_vfs* vfs, void* library, const char* symbol))(void) {
  return RealVfs(vfs)->xDlSym(RealVfs(vfs), library, symbol);
}

void DlClose(sqlite3_vfs* vfs, void* library) { RealVfs(vfs)->xDlClose(RealVfs(vfs), library); }

int Randomness(sqlite3_vfs* vfs, int size, char* out) {
  return RealVfs(vfs)->xRandomness(RealVfs(vfs), size, out);
}

int Sleep(sqlite3_vfs* vfs, int microseconds) {
  return RealVfs(vfs)->xSleep(RealVfs(vfs), microseconds);
}

int CurrentTime(sqlite3_vfs* vfs, double* out) {
  return RealVfs(vfs)->xCurrentTime(RealVfs(vfs), out);
}

int GetLastError(sqlite3_vfs* vfs, int size, char* out) {
  return RealVfs(vfs)->xGetLastError(RealVfs(vfs), size, out);
}

int CurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* out) {
  return RealVfs(vfs)->xCurrentTimeInt64(RealVfs(vfs), out);
}

sqlite3_vfs* Register() {
  ConfigureSqlite();  // before sqlite3_vfs_find initializes SQLite
  sqlite3_vfs* real = sqlite3_vfs_find(nullptr);
  // Version 2 adds xCurrentTimeInt64, which SQLite prefers; version 3's
  // system-call overrides are for tests of SQLite itself.
  if (real == nullptr || real->iVersion < 2) return nullptr;
  static sqlite3_vfs vfs = {
      .iVersion = 2,
      .szOsFile = static_cast<int>(sizeof(StrictFile)) + real->szOsFile,
      .mxPathname = real->mxPathname,
      .pNext = nullptr,
      .zName = "zozavi-strict-read",
      .pAppData = real,
      .xOpen = Open,
      .xDelete = Delete,
      .xAccess = Access,
      .xFullPathname = FullPathname,
      .xDlOpen = DlOpen,
      .xDlError = DlError,
      .xDlSym = DlSym,
      .xDlClose = DlClose,
      .xRandomness = Randomness,
      .xSleep = Sleep,
      .xCurrentTime = CurrentTime,
      .xGetLastError = GetLastError,
      .xCurrentTimeInt64 = CurrentTimeInt64,
      .xSetSystemCall = nullptr,
      .xGetSystemCall = nullptr,
      .xNextSystemCall = nullptr,
  };
  return sqlite3_vfs_register(&vfs, /*makeDflt=*/0) == SQLITE_OK ? &vfs : nullptr;
}

}  // namespace

const char* StrictReadVfs() {
  static sqlite3_vfs* const vfs = Register();  // once, whatever the threads
  return vfs != nullptr ? vfs->zName : nullptr;
}

}  // namespace zozavi
