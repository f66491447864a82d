#include "sqlite_handles.h"  // Connection, Statement

namespace zozavi {

void ConfigureSqlite() {
  // Once, whatever the threads. SQLite refuses the setting once initialized
  // (by another library in the process): it then keeps its statistics, which
  // costs only speed.
  static const int rc = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  static_cast<void>(rc);
}

Connection::~Connection() {
  // close_v2 cannot fail for a valid handle; statements are finalized first by
  // their owners, and any left would only delay the close.
  sqlite3_close_v2(db_);
}

bool Connection::Open(const std::string& path, int flags, const char* vfs) {
  ConfigureSqlite();
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_EXRESCODE, vfs);
  if (rc != SQLITE_OK) {
    sqlite3_close_v2(db);  // a failed open may still return a handle
    return false;
  }
  sqlite3_close_v2(db_);
  db_ = db;
  return true;
}

bool Connection::Execute(const char* sql) {
  return db_ != nullptr && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool Connection::InTransaction() const {
  return db_ != nullptr && sqlite3_get_autocommit(db_) == 0;
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

bool Statement::Prepare(sqlite3* db, std::string_view sql) {
  sqlite3_stmt* stmt = nullptr;
  const int rc = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                    SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  if (rc != SQLITE_OK || stmt == nullptr) {
    sqlite3_finalize(stmt);
    return false;
  }
  sqlite3_finalize(stmt_);
  stmt_ = stmt;
  return true;
}

namespace {

bool BindTextWith(sqlite3_stmt* stmt, int index, std::string_view text,
                  sqlite3_destructor_type lifetime) {
  // A null pointer would bind NULL; an empty text must stay a text.
  const char* bytes = text.data() != nullptr ? text.data() : "";
  return sqlite3_bind_text64(stmt, index, bytes, text.size(), lifetime, SQLITE_UTF8) == SQLITE_OK;
}

}  // namespace

bool Statement::BindText(int index, std::string_view text) {
  return BindTextWith(stmt_, index, text, SQLITE_STATIC);
}

bool Statement::BindTextCopy(int index, std::string_view text) {
  return BindTextWith(stmt_, index, text, SQLITE_TRANSIENT);
}

bool Statement::BindBlob(int index, std::string_view bytes) {
  // As for texts: an empty blob is not NULL.
  const char* data = bytes.data() != nullptr ? bytes.data() : "";
  return sqlite3_bind_blob64(stmt_, index, data, bytes.size(), SQLITE_STATIC) == SQLITE_OK;
}

bool Statement::BindDouble(int index, double number) {
  return sqlite3_bind_double(stmt_, index, number) == SQLITE_OK;
}

bool Statement::BindInt(int index, int number) {
  return sqlite3_bind_int(stmt_, index, number) == SQLITE_OK;
}

bool Statement::BindInt64(int index, sqlite3_int64 number) {
  return sqlite3_bind_int64(stmt_, index, number) == SQLITE_OK;
}

bool Statement::BindNull(int index) { return sqlite3_bind_null(stmt_, index) == SQLITE_OK; }

int Statement::Step() { return sqlite3_step(stmt_); }

void Statement::Reset() {
  // reset repeats the last step's error, which the step already reported.
  sqlite3_reset(stmt_);
}

int Statement::ColumnType(int column) const { return sqlite3_column_type(stmt_, column); }

int Statement::ColumnInt(int column) const { return sqlite3_column_int(stmt_, column); }

sqlite3_int64 Statement::ColumnInt64(int column) const {
  return sqlite3_column_int64(stmt_, column);
}

double Statement::ColumnDouble(int column) const { return sqlite3_column_double(stmt_, column); }

std::string_view Statement::ColumnText(int column) const {
  // The pointer first, then the length, as SQLite asks.
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  const int length = sqlite3_column_bytes(stmt_, column);
  return text != nullptr ? std::string_view(text, static_cast<std::size_t>(length))
                         : std::string_view();
}

std::string_view Statement::ColumnBlob(int column) const {
  const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
  const int length = sqlite3_column_bytes(stmt_, column);
  return bytes != nullptr ? std::string_view(bytes, static_cast<std::size_t>(length))
                          : std::string_view();
}

}  // namespace zozavi
