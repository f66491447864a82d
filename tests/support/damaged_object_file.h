// Damaging an object file from outside the object-database library, as a
// failing disk or a careless tool would, in tests.
#ifndef DIFF_TESTS_SUPPORT_DAMAGED_OBJECT_FILE_H_
#define DIFF_TESTS_SUPPORT_DAMAGED_OBJECT_FILE_H_

#include <gtest/gtest.h>  // ASSERT_EQ
#include <sqlite3.h>      // sqlite3_open, sqlite3_exec

#include <string>  // std::string

namespace diff::testing {

// Runs `change` (an assignment to columns of the slots table) on slot `slot`
// of `object` in the object file at `path`, constraints unchecked.
inline void change_slot(const std::string& path, const std::string& object,
                        const std::string& slot, const std::string& change) {
  sqlite3* database = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &database), SQLITE_OK);
  const std::string sql = "PRAGMA ignore_check_constraints = 1; UPDATE slots SET " + change +
                          " WHERE object = '" + object + "' AND name = '" + slot + "';";
  EXPECT_EQ(sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(database);
}

// Gives slot `slot` of `object` a kind that the library never writes (4),
// which a read must refuse.
inline void give_slot_unknown_kind(const std::string& path, const std::string& object,
                                   const std::string& slot) {
  change_slot(path, object, slot, "kind = 4");
}

// Makes the name of slot `slot` of `object` a blob, which even a listing of
// the object's slot names must refuse.
inline void give_slot_blob_name(const std::string& path, const std::string& object,
                                const std::string& slot) {
  change_slot(path, object, slot, "name = CAST(name AS BLOB)");
}

}  // namespace diff::testing

#endif  // DIFF_TESTS_SUPPORT_DAMAGED_OBJECT_FILE_H_
