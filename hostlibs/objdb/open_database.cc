#include "open_database.h"  // ObjectDatabase

#include <sys/stat.h>  // stat, for the identity of a file read

#include <algorithm>  // std::is_sorted, std::sort of gathered rows, std::lower_bound
#include <cstdint>    // std::uint32_t
#include <iterator>   // std::size
#include <numeric>    // std::iota
#include <span>       // std::span of rows read ahead
#include <utility>    // std::move, std::swap

#include "failure_text.h"  // AppendEscaped, ObjectPlace, SlotPlace, OrphanSlots, SqliteFailure
#include "object_file.h"   // InspectFile, RefusalReason, CreateEmptyObjectFile, SqliteFileName
#include "schema_check.h"  // CheckSchema, CheckSlotOwnersAtEnds
#include "slot_rows.h"     // kScanSlotsSql, ReadRowValue, ReadRowText
#include "strict_read_vfs.h"  // StrictReadVfs

using zozavi::FileState;
using zozavi::OpenMode;
using zozavi::SlotKind;
using zozavi::SlotValueView;
using zozavi::StatementUse;

namespace {

// The SQL of each ObjectDatabase::StatementId, in order.
constexpr std::string_view kStatementSql[] = {
    // kListObjects
    "SELECT name, id FROM objects ORDER BY id",
    // kFindObject
    "SELECT 1 FROM objects WHERE name = ?1",
    // kAddObject
    "INSERT INTO objects (name) VALUES (?1) ON CONFLICT (name) DO NOTHING",
    // kScanSlots
    zozavi::kScanSlotsSql,
    // kScanSlotNames: kScanSlots without the values.
    "SELECT object, name, seq FROM slots WHERE object >= ?1 ORDER BY object, name",
    // kReadValue: the last column tells whether the slot's object exists.
    "SELECT s.kind, s.text, s.number, s.units, s.items, o.name IS NOT NULL"
    " FROM slots AS s LEFT JOIN objects AS o ON o.name = s.object"
    " WHERE s.object = ?1 AND s.name = ?2",
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

// Searches of the objects table after which a read-only database that has
// listed every object sorts the list and searches that instead: sorting
// 100,000 names costs about as much as a few thousand searches.
constexpr std::size_t kLookupsBeforeSorting = 1024;

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

// Runs a statement answering one integer, such as a pragma. SQLITE_ROW, or
// the failure.
int QueryInt(sqlite3* db, const char* sql, int& result) {
  zozavi::Statement statement;
  if (!statement.Prepare(db, sql)) return sqlite3_extended_errcode(db);
  const int rc = statement.Step();
  if (rc == SQLITE_ROW) result = statement.ColumnInt(0);
  return rc;
}

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

}  // namespace

ObjectDatabase::ObjectDatabase(bool writable, std::string path)
    : writable_(writable), path_(std::move(path)), read_ahead_after_(kFirstReadAheadAfter) {}

std::unique_ptr<ObjectDatabase> ObjectDatabase::Open(const std::string& path, OpenMode mode,
                                                     std::string& error) {
  const bool writable = mode == OpenMode::kReadWrite;
  const zozavi::FileInspection inspection = zozavi::InspectFile(path);
  if (inspection.state == FileState::kAbsent && writable) {
    if (!zozavi::CreateEmptyObjectFile(path, error)) return nullptr;
  } else if (inspection.state != FileState::kObjectFile) {
    error = zozavi::RefusalReason(inspection);
    return nullptr;
  }
  std::unique_ptr<ObjectDatabase> database(new ObjectDatabase(writable, path));
  const int flags = (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_NOMUTEX;
  // A read-only connection reads through the strict VFS: a read that the
  // end of the file cuts short fails rather than giving zeros.
  if (!database->connection_.Open(zozavi::SqliteFileName(path), flags,
                                  writable ? nullptr : zozavi::StrictReadVfs())) {
    error = "cannot be opened";
    return nullptr;
  }
  // One transaction from Open to Close: a read-only database reads a single
  // snapshot and takes the file's shared lock once rather than per call; a
  // read-write one makes all its writes durable together. The checks run
  // in it, so that they see the content that is read afterwards.
  if (!database->Configure() || !database->connection_.Execute("BEGIN")) {
    error = zozavi::SqliteFailure(database->connection_.get(),
                                  sqlite3_extended_errcode(database->connection_.get()),
                                  "cannot be opened");
    return nullptr;
  }
  sqlite3* db = database->connection_.get();
  if (!database->HasOurFormat() || !zozavi::CheckSchema(db, database->error_) ||
      !zozavi::CheckSlotOwnersAtEnds(db, database->error_)) {
    error = std::move(database->error_);
    return nullptr;
  }
  struct stat info {};
  if (!writable && stat(path.c_str(), &info) == 0) {
    database->identity_ = zozavi::FileIdentity{info.st_dev, info.st_ino, info.st_size};
    database->identity_known_ = true;
    database->may_read_ahead_ = true;
  }
  return database;
}

bool ObjectDatabase::Configure() {
  return zozavi::ConfigureConnection(connection_,
                                     writable_ ? OpenMode::kReadWrite : OpenMode::kReadOnly,
                                     writable_ && zozavi::InScratchFolder(path_));
}

// The header was checked before opening; this reads it again through SQLite,
// which first plays back a journal left by a transaction that never ended;
// a read-only connection, which never writes, refuses to read such a file.
bool ObjectDatabase::HasOurFormat() {
  int application_id = 0;
  int version = 0;
  int rc = QueryInt(connection_.get(), "PRAGMA application_id", application_id);
  if (rc == SQLITE_ROW) rc = QueryInt(connection_.get(), "PRAGMA user_version", version);
  if (rc == SQLITE_READONLY_ROLLBACK) {
    std::string journal;
    zozavi::AppendEscaped(BaseName(path_) + "-journal", journal);
    return Fail("holds an interrupted write (hot journal " + journal +
                ") that a read-write open rolls back");
  }
  if (rc != SQLITE_ROW) return Fail(zozavi::SqliteFailure(connection_.get(), rc, "cannot read"));
  // The file may have been replaced since its header was read.
  zozavi::FileInspection found;
  found.state = static_cast<std::uint32_t>(application_id) != zozavi::kApplicationId
                    ? FileState::kForeign
                    : static_cast<std::uint32_t>(version) != zozavi::kFormatVersion
                          ? FileState::kOtherVersion
                          : FileState::kObjectFile;
  found.version = static_cast<std::uint32_t>(version);
  return found.state == FileState::kObjectFile || Fail(zozavi::RefusalReason(found));
}

bool ObjectDatabase::CanWriteNow() {
  if (!writable_) return Fail("the database is open read-only");
  // SQLite rolls the transaction back by itself after some errors; writing on
  // outside it would make later writes durable one by one.
  return connection_.InTransaction() ||
         Fail("an earlier write failed and undid the writes since Open; nothing more is written");
}

bool ObjectDatabase::Fail(std::string error) {
  error_ = std::move(error);
  return false;
}

bool ObjectDatabase::FailDamaged(const std::string& what) {
  // Rows that look damaged may be pages cut off a file that shrank.
  return Fail(identity_known_ ? zozavi::DamageFailure(what, path_, identity_) : "damaged: " + what);
}

bool ObjectDatabase::FailStatement(int rc, const char* action) {
  return Fail(identity_known_ ? zozavi::ReadFailure(connection_.get(), rc, path_, identity_)
                              : zozavi::SqliteFailure(connection_.get(), rc, action));
}

int ObjectDatabase::FindObject(std::string_view object) {
  if (listed_ && ++lookups_ > kLookupsBeforeSorting) {
    if (sorted_objects_.empty()) SortListedObjects();
    return std::binary_search(sorted_objects_.begin(), sorted_objects_.end(), object) ? 1 : 0;
  }
  StatementUse query = Use(kFindObject);
  if (!query) return -1;
  if (!query->BindText(1, object)) {
    FailStatement(sqlite3_extended_errcode(connection_.get()));
    return -1;
  }
  const int rc = query->Step();
  if (rc == SQLITE_ROW) return 1;
  if (rc == SQLITE_DONE) return 0;
  FailStatement(rc);
  return -1;
}

zozavi::Statement* ObjectDatabase::Prepared(StatementId id) {
  static_assert(std::size(kStatementSql) == kStatementCount, "one SQL text per statement");
  zozavi::Statement& statement = statements_[id];
  if (!statement.prepared() && !statement.Prepare(connection_.get(), kStatementSql[id])) {
    FailStatement(sqlite3_extended_errcode(connection_.get()));
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
  if (FindObject(object) != 1) return nullptr;
  StatementUse query = Use(kLastSeq);
  if (!query) return nullptr;
  const int rc =
      query->BindText(1, object) ? query->Step() : sqlite3_extended_errcode(connection_.get());
  if (rc != SQLITE_ROW) {
    FailStatement(rc);
    return nullptr;
  }
  return &RememberWritten(object, query->ColumnInt64(0));
}

bool ObjectDatabase::SeekSlots(Scan scan, std::string_view object) {
  zozavi::Statement* statement = Prepared(kScanStatements[scan]);
  if (statement == nullptr) return false;
  if (scan_on_row_[scan] && statement->ColumnText(0) == object) return true;
  EndSlotScan(scan);
  // A copy: the bound name outlives this call while the scan goes on.
  if (!statement->BindTextCopy(1, object)) {
    return FailStatement(sqlite3_extended_errcode(connection_.get()));
  }
  return StepSlots(scan);
}

bool ObjectDatabase::StepSlots(Scan scan) {
  const int rc = statements_[kScanStatements[scan]].Step();
  scan_on_row_[scan] = rc == SQLITE_ROW;
  if (rc == SQLITE_ROW || rc == SQLITE_DONE) return true;
  FailStatement(rc);  // before the reset, which may change SQLite's message
  EndSlotScan(scan);
  return false;
}

void ObjectDatabase::SortListedObjects() {
  sorted_objects_.reserve(objects_.size());
  for (std::size_t position = 0; position < objects_.size(); ++position) {
    sorted_objects_.push_back(objects_[position]);
  }
  // Object files list objects in creation order, often the name order.
  if (!std::is_sorted(sorted_objects_.begin(), sorted_objects_.end())) {
    std::sort(sorted_objects_.begin(), sorted_objects_.end());
  }
}

bool ObjectDatabase::CheckOwner(std::string_view owner) {
  if (!owner.empty() && (owner == owners_found_[0] || owner == owners_found_[1])) return true;
  const int found = FindObject(owner);
  if (found == 0) return FailDamaged(zozavi::OrphanSlots(owner));
  if (found < 0) return false;
  owners_found_[next_owner_found_].assign(owner);
  next_owner_found_ ^= 1;
  return true;
}

bool ObjectDatabase::CheckNextOwner(Scan scan) {
  const zozavi::Statement& row = statements_[kScanStatements[scan]];
  std::string_view owner;
  if (zozavi::ReadRowText(row, zozavi::kScanObjectColumn, "the object of a slot", owner,
                          problem_)
          ? CheckOwner(owner)
          : FailDamaged(problem_)) {
    return true;
  }
  EndSlotScan(scan);  // after the failure is worded: it ends the row's texts
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
  names_listed_ = false;
  if (!writable_) return true;
  if (!connection_.InTransaction()) {
    return Fail("an earlier write failed and undid the writes since Open; nothing was saved");
  }
  EndSlotScans();
  if (connection_.Execute("COMMIT")) return true;
  Fail(zozavi::SqliteFailure(connection_.get(), sqlite3_extended_errcode(connection_.get()),
                             "cannot save"));
  // A COMMIT that failed may leave the transaction open; end it here. Should
  // this fail too, closing the connection rolls back all the same.
  connection_.Execute("ROLLBACK");
  return false;
}

bool ObjectDatabase::CheckIntegrity(bool full) {
  zozavi::Statement check;
  if (!check.Prepare(connection_.get(), full ? "PRAGMA integrity_check" : "PRAGMA quick_check")) {
    return FailStatement(sqlite3_extended_errcode(connection_.get()));
  }
  const int rc = check.Step();
  if (rc != SQLITE_ROW) return FailStatement(rc);
  if (check.ColumnText(0) == "ok" && check.Step() == SQLITE_DONE) return true;  // "ok" alone
  // The first finding, without the heading SQLite puts before the findings
  // of a B-tree's pages: "On tree page 12 cell 70: Offset 33423 out of range".
  std::string_view first = check.ColumnText(0);
  constexpr std::string_view kHeading = "*** in database main ***\n";
  if (first.starts_with(kHeading)) first.remove_prefix(kHeading.size());
  first = first.substr(0, first.find('\n'));
  std::string finding = "damaged: ";
  zozavi::AppendEscaped(first, finding);
  return Fail(std::move(finding));
}

bool ObjectDatabase::ListObjects(CStrList& names) {
  StatementUse query = Use(kListObjects);
  if (!query) return false;
  // The listing replaces the one that the sorted names point into.
  listed_ = false;
  sorted_objects_.clear();
  lookups_ = 0;
  objects_.Clear();
  int rc;
  while ((rc = query->Step()) == SQLITE_ROW) {
    std::string_view name;
    if (!zozavi::ReadRowText(*query, 0, "name", name, problem_)) {
      return FailDamaged("object with id " + std::to_string(query->ColumnInt64(1)) + ": " +
                         problem_);
    }
    objects_.Add(name);
  }
  if (rc != SQLITE_DONE) return FailStatement(rc);
  // A read-only database reads one snapshot: the listing stays complete.
  listed_ = !writable_;
  return objects_.AppendTo(names) || Fail("out of memory");
}

bool ObjectDatabase::HasObject(std::string_view name) {
  return WrittenObject(name) != nullptr || FindObject(name) == 1;
}

bool ObjectDatabase::AddObject(std::string_view name) {
  names_listed_ = false;
  if (!CanWriteNow()) return false;
  if (WrittenObject(name) != nullptr) return true;
  EndSlotScans();
  StatementUse insert = Use(kAddObject);
  if (!insert) return false;
  const int rc =
      insert->BindText(1, name) ? insert->Step() : sqlite3_extended_errcode(connection_.get());
  if (rc != SQLITE_DONE) return FailStatement(rc, "cannot write");
  // A new object has no slots yet; one that was there is looked up when
  // written to.
  if (sqlite3_changes(connection_.get()) > 0) RememberWritten(name, 0);
  return true;
}

template <typename Visit>
bool ObjectDatabase::ScanSlots(Scan scan, std::string_view object, Visit visit) {
  if (!SeekSlots(scan, object)) return false;
  // Left on a row only where an object's slots begin, so that nothing thrown
  // halfway leaves the scan inside an object.
  bool on_row = scan_on_row_[scan];
  scan_on_row_[scan] = false;
  const zozavi::Statement& row = statements_[kScanStatements[scan]];
  bool any = false;
  while (on_row && zozavi::RowOwnedBy(row, object)) {
    std::string_view name;
    SlotValueView value;
    if (!zozavi::ReadRowText(row, zozavi::kScanNameColumn, "a slot's name", name, problem_)) {
      FailDamaged(zozavi::ObjectPlace(object) + ": " + problem_);
      EndSlotScan(scan);  // after the failure is worded: it ends the row's texts
      return false;
    }
    if (any && name <= previous_slot_) {
      FailDamaged(zozavi::SlotPlace(object, name) + ": " + zozavi::kSlotOutOfOrder);
      EndSlotScan(scan);
      return false;
    }
    previous_slot_.assign(name);
    if (scan == kWithValues &&
        !zozavi::ReadRowValue(row, zozavi::kScanValueColumn, value, problem_)) {
      FailDamaged(zozavi::SlotPlace(object, name) + ": " + problem_);
      EndSlotScan(scan);
      return false;
    }
    visit(name, value, row.Column(zozavi::kScanSeqColumn).Int64());
    any = true;
    if (!StepSlots(scan)) return false;
    on_row = scan_on_row_[scan];
    scan_on_row_[scan] = false;
  }
  // The slots read must be those of an object, and so must the slots where
  // the scan stops, which the next read in name order may pass over.
  if (any && !CheckOwner(object)) {
    EndSlotScan(scan);
    return false;
  }
  scan_on_row_[scan] = on_row;
  return !on_row || CheckNextOwner(scan);
}

bool ObjectDatabase::ListSlots(std::string_view object, CStrList& names, CStrList* values) {
  // The same names again, with nothing written since, in the same snapshot:
  // both reports of one comparison list the same million common objects.
  if (values == nullptr && names_listed_ && object == names_object_ &&
      connection_.InTransaction()) {
    listed_object_.assign(object);
    listed_slots_ = listed_order_.size();
    listed_values_read_ = 0;
    return listed_names_.AppendTo(names, listed_order_) || Fail("out of memory");
  }
  if (values != nullptr && UseReadAhead(object)) {
    std::span<const zozavi::ReadAheadRow> rows;
    const char* bytes = nullptr;
    const zozavi::SlotReadAhead::Result result = read_ahead_->Take(object, rows, bytes);
    bool listed = false;
    switch (result) {
      case zozavi::SlotReadAhead::Result::kFound:
        listed = AppendReadAhead(rows, bytes, names, *values) || Fail("out of memory");
        break;
      case zozavi::SlotReadAhead::Result::kNoSlots:
        listed = HasObject(object);
        break;
      case zozavi::SlotReadAhead::Result::kFailed:
        Fail(read_ahead_->failure());
        // Later reads read for themselves, and fail again where the file
        // does.
        may_read_ahead_ = false;
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
  // A caller that read the values of the object it listed before is taken
  // to read this one's too, as a report does: one scan instead of two. Not
  // after an object too wide to keep, whose neighbours may be as wide.
  const bool keep_values = values == nullptr && !writable_ && listed_values_read_ >= 2 &&
                           listed_slots_ <= kMaxKeptSlots;
  bool scanned = keep_values && ListNamesKeepingValues(object);
  if (keep_values && !scanned) {
    // A value that cannot be read must not fail a listing of names: the
    // names are listed alone, and the value's own read fails.
    error_.clear();
    names_.Clear();
    seqs_.clear();
  }
  if (!scanned) {
    const Scan scan = values != nullptr ? kWithValues : kNamesOnly;
    scanned = ScanSlots(scan, object, [&](std::string_view name, const SlotValueView& value,
                                          sqlite3_int64 seq) {
      names_.Add(name);
      seqs_.push_back(seq);
      if (values != nullptr) {
        text_form_.clear();
        zozavi::AppendTextForm(value, text_form_);
        values_.Add(text_form_);
      }
    });
  }
  if (!scanned) return false;
  listed_object_.assign(object);
  listed_slots_ = seqs_.size();
  listed_values_read_ = 0;
  if (seqs_.empty()) return HasObject(object);
  OrderBySeq();
  if (values == nullptr) {
    // Kept apart from the listings with values, which come between.
    std::swap(names_, listed_names_);
    std::swap(order_, listed_order_);
    names_object_.assign(object);
    names_listed_ = true;
    return listed_names_.AppendTo(names, listed_order_) || Fail("out of memory");
  }
  return (names_.AppendTo(names, order_) && values_.AppendTo(*values, order_)) ||
         Fail("out of memory");
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

bool ObjectDatabase::KeepValues(std::string_view object) {
  kept_object_.clear();
  kept_slots_ = 0;
  const bool scanned =
      ScanSlots(kWithValues, object, [&](std::string_view name, const SlotValueView& value,
                                         sqlite3_int64) { KeepSlot(name, value); });
  if (!scanned) {
    kept_slots_ = 0;
    return false;
  }
  kept_object_.assign(object);
  return true;
}

bool ObjectDatabase::ListNamesKeepingValues(std::string_view object) {
  kept_object_.clear();
  kept_slots_ = 0;
  const bool scanned =
      ScanSlots(kWithValues, object, [&](std::string_view name, const SlotValueView& value,
                                         sqlite3_int64 seq) {
        names_.Add(name);
        seqs_.push_back(seq);
        if (seqs_.size() <= kMaxKeptSlots) KeepSlot(name, value);
      });
  if (!scanned || seqs_.size() > kMaxKeptSlots) {
    kept_slots_ = 0;
    return scanned;
  }
  kept_object_.assign(object);
  return true;
}

void ObjectDatabase::KeepSlot(std::string_view name, const SlotValueView& value) {
  if (kept_slots_ == kept_.size()) kept_.emplace_back();
  kept_[kept_slots_].first.assign(name);
  kept_[kept_slots_].second.Assign(value);
  ++kept_slots_;
}

bool ObjectDatabase::ReadKeptValue(std::string_view slot, CvxSlot::Value& value) const {
  const auto end = kept_.begin() + static_cast<std::ptrdiff_t>(kept_slots_);
  // The scan gives the slots in SQLite's binary order, which is byte order.
  const auto found = std::lower_bound(
      kept_.begin(), end, slot, [](const auto& kept, std::string_view name) {
        return std::string_view(kept.first) < name;
      });
  if (found == end || found->first != slot) return false;  // no such slot
  value.Assign(found->second.View());
  return true;
}

bool ObjectDatabase::ReadValue(std::string_view object, std::string_view slot,
                               CvxSlot::Value& value) {
  if (!writable_ && !object.empty()) {
    const bool of_listed_object = object == listed_object_;
    if (of_listed_object) ++listed_values_read_;
    if (object == kept_object_) return ReadKeptValue(slot, value);
    // Values read after their object's slots were listed: the object is read
    // whole once rather than once per value, from the second value on (a
    // caller after one value should not pay for all, large lists included).
    if (of_listed_object && listed_slots_ <= kMaxKeptSlots && listed_values_read_ >= 2) {
      if (KeepValues(object)) return ReadKeptValue(slot, value);
      // A damaged sibling must not fail the read of a sound slot: this read
      // and the next go by the slot alone, and find what they find.
      error_.clear();
      listed_object_.clear();
    }
  }
  StatementUse query = Use(kReadValue);
  if (!query) return false;
  const int rc = query->BindText(1, object) && query->BindText(2, slot)
                     ? query->Step()
                     : sqlite3_extended_errcode(connection_.get());
  if (rc == SQLITE_DONE) return false;  // no such slot
  if (rc != SQLITE_ROW) return FailStatement(rc);
  if (query->ColumnInt(5) == 0) return FailDamaged(zozavi::OrphanSlots(object));
  SlotValueView row;
  if (!zozavi::ReadRowValue(*query, 0, row, problem_)) {
    return FailDamaged(zozavi::SlotPlace(object, slot) + ": " + problem_);
  }
  value.Assign(row);
  return true;
}

bool ObjectDatabase::RunWrite(zozavi::Statement& statement, std::string_view object,
                              std::string_view slot, sqlite3_int64 seq,
                              const SlotValueView& value) {
  const int rc = BindSlot(statement, object, slot, seq, value)
                     ? statement.Step()
                     : sqlite3_extended_errcode(connection_.get());
  return rc == SQLITE_DONE || FailStatement(rc, "cannot write");
}

bool ObjectDatabase::WriteValue(std::string_view object, std::string_view slot,
                                const SlotValueView& value) {
  names_listed_ = false;
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
    written = insert && RunWrite(*insert, object, slot, new_seq, value);
    added = written && sqlite3_changes(connection_.get()) > 0;
  }
  if (written && !added) {
    StatementUse update = Use(kReplaceValue);
    written = update && RunWrite(*update, object, slot, new_seq, value);
    // The slot was there a moment ago, in this transaction.
    if (written && sqlite3_changes(connection_.get()) == 0) {
      written = Fail("cannot write: " + zozavi::SlotPlace(object, slot) + " vanished");
    }
  }
  if (!written) {
    // A write that fails may have undone part of the transaction.
    written_objects_.clear();
    return false;
  }
  if (added) *last_seq = new_seq;
  return true;
}
