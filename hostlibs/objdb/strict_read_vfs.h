// A SQLite VFS for read-only connections to object files: SQLite's default
// one, except that a read of the database file that the file's end cuts
// short fails with SQLITE_IOERR_CORRUPTFS. SQLite itself takes the missing
// bytes for zeros, so that a file truncated while it is read could give rows
// of zeros rather than a failure.
#ifndef HOSTLIBS_OBJDB_STRICT_READ_VFS_H_
#define HOSTLIBS_OBJDB_STRICT_READ_VFS_H_

namespace zozavi {

// The name of the VFS, registered with SQLite on first use; null when it
// cannot be registered (the default VFS is then used).
const char* StrictReadVfs();

}  // namespace zozavi

#endif  // HOSTLIBS_OBJDB_STRICT_READ_VFS_H_
