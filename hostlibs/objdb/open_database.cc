#include "open_database.h"  // ObjectDatabase

#include <sys/stat.h>  // stat, for the identity of a file read

#include <algorithm>  // std::is_sorted, std::sort of gathered rows
#include <cstdint>    // std::uint32_t
#include <iterator>   // std::size
#include <numeric>    // std::iota
#include <span>       // std::span of rows read ahead
#include <utility>    // std::move

#include "object_file.h"  // InspectFile, CreateEmptyObjectFile, SqliteFileName, format constants
#include "slot_rows.h"    // kScanSlotsSql, ReadRowValue

using zozavi::FileState;
using zozavi::OpenMode;
using zozavi::SlotKind;
using zozavi::SlotValueView;
using zozavi::StatementUse;

namespace {

// The SQL of each ObjectDatabase::StatementId, in order.
constexpr std::string_view kStatementSql[] = {
    // kListObjects
    "SELECT name FROM objects ORDER BY id",
    // kFindObject
    "SELECT 1 FROM objects WHERE name = ?1",
    // kAddObject
    "INSERT INTO objects (name) VALUES (?1) ON CONFLICT (name) DO NOTHING",
    // kScanSlots
    zozavi::kScanSlotsSql,
    // kScanSlotNames: kScanSlots without the values.
    "SELECT object, name, seq FROM slots WHERE object >= ?1 ORDER BY object, name",
    // kReadValue
    "SELECT kind, text, number, units, items FROM slots WHERE object = ?1 AND name = ?2",
    // kLastSeq
    "SELECT coalesce(max(seq), 0) FROM slots WHERE object = ?1",
    // kAddSlot: ?3 is the object's largest seq plus 1, so that a new slot
    // goes after the others; nothing happens when the slot exists.
    "INSERT INTO slots (object, name, seq, kind, text, number, units, items)"
    " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8) ON CONFLICT (object, name) DO NOTHING",
    // kReplaceValue: an existing slot keeps its seq and takes the new value.
    "UPDATE slots SET kind = ?4, text = ?5, number = ?6, units = ?7, items = ?8"
    " WHERE object = ?1 AND name = ?2",
};

// Reads in a row in name order after which a read-only database first reads
// ahead; each read-ahead ended by a read that goes back doubles it, so that
// reads in an order that is nearly but not quite the name order do not start
// one read-ahead after another.
constexpr std::size_t kFirstReadAheadAfter = 64;

// Bounds the objects a read-write database remembers writing to.
constexpr std::size_t kMaxWrittenObjects = 65536;

// Binds the slot's object, name and seq and the value to the parameters of
// kAddSlot and kReplaceValue.
bool BindSlot(zozavi::Statement& statement, std::string_view object, std::string_view slot,
              sqlite3_int64 seq, const SlotValueView& value) {
  const bool is_text = value.kind == SlotKind::kText;
  const bool is_number = value.kind == SlotKind::kNumber;
  const bool has_units = is_number && !value.units.empty();
  const bool is_list = value.kind == SlotKind::kList;
  return statement.BindText(1, object) && statement.BindText(2, slot) &&
         statement.BindInt64(3, seq) && statement.BindInt(4, static_cast<int>(value.kind)) &&
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

ObjectDatabase::ObjectDatabase(bool writable, std::string path)
    : writable_(writable), path_(std::move(path)), read_ahead_after_(kFirstReadAheadAfter) {}

std::unique_ptr<ObjectDatabase> ObjectDatabase::Open(const std::string& path, OpenMode mode) {
  const bool writable = mode == OpenMode::kReadWrite;
  const FileState state = zozavi::InspectFile(path);
  if (state == FileState::kAbsent && writable) {
    if (!zozavi::CreateEmptyObjectFile(path)) return nullptr;
  } else if (state != FileState::kObjectFile) {
    return nullptr;
  }
  std::unique_ptr<ObjectDatabase> database(new ObjectDatabase(writable, path));
  const int flags = (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOMUTEX;
  if (!database->connection_.Open(zozavi::SqliteFileName(path), flags) || !database->Configure() ||
      !database->HasOurFormat()) {
    return nullptr;
  }
  // One transaction from Open to Close: a read-only database reads a single
  // snapshot and takes the file's shared lock once rather than per call; a
  // read-write one makes all its writes durable together.
  if (!database->connection_.Execute("BEGIN")) return nullptr;
  struct stat info {};
  if (!writable && stat(path.c_str(), &info) == 0) {
    database->identity_ = zozavi::FileIdentity{info.st_dev, info.st_ino};
    database->may_read_ahead_ = true;
  }
  return database;
}

bool ObjectDatabase::Configure() {
  return zozavi::ConfigureConnection(connection_, writable_ ? OpenMode::kReadWrite : OpenMode::kReadOnly);
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

zozavi::Statement* ObjectDatabase::Prepared(StatementId id) {
  static_assert(std::size(kStatementSql) == kStatementCount, "one SQL text per statement");
  zozavi::Statement& statement = statements_[id];
  if (!statement.prepared() && !statement.Prepare(connection_.get(), kStatementSql[id])) {
    return nullptr;
  }
  return &statement;
}

StatementUse ObjectDatabase::Use(StatementId id) { return StatementUse(Prepared(id)); }

sqlite3_int64* ObjectDatabase::WrittenObject(std::string_view name) {
  if (!connection_.InTransaction()) return nullptr;
  const auto found = written_objects_.find(name);
  return found != written_objects_.end() ? &found->second : nullptr;
}

sqlite3_int64& ObjectDatabase::RememberWritten(std::string_view name, sqlite3_int64 last_seq) {
  if (written_objects_.size() >= kMaxWrittenObjects) written_objects_.clear();
  return written_objects_.insert_or_assign(std::string(name), last_seq).first->second;
}

sqlite3_int64* ObjectDatabase::LastSeqForWriting(std::string_view object) {
  if (sqlite3_int64* last_seq = WrittenObject(object)) return last_seq;
  {
    StatementUse query = Use(kFindObject);
    if (!query || !query->BindText(1, object) || query->Step() != SQLITE_ROW) return nullptr;
  }
  StatementUse query = Use(kLastSeq);
  if (!query || !query->BindText(1, object) || query->Step() != SQLITE_ROW) return nullptr;
  return &RememberWritten(object, query->ColumnInt64(0));
}

bool ObjectDatabase::SeekSlots(Scan scan, std::string_view object) {
  zozavi::Statement* statement = Prepared(kScanStatements[scan]);
  if (statement == nullptr) return false;
  if (scan_on_row_[scan] && statement->ColumnText(0) == object) return true;
  EndSlotScan(scan);
  // A copy: the bound name outlives this call while the scan goes on.
  return statement->BindTextCopy(1, object) && StepSlots(scan);
}

bool ObjectDatabase::StepSlots(Scan scan) {
  const int rc = statements_[kScanStatements[scan]].Step();
  scan_on_row_[scan] = rc == SQLITE_ROW;
  if (rc == SQLITE_ROW || rc == SQLITE_DONE) return true;
  EndSlotScan(scan);
  return false;
}

void ObjectDatabase::EndSlotScan(Scan scan) {
  scan_on_row_[scan] = false;
  statements_[kScanStatements[scan]].Reset();
}

void ObjectDatabase::EndSlotScans() {
  EndSlotScan(kWithValues);
  EndSlotScan(kNamesOnly);
}

bool ObjectDatabase::Save() {
  if (!writable_) return true;
  if (!connection_.InTransaction()) return false;
  EndSlotScans();
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
  if (WrittenObject(name) != nullptr) return true;
  StatementUse query = Use(kFindObject);
  return query && query->BindText(1, name) && query->Step() == SQLITE_ROW;
}

bool ObjectDatabase::AddObject(std::string_view name) {
  if (!CanWriteNow()) return false;
  if (WrittenObject(name) != nullptr) return true;
  EndSlotScans();
  StatementUse insert = Use(kAddObject);
  if (!insert || !insert->BindText(1, name) || insert->Step() != SQLITE_DONE) return false;
  // A new object has no slots yet; one that was there is looked up when
  // written to.
  if (sqlite3_changes(connection_.get()) > 0) RememberWritten(name, 0);
  return true;
}

bool ObjectDatabase::ListSlots(std::string_view object, CStrList& names, CStrList* values) {
  if (values != nullptr && UseReadAhead(object)) {
    std::span<const zozavi::ReadAheadRow> rows;
    const char* bytes = nullptr;
    const zozavi::SlotReadAhead::Result result = read_ahead_->Take(object, rows, bytes);
    bool listed = false;
    switch (result) {
      case zozavi::SlotReadAhead::Result::kFound:
        listed = AppendReadAhead(rows, bytes, names, *values);
        break;
      case zozavi::SlotReadAhead::Result::kNoSlots:
        listed = HasObject(object);
        break;
      case zozavi::SlotReadAhead::Result::kCannotServe:
        break;
    }
    // Reads that pass over most objects are served better one by one: the
    // read-ahead neither goes on nor starts again.
    if (read_ahead_->sparse()) may_read_ahead_ = false;
    if (result != zozavi::SlotReadAhead::Result::kCannotServe) {
      if (!may_read_ahead_) read_ahead_.reset();
      return listed;
    }
    read_ahead_.reset();  // read here instead
    last_read_.assign(object);
    ascending_reads_ = 0;
    read_ahead_after_ *= 2;
  }
  names_.Clear();
  values_.Clear();
  seqs_.clear();
  const Scan scan = values != nullptr ? kWithValues : kNamesOnly;
  if (!SeekSlots(scan, object)) return false;
  // Left on a row only where an object's slots begin, so that nothing thrown
  // halfway leaves the scan inside an object.
  bool on_row = scan_on_row_[scan];
  scan_on_row_[scan] = false;
  const zozavi::Statement& row = statements_[kScanStatements[scan]];
  while (on_row && row.ColumnText(zozavi::kScanObjectColumn) == object) {
    names_.Add(row.ColumnText(zozavi::kScanNameColumn));
    seqs_.push_back(row.ColumnInt64(zozavi::kScanSeqColumn));
    if (values != nullptr) {
      SlotValueView value;
      if (!zozavi::ReadRowValue(row, zozavi::kScanValueColumn, value)) {
        EndSlotScan(scan);
        return false;
      }
      text_form_.clear();
      zozavi::AppendTextForm(value, text_form_);
      values_.Add(text_form_);
    }
    if (!StepSlots(scan)) return false;
    on_row = scan_on_row_[scan];
    scan_on_row_[scan] = false;
  }
  scan_on_row_[scan] = on_row;
  // An object without slots has no rows; a slot's object always exists.
  if (seqs_.empty()) return HasObject(object);
  OrderBySeq();
  return names_.AppendTo(names, order_) && (values == nullptr || values_.AppendTo(*values, order_));
}

bool ObjectDatabase::UseReadAhead(std::string_view object) {
  if (read_ahead_ != nullptr) return true;
  if (!may_read_ahead_) return false;
  ascending_reads_ = std::string_view(last_read_) < object ? ascending_reads_ + 1 : 0;
  last_read_.assign(object);
  if (ascending_reads_ < read_ahead_after_) return false;
  EndSlotScan(kWithValues);
  read_ahead_ = zozavi::SlotReadAhead::Start(path_, identity_, object);
  // Should it not start, it is not tried again.
  may_read_ahead_ = read_ahead_ != nullptr;
  return may_read_ahead_;
}

bool ObjectDatabase::AppendReadAhead(std::span<const zozavi::ReadAheadRow> rows,
                                     const char* bytes, CStrList& names, CStrList& values) {
  seqs_.clear();
  for (const zozavi::ReadAheadRow& row : rows) seqs_.push_back(row.seq);
  OrderBySeq();
  for (const std::uint32_t position : order_) {
    if (names.Append(bytes + rows[position].name) == 0 ||
        values.Append(bytes + rows[position].value) == 0) {
      return false;
    }
  }
  return true;
}

void ObjectDatabase::OrderBySeq() {
  // Rows come in slot-name order; the lists take them in creation order.
  order_.resize(seqs_.size());
  std::iota(order_.begin(), order_.end(), std::uint32_t{0});
  if (!std::is_sorted(seqs_.begin(), seqs_.end())) {
    std::sort(order_.begin(), order_.end(),
              [this](std::uint32_t x, std::uint32_t y) { return seqs_[x] < seqs_[y]; });
  }
}

bool ObjectDatabase::ReadValue(std::string_view object, std::string_view slot,
                               CvxSlot::Value& value) {
  StatementUse query = Use(kReadValue);
  if (!query || !query->BindText(1, object) || !query->BindText(2, slot) ||
      query->Step() != SQLITE_ROW) {
    return false;
  }
  SlotValueView row;
  if (!zozavi::ReadRowValue(*query, 0, row)) return false;
  value.Assign(row);
  return true;
}

bool ObjectDatabase::WriteValue(std::string_view object, std::string_view slot,
                                const SlotValueView& value) {
  if (!CanWriteNow()) return false;
  EndSlotScans();
  // No row is inserted or updated when the object does not exist.
  sqlite3_int64* last_seq = LastSeqForWriting(object);
  if (last_seq == nullptr) return false;
  const sqlite3_int64 new_seq = *last_seq + 1;
  bool added = false;
  bool written;
  {
    StatementUse insert = Use(kAddSlot);
    written = insert && BindSlot(*insert, object, slot, new_seq, value) &&
              insert->Step() == SQLITE_DONE;
    added = written && sqlite3_changes(connection_.get()) > 0;
  }
  if (written && !added) {
    StatementUse update = Use(kReplaceValue);
    written = update && BindSlot(*update, object, slot, new_seq, value) &&
              update->Step() == SQLITE_DONE && sqlite3_changes(connection_.get()) > 0;
  }
  if (!written) {
    // A write that fails may have undone part of the transaction.
    written_objects_.clear();
    return false;
  }
  if (added) *last_seq = new_seq;
  return true;
}
