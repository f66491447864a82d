#include "open_database.h"  // ObjectDatabase

#include <cstdint>   // std::uint32_t
#include <iterator>  // std::size
#include <limits>    // std::numeric_limits for the NaN read back

#include "object_file.h"  // InspectFile, CreateEmptyObjectFile, SqliteFileName, format constants

using zozavi::FileState;
using zozavi::OpenMode;
using zozavi::SlotKind;
using zozavi::SlotValueView;
using zozavi::StatementUse;

namespace {

// How long a statement waits for another connection's lock before failing.
constexpr int kBusyTimeoutMs = 5000;

// Page cache of a read-write connection: large enough that a difference
// database written in one transaction rarely spills to the file before Save.
constexpr char kWriteCacheSize[] = "PRAGMA cache_size = -65536";  // KiB

// A read-only connection maps its file rather than copying every page it
// reads through a system call into its own cache. SQLite caps the size at its
// build's limit; a file that never changes under the read transaction makes
// the mapping safe.
constexpr char kReadMapSize[] = "PRAGMA mmap_size = 1099511627776";  // bytes: 1 TiB

// The SQL of each ObjectDatabase::StatementId, in order. Slot lists use a
// LEFT JOIN so that an object without slots still answers with one row (of
// NULLs), which tells it apart from a missing object.
constexpr std::string_view kStatementSql[] = {
    // kListObjects
    "SELECT name FROM objects ORDER BY id",
    // kFindObject
    "SELECT id FROM objects WHERE name = ?1",
    // kAddObject
    "INSERT INTO objects (name) VALUES (?1) ON CONFLICT (name) DO NOTHING",
    // kListSlotNames
    "SELECT s.name FROM objects AS o LEFT JOIN slots AS s ON s.object_id = o.id"
    " WHERE o.name = ?1 ORDER BY s.seq",
    // kListSlots
    "SELECT s.name, s.kind, s.text, s.number, s.units, s.items"
    " FROM objects AS o LEFT JOIN slots AS s ON s.object_id = o.id"
    " WHERE o.name = ?1 ORDER BY s.seq",
    // kReadValue
    "SELECT s.kind, s.text, s.number, s.units, s.items"
    " FROM objects AS o JOIN slots AS s ON s.object_id = o.id AND s.name = ?2"
    " WHERE o.name = ?1",
    // kLastSeq
    "SELECT coalesce(max(seq), 0) FROM slots WHERE object_id = ?1",
    // kAddSlot: ?2 is the object's largest seq plus 1, so that a new slot
    // goes after the others; nothing happens when the slot exists.
    "INSERT INTO slots (object_id, seq, name, kind, text, number, units, items)"
    " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8) ON CONFLICT (object_id, name) DO NOTHING",
    // kReplaceValue: an existing slot keeps its position and takes the new value.
    "UPDATE slots SET kind = ?4, text = ?5, number = ?6, units = ?7, items = ?8"
    " WHERE object_id = ?1 AND name = ?3",
};

// Reads the value in the five columns from `first`: kind, text, number,
// units, items. Only the columns of the value's kind are fetched; those of
// the other kinds are NULL. False when the kind is none of ours.
bool ReadRowValue(const zozavi::Statement& row, int first, SlotValueView& value) {
  switch (row.ColumnInt(first)) {
    case static_cast<int>(SlotKind::kText):
      value.kind = SlotKind::kText;
      value.text = row.ColumnText(first + 1);
      return true;
    case static_cast<int>(SlotKind::kNumber):
      value.kind = SlotKind::kNumber;
      // SQLite stores a NaN as NULL.
      value.number = row.ColumnType(first + 2) == SQLITE_NULL
                         ? std::numeric_limits<double>::quiet_NaN()
                         : row.ColumnDouble(first + 2);
      value.units = row.ColumnText(first + 3);
      return true;
    case static_cast<int>(SlotKind::kList):
      value.kind = SlotKind::kList;
      value.items = row.ColumnBlob(first + 4);
      return true;
    default:
      return false;
  }
}

// Binds the slot's object id, seq and name and the value to the parameters
// of kAddSlot and kReplaceValue.
bool BindSlot(zozavi::Statement& statement, sqlite3_int64 object_id, sqlite3_int64 seq,
              std::string_view slot, const SlotValueView& value) {
  const bool is_text = value.kind == SlotKind::kText;
  const bool is_number = value.kind == SlotKind::kNumber;
  const bool has_units = is_number && !value.units.empty();
  const bool is_list = value.kind == SlotKind::kList;
  return statement.BindInt64(1, object_id) && statement.BindInt64(2, seq) &&
         statement.BindText(3, slot) && statement.BindInt(4, static_cast<int>(value.kind)) &&
         (is_text ? statement.BindText(5, value.text) : statement.BindNull(5)) &&
         (is_number ? statement.BindDouble(6, value.number) : statement.BindNull(6)) &&
         (has_units ? statement.BindText(7, value.units) : statement.BindNull(7)) &&
         (is_list ? statement.BindBlob(8, value.items) : statement.BindNull(8));
}

// Runs a statement answering one integer, such as a pragma.
bool QueryInt(sqlite3* db, const char* sql, int& result) {
  zozavi::Statement statement;
  if (!statement.Prepare(db, sql) || statement.Step() != SQLITE_ROW) return false;
  result = statement.ColumnInt(0);
  return true;
}

}  // namespace

std::unique_ptr<ObjectDatabase> ObjectDatabase::Open(const std::string& path, OpenMode mode) {
  const bool writable = mode == OpenMode::kReadWrite;
  const FileState state = zozavi::InspectFile(path);
  if (state == FileState::kAbsent && writable) {
    if (!zozavi::CreateEmptyObjectFile(path)) return nullptr;
  } else if (state != FileState::kObjectFile) {
    return nullptr;
  }
  std::unique_ptr<ObjectDatabase> database(new ObjectDatabase(writable));
  const int flags = (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOMUTEX;
  if (!database->connection_.Open(zozavi::SqliteFileName(path), flags) || !database->Configure() ||
      !database->HasOurFormat()) {
    return nullptr;
  }
  // One transaction from Open to Close: a read-only database reads a single
  // snapshot and takes the file's shared lock once rather than per call; a
  // read-write one makes all its writes durable together.
  if (!database->connection_.Execute("BEGIN")) return nullptr;
  return database;
}

bool ObjectDatabase::Configure() {
  if (sqlite3_busy_timeout(connection_.get(), kBusyTimeoutMs) != SQLITE_OK) return false;
  return connection_.Execute(writable_ ? kWriteCacheSize : kReadMapSize);
}

// The header was checked before opening; this reads it again through SQLite,
// which first plays back a journal left by a transaction that never ended.
bool ObjectDatabase::HasOurFormat() {
  int application_id = 0;
  int version = 0;
  return QueryInt(connection_.get(), "PRAGMA application_id", application_id) &&
         QueryInt(connection_.get(), "PRAGMA user_version", version) &&
         static_cast<std::uint32_t>(application_id) == zozavi::kApplicationId &&
         static_cast<std::uint32_t>(version) == zozavi::kFormatVersion;
}

bool ObjectDatabase::CanWriteNow() const {
  // SQLite rolls the transaction back by itself after some errors; writing on
  // outside it would make later writes durable one by one.
  return writable_ && connection_.InTransaction();
}

StatementUse ObjectDatabase::Use(StatementId id) {
  static_assert(std::size(kStatementSql) == kStatementCount, "one SQL text per statement");
  zozavi::Statement& statement = statements_[id];
  if (!statement.prepared() && !statement.Prepare(connection_.get(), kStatementSql[id])) {
    return StatementUse(nullptr);
  }
  return StatementUse(&statement);
}

ObjectDatabase::RecentObject* ObjectDatabase::Recent(std::string_view name) {
  if (!recent_.known || recent_.name != name || !connection_.InTransaction()) return nullptr;
  return &recent_;
}

void ObjectDatabase::Remember(std::string_view name, sqlite3_int64 id) {
  if (Recent(name) != nullptr) return;
  recent_.known = false;  // until the name is copied: an allocation may throw
  recent_.name.assign(name);
  recent_.id = id;
  recent_.last_seq_known = false;
  recent_.known = true;
}

bool ObjectDatabase::FindForWriting(std::string_view object) {
  if (Recent(object) == nullptr) {
    StatementUse query = Use(kFindObject);
    if (!query || !query->BindText(1, object) || query->Step() != SQLITE_ROW) return false;
    Remember(object, query->ColumnInt64(0));
  }
  if (recent_.last_seq_known) return true;
  StatementUse query = Use(kLastSeq);
  if (!query || !query->BindInt64(1, recent_.id) || query->Step() != SQLITE_ROW) return false;
  recent_.last_seq = query->ColumnInt64(0);
  recent_.last_seq_known = true;
  return true;
}

bool ObjectDatabase::Save() {
  if (!writable_) return true;
  if (!connection_.InTransaction()) return false;
  if (connection_.Execute("COMMIT")) return true;
  // A COMMIT that failed may leave the transaction open; end it here. Should
  // this fail too, closing the connection rolls back all the same.
  connection_.Execute("ROLLBACK");
  return false;
}

bool ObjectDatabase::CheckIntegrity(bool full) {
  zozavi::Statement check;
  if (!check.Prepare(connection_.get(), full ? "PRAGMA integrity_check" : "PRAGMA quick_check") ||
      check.Step() != SQLITE_ROW || check.ColumnText(0) != "ok") {
    return false;
  }
  return check.Step() == SQLITE_DONE;  // "ok" is the only row of a sound file
}

bool ObjectDatabase::ListObjects(CStrList& names) {
  StatementUse query = Use(kListObjects);
  if (!query) return false;
  names_.Clear();
  int rc;
  while ((rc = query->Step()) == SQLITE_ROW) names_.Add(query->ColumnText(0));
  return rc == SQLITE_DONE && names_.AppendTo(names);
}

bool ObjectDatabase::HasObject(std::string_view name) {
  if (Recent(name) != nullptr) return true;
  StatementUse query = Use(kFindObject);
  if (!query || !query->BindText(1, name) || query->Step() != SQLITE_ROW) return false;
  Remember(name, query->ColumnInt64(0));
  return true;
}

bool ObjectDatabase::AddObject(std::string_view name) {
  if (!CanWriteNow()) return false;
  if (Recent(name) != nullptr) return true;
  StatementUse insert = Use(kAddObject);
  if (!insert || !insert->BindText(1, name) || insert->Step() != SQLITE_DONE) return false;
  // The id is known only when the row is new, not when the name was there.
  if (sqlite3_changes(connection_.get()) > 0) {
    Remember(name, sqlite3_last_insert_rowid(connection_.get()));
  }
  return true;
}

bool ObjectDatabase::ListSlots(std::string_view object, CStrList& names, CStrList* values) {
  StatementUse query = Use(values != nullptr ? kListSlots : kListSlotNames);
  if (!query || !query->BindText(1, object)) return false;
  names_.Clear();
  values_.Clear();
  bool found = false;
  int rc;
  while ((rc = query->Step()) == SQLITE_ROW) {
    found = true;
    if (query->ColumnType(0) == SQLITE_NULL) continue;  // the object has no slots
    names_.Add(query->ColumnText(0));
    if (values == nullptr) continue;
    SlotValueView value;
    if (!ReadRowValue(*query, 1, value)) return false;
    text_form_.clear();
    zozavi::AppendTextForm(value, text_form_);
    values_.Add(text_form_);
  }
  if (rc != SQLITE_DONE || !found) return false;
  return names_.AppendTo(names) && (values == nullptr || values_.AppendTo(*values));
}

bool ObjectDatabase::ReadValue(std::string_view object, std::string_view slot,
                               CvxSlot::Value& value) {
  StatementUse query = Use(kReadValue);
  if (!query || !query->BindText(1, object) || !query->BindText(2, slot) ||
      query->Step() != SQLITE_ROW) {
    return false;
  }
  SlotValueView row;
  if (!ReadRowValue(*query, 0, row)) return false;
  value.Assign(row);
  return true;
}

bool ObjectDatabase::WriteValue(std::string_view object, std::string_view slot,
                                const SlotValueView& value) {
  // No row is inserted or updated when the object does not exist.
  if (!CanWriteNow() || !FindForWriting(object)) return false;
  const sqlite3_int64 new_seq = recent_.last_seq + 1;
  // A write that fails may have undone part of the transaction: the recent
  // object is looked up again next time.
  recent_.known = false;
  {
    StatementUse insert = Use(kAddSlot);
    if (!insert || !BindSlot(*insert, recent_.id, new_seq, slot, value) ||
        insert->Step() != SQLITE_DONE) {
      return false;
    }
  }
  if (sqlite3_changes(connection_.get()) > 0) {
    recent_.last_seq = new_seq;
  } else {
    StatementUse update = Use(kReplaceValue);
    if (!update || !BindSlot(*update, recent_.id, new_seq, slot, value) ||
        update->Step() != SQLITE_DONE || sqlite3_changes(connection_.get()) == 0) {
      return false;
    }
  }
  recent_.known = true;
  return true;
}
