// Owning wrappers for SQLite's connection and statement handles.
#ifndef HOSTLIBS_OBJDB_SQLITE_HANDLES_H_
#define HOSTLIBS_OBJDB_SQLITE_HANDLES_H_

#include <sqlite3.h>  // sqlite3, sqlite3_stmt

#include <cstddef>      // std::size_t
#include <string>       // std::string for paths
#include <string_view>  // std::string_view for texts and blobs

namespace zozavi {

// Settles SQLite's process-wide settings before anything in this library
// initializes SQLite: no memory statistics, whose process-wide mutex every
// allocation and free would take, contended by the threads reading ahead.
void ConfigureSqlite();

// A database connection. Closing it rolls back a transaction still open.
class Connection {
 public:
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection();

  // Opens the file at `path` with the sqlite3_open_v2 `flags` through the
  // VFS named `vfs` (null: the default one). False, with nothing open, on
  // failure.
  bool Open(const std::string& path, int flags, const char* vfs = nullptr);
  // Runs statements that return no rows. False on failure.
  bool Execute(const char* sql);
  // True while a transaction begun with BEGIN is open. SQLite ends one by
  // itself after some errors (a full disk, an I/O error).
  bool InTransaction() const;
  sqlite3* get() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// A column of a statement's current row, found once: reading its type,
// number or bytes through the value then costs no more lookups of the
// column. Valid until the statement's next Step or Reset, on its thread.
class ColumnValue {
 public:
  explicit ColumnValue(sqlite3_value* value) : value_(value) {}
  int Type() const { return sqlite3_value_type(value_); }
  sqlite3_int64 Int64() const { return sqlite3_value_int64(value_); }
  double Double() const { return sqlite3_value_double(value_); }
  std::string_view Text() const {
    // The pointer first, then the length, as SQLite asks.
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value_));
    const int length = sqlite3_value_bytes(value_);
    return text != nullptr ? std::string_view(text, static_cast<std::size_t>(length))
                           : std::string_view();
  }
  std::string_view Blob() const {
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value_));
    const int length = sqlite3_value_bytes(value_);
    return bytes != nullptr ? std::string_view(bytes, static_cast<std::size_t>(length))
                            : std::string_view();
  }

 private:
  sqlite3_value* value_;
};

// A prepared statement, reused across calls.
class Statement {
 public:
  Statement() = default;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  // Prepares `sql` for repeated use. False on failure.
  bool Prepare(sqlite3* db, std::string_view sql);
  bool prepared() const { return stmt_ != nullptr; }

  // Binders; parameters count from 1. The bound bytes must outlive the use.
  bool BindText(int index, std::string_view text);
  // Binds a copy of `text`, for a statement that outlives the caller's bytes.
  bool BindTextCopy(int index, std::string_view text);
  bool BindBlob(int index, std::string_view bytes);
  bool BindDouble(int index, double number);
  bool BindInt(int index, int number);
  bool BindInt64(int index, sqlite3_int64 number);
  bool BindNull(int index);

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step();
  // Ends a use: the statement releases its locks and can run again.
  void Reset();

  // Columns of the current row; they count from 0. Text and blob views stay
  // valid until the next Step or Reset.
  int ColumnType(int column) const;
  int ColumnInt(int column) const;
  sqlite3_int64 ColumnInt64(int column) const;
  double ColumnDouble(int column) const;
  std::string_view ColumnText(int column) const;
  std::string_view ColumnBlob(int column) const;
  // The column itself, for reading more than one thing of it.
  ColumnValue Column(int column) const { return ColumnValue(sqlite3_column_value(stmt_, column)); }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// One use of a prepared statement: resets it when the use ends, however it
// ends, so that no statement holds a lock between calls. Holds no statement
// when its preparation failed.
class StatementUse {
 public:
  explicit StatementUse(Statement* statement) : statement_(statement) {}
  StatementUse(const StatementUse&) = delete;
  StatementUse& operator=(const StatementUse&) = delete;
  ~StatementUse() {
    if (statement_ != nullptr) statement_->Reset();
  }

  explicit operator bool() const { return statement_ != nullptr; }
  Statement* operator->() const { return statement_; }
  Statement& operator*() const { return *statement_; }

 private:
  Statement* statement_;
};

}  // namespace zozavi

#endif  // HOSTLIBS_OBJDB_SQLITE_HANDLES_H_
