#include "schema_check.h"  // CheckSchema, CheckSlotOwnersAtEnds

#include <strings.h>  // strcasecmp: SQLite's names ignore ASCII case

#include <algorithm>  // std::find_if
#include <span>       // std::span of expected columns
#include <string>     // std::string
#include <vector>     // std::vector of columns found

#include "failure_text.h"    // Quoted, OrphanSlots, SqliteFailure
#include "sqlite_handles.h"  // Statement

namespace zozavi {
namespace {

// The columns of each table, as object_file.cc creates them.
constexpr const char* kObjectsColumns[] = {"id", "name"};
constexpr const char* kSlotsColumns[] = {"object", "name",   "seq",   "kind",
                                         "text",   "number", "units", "items"};

struct Column {
  std::string name;
  std::string type;
  int pk;  // position in the primary key from 1; 0 when not in it
};

bool SameName(std::string_view a, const char* b) {
  return strcasecmp(std::string(a).c_str(), b) == 0;
}

bool Damaged(std::string& error, const std::string& problem) {
  error = "damaged: " + problem;
  return false;
}

std::string TableName(const char* table) { return "table " + Quoted(table); }

// Runs `statement` to its end, calling `row` for each row; false with
// SQLite's failure in `error` when a step fails.
template <typename Row>
bool EachRow(sqlite3* db, Statement& statement, std::string& error, Row&& row) {
  int rc;
  while ((rc = statement.Step()) == SQLITE_ROW) row();
  if (rc == SQLITE_DONE) return true;
  error = SqliteFailure(db, rc, "cannot read");
  return false;
}

bool PrepareOrFail(sqlite3* db, Statement& statement, const char* sql, std::string& error) {
  if (statement.Prepare(db, sql)) return true;
  error = SqliteFailure(db, sqlite3_errcode(db), "cannot read");
  return false;
}

// The table `table` as SQLite lists it: its type ("table", "view"...) and
// whether it is WITHOUT ROWID. False when there is no such table or the
// query fails (`error` then tells which).
bool FindTable(sqlite3* db, const char* table, bool& without_rowid, std::string& error) {
  Statement query;
  if (!PrepareOrFail(db, query,
                     "SELECT type, wr FROM pragma_table_list"
                     " WHERE schema = 'main' AND name = ?1 COLLATE NOCASE",
                     error) ||
      !query.BindText(1, table)) {
    return false;
  }
  const int rc = query.Step();
  if (rc == SQLITE_DONE) return Damaged(error, "no " + TableName(table));
  if (rc != SQLITE_ROW) {
    error = SqliteFailure(db, rc, "cannot read");
    return false;
  }
  if (query.ColumnText(0) != "table") {
    return Damaged(error,
                   Quoted(table) + " is a " + std::string(query.ColumnText(0)) + ", not a table");
  }
  without_rowid = query.ColumnInt(1) != 0;
  return true;
}

// Reads the table's columns; false when they are not exactly `expected`.
bool CheckColumns(sqlite3* db, const char* table, std::span<const char* const> expected,
                  std::vector<Column>& columns, std::string& error) {
  Statement query;
  if (!PrepareOrFail(db, query, "SELECT name, type, pk FROM pragma_table_xinfo(?1)", error) ||
      !query.BindText(1, table)) {
    return false;
  }
  columns.clear();
  if (!EachRow(db, query, error, [&] {
        columns.push_back({std::string(query.ColumnText(0)), std::string(query.ColumnText(1)),
                           query.ColumnInt(2)});
      })) {
    return false;
  }
  for (const char* name : expected) {
    const auto found = std::find_if(columns.begin(), columns.end(), [&](const Column& column) {
      return SameName(column.name, name);
    });
    if (found == columns.end()) {
      return Damaged(error, TableName(table) + " has no column " + Quoted(name));
    }
  }
  for (const Column& column : columns) {
    const auto known = std::find_if(expected.begin(), expected.end(),
                                    [&](const char* name) { return SameName(column.name, name); });
    if (known == expected.end()) {
      return Damaged(error, TableName(table) + " has a column " + Quoted(column.name) +
                                " that object files do not have");
    }
  }
  return true;
}

const Column& ColumnNamed(const std::vector<Column>& columns, const char* name) {
  return *std::find_if(columns.begin(), columns.end(),
                       [&](const Column& column) { return SameName(column.name, name); });
}

// Whether the table has an index made by a constraint (`origin` "u" for
// UNIQUE, "pk" for PRIMARY KEY) whose keys are exactly `keys`, in order,
// ascending and compared byte for byte.
bool HasConstraintIndex(sqlite3* db, const char* table, const char* origin,
                        std::span<const char* const> keys, bool& found, std::string& error) {
  found = false;
  Statement indexes;
  if (!PrepareOrFail(db, indexes,
                     "SELECT name FROM pragma_index_list(?1)"
                     " WHERE \"unique\" = 1 AND origin = ?2 AND partial = 0",
                     error) ||
      !indexes.BindText(1, table) || !indexes.BindText(2, origin)) {
    return false;
  }
  std::vector<std::string> names;
  if (!EachRow(db, indexes, error, [&] { names.emplace_back(indexes.ColumnText(0)); })) {
    return false;
  }
  for (const std::string& index : names) {
    Statement columns;
    if (!PrepareOrFail(db, columns,
                       "SELECT name, \"desc\", coll FROM pragma_index_xinfo(?1) WHERE key = 1"
                       " ORDER BY seqno",
                       error) ||
        !columns.BindText(1, index)) {
      return false;
    }
    std::size_t matched = 0;
    bool exact = true;
    if (!EachRow(db, columns, error, [&] {
          exact = exact && matched < keys.size() && columns.ColumnType(0) == SQLITE_TEXT &&
                  SameName(columns.ColumnText(0), keys[matched]) && columns.ColumnInt(1) == 0 &&
                  SameName(columns.ColumnText(2), "BINARY");
          ++matched;
        })) {
      return false;
    }
    if (exact && matched == keys.size()) found = true;
  }
  return true;
}

bool CheckObjects(sqlite3* db, std::string& error) {
  static constexpr const char* kNameKey[] = {"name"};
  bool without_rowid = false;
  std::vector<Column> columns;
  if (!FindTable(db, "objects", without_rowid, error) ||
      !CheckColumns(db, "objects", kObjectsColumns, columns, error)) {
    return false;
  }
  // The id is the rowid, which numbers the objects in creation order.
  const Column& id = ColumnNamed(columns, "id");
  if (without_rowid || id.pk != 1 || !SameName(id.type, "INTEGER")) {
    return Damaged(error, "column \"id\" of table \"objects\" is not its INTEGER PRIMARY KEY");
  }
  bool unique = false;
  if (!HasConstraintIndex(db, "objects", "u", kNameKey, unique, error)) return false;
  if (!unique) return Damaged(error, "column \"name\" of table \"objects\" is not UNIQUE");
  return true;
}

bool CheckSlots(sqlite3* db, std::string& error) {
  static constexpr const char* kPrimaryKey[] = {"object", "name"};
  bool without_rowid = false;
  std::vector<Column> columns;
  if (!FindTable(db, "slots", without_rowid, error) ||
      !CheckColumns(db, "slots", kSlotsColumns, columns, error)) {
    return false;
  }
  bool keyed = false;
  if (!HasConstraintIndex(db, "slots", "pk", kPrimaryKey, keyed, error)) return false;
  if (!keyed) return Damaged(error, "table \"slots\" lacks its PRIMARY KEY (object, name)");
  if (!without_rowid) return Damaged(error, "table \"slots\" is not WITHOUT ROWID");
  return true;
}

}  // namespace

bool CheckSchema(sqlite3* db, std::string& error) {
  return CheckObjects(db, error) && CheckSlots(db, error);
}

bool CheckSlotOwnersAtEnds(sqlite3* db, std::string& error) {
  Statement query;
  if (!PrepareOrFail(db, query,
                     // Scalar subqueries, each one search of the key: min()
                     // and max() in a compound query would scan the table.
                     "SELECT owner FROM (SELECT (SELECT min(object) FROM slots) AS owner"
                     " UNION ALL SELECT (SELECT max(object) FROM slots))"
                     " WHERE owner IS NOT NULL"
                     " AND NOT EXISTS (SELECT 1 FROM objects WHERE name = owner)",
                     error)) {
    return false;
  }
  const int rc = query.Step();
  if (rc == SQLITE_DONE) return true;
  if (rc != SQLITE_ROW) {
    error = SqliteFailure(db, rc, "cannot read");
    return false;
  }
  return Damaged(error, OrphanSlots(query.ColumnText(0)));
}

}  // namespace zozavi
