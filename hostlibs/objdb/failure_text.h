// The wording of failures that CvxODB::LastError reports: one line of valid
// UTF-8, naming objects and slots with their bytes escaped where needed.
#ifndef HOSTLIBS_OBJDB_FAILURE_TEXT_H_
#define HOSTLIBS_OBJDB_FAILURE_TEXT_H_

#include <sqlite3.h>  // sqlite3, for its failures

#include <string>       // std::string for messages
#include <string_view>  // std::string_view for names

namespace zozavi {

// Appends `bytes` with every byte that would break a one-line UTF-8 message
// escaped: control characters, `"` and `\` as C escapes (\n, \", \\ ...),
// and bytes that are not part of a valid UTF-8 character (or that encode a
// C1 control) as \xNN.
void AppendEscaped(std::string_view bytes, std::string& out);

// `"name"`, escaped.
std::string Quoted(std::string_view name);

// `object "o"` and `object "o", slot "s"`, the places a message names.
std::string ObjectPlace(std::string_view object);
std::string SlotPlace(std::string_view object, std::string_view slot);

// The slots of an object that is not in the objects table.
std::string OrphanSlots(std::string_view object);

// SQLite's failure `rc` on `db`, in its words: "damaged: ..." for a file
// SQLite finds malformed or that ends within a page (strict_read_vfs.h),
// otherwise `action` and its message ("cannot read: disk I/O error").
std::string SqliteFailure(sqlite3* db, int rc, const char* action);

// What a value of SQLite's storage class `type` (SQLITE_INTEGER ...) is
// called in a message: "an integer", "a real number", "a text", "a blob",
// "NULL".
const char* StorageClassName(int type);

}  // namespace zozavi

#endif  // HOSTLIBS_OBJDB_FAILURE_TEXT_H_
