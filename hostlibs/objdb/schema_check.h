// The check an object file passes when it is opened: the tables and the
// constraints that reading relies on, and the owners of the first and last
// slots.
#ifndef HOSTLIBS_OBJDB_SCHEMA_CHECK_H_
#define HOSTLIBS_OBJDB_SCHEMA_CHECK_H_

#include <sqlite3.h>  // sqlite3

#include <string>  // std::string for the failure

namespace zozavi {

// Checks that the file behind `db` holds the tables `objects` and `slots`
// with exactly the columns of the schema; `objects.id` its INTEGER PRIMARY
// KEY, `objects.name` UNIQUE; `slots` WITHOUT ROWID with the PRIMARY KEY
// (object, name); names compared byte for byte. False with the failure in
// `error`, such as `damaged: table "slots" has no column "kind"`.
bool CheckSchema(sqlite3* db, std::string& error);

// Checks that the objects of the first and of the last slot in the table's
// order are in `objects`: slots before the first object or after the last
// one would be passed over by every read. Two searches of each table. False
// with the failure in `error`.
bool CheckSlotOwnersAtEnds(sqlite3* db, std::string& error);

}  // namespace zozavi

#endif  // HOSTLIBS_OBJDB_SCHEMA_CHECK_H_
