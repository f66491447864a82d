// Failures of the object-database library, told the way the host reads
// them: the database's path, then why.
#ifndef DIFF_OUTCOME_DATABASE_FAILURE_H_
#define DIFF_OUTCOME_DATABASE_FAILURE_H_

#include <string>       // std::string
#include <string_view>  // std::string_view

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB

namespace diff {

// True when the library said why the last call on `database` failed. A 0
// answer without a reason is a plain "no" (a missing object or slot).
bool library_gave_reason(const CvxODB& database);

// "<path of database>: <the library's reason, else `otherwise`>".
std::string database_message(const CvxODB& database, std::string_view otherwise);

// Fails with `code` and database_message.
[[noreturn]] void fail_on(const CvxODB& database, int code, std::string_view otherwise);

// `answer`, the result of a read on `database`, passed through; a 0 for
// which the library gave a reason fails with DIFF_ERROR_READ.
int read_answer(const CvxODB& database, int answer);

// Appends every object name of `database` to `names`; a listing that fails
// fails with DIFF_ERROR_READ naming the database.
void list_objects(CvxODB& database, CStrList& names);

// Why the object file at `path` did not open, when the library did not say:
// the system's word for a path that cannot be reached ("No such file or
// directory"), else that the file cannot be opened as an object file.
std::string open_failure_reason(const char* path);

}  // namespace diff

#endif  // DIFF_OUTCOME_DATABASE_FAILURE_H_
