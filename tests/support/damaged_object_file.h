// Damaging an object file from outside the object-database library, as a
// failing disk or a careless tool would, in tests.
#ifndef DIFF_TESTS_SUPPORT_DAMAGED_OBJECT_FILE_H_
#define DIFF_TESTS_SUPPORT_DAMAGED_OBJECT_FILE_H_

#include <gtest/gtest.h>  // ASSERT_EQ
#include <sqlite3.h>      // sqlite3_open, sqlite3_exec

#include <string>  // std::string

namespace diff::testing {

// Gives slot `slot` of `object` in the object file at `path` a kind that the
// library never writes (4), which a read must refuse.
inline void give_slot_unknown_kind(const std::string& path, const std::string& object,
                                   const std::string& slot) {
  sqlite3* database = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &database), SQLITE_OK);
  const std::string sql = "PRAGMA ignore_check_constraints = 1; UPDATE slots SET kind = 4"
                          " WHERE object = '" + object + "' AND name = '" + slot + "';";
  EXPECT_EQ(sqlite3_exec(database, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(database);
}

}  // namespace diff::testing

#endif  // DIFF_TESTS_SUPPORT_DAMAGED_OBJECT_FILE_H_
