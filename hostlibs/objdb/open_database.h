// The open database behind a CvxODB handle: one SQLite connection to an
// object file and the statements prepared on it.
#ifndef HOSTLIBS_OBJDB_OPEN_DATABASE_H_
#define HOSTLIBS_OBJDB_OPEN_DATABASE_H_

#include <cstdint>      // std::uint32_t row positions
#include <functional>   // std::hash, std::equal_to for name lookups
#include <memory>       // std::unique_ptr
#include <span>         // std::span of rows read ahead
#include <string>       // std::string for paths and scratch text
#include <string_view>  // std::string_view for names and texts
#include <unordered_map>  // std::unordered_map of objects written to
#include <utility>        // std::pair of a kept slot
#include <vector>         // std::vector of gathered rows

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxSlot, ObjectDatabase
#include "object_file.h"                // OpenMode
#include "slot_read_ahead.h"            // SlotReadAhead, FileIdentity
#include "slot_value.h"                 // SlotValueView, CvxSlot::Value
#include "sqlite_handles.h"             // Connection, Statement, StatementUse
#include "text_batch.h"                 // TextBatch

// Each database keeps one transaction open from Open to Save or destruction.
// A read-only one never writes its file and reads one snapshot of it, holding
// the file's shared lock meanwhile (other writers of the file wait for it). A
// read-write one makes all its writes durable together or not at all.
struct ObjectDatabase {
 public:
  // Opens the object file at `path`; read-write creates it when absent. Null,
  // with the reason in `error`, when the file cannot be opened, is no object
  // file or fails the schema check.
  static std::unique_ptr<ObjectDatabase> Open(const std::string& path, zozavi::OpenMode mode,
                                              std::string& error);

  ObjectDatabase(const ObjectDatabase&) = delete;
  ObjectDatabase& operator=(const ObjectDatabase&) = delete;
  // Discards the writes not saved.
  ~ObjectDatabase() = default;

  bool writable() const { return writable_; }
  // Why the last failing call failed; empty when it failed only because an
  // object or slot does not exist. Every call that can fail clears it first.
  const std::string& error() const { return error_; }
  void ClearError() { error_.clear(); }
  // Makes the writes since Open durable. False when that fails: the writes
  // are then lost and the file keeps its earlier content. The database takes
  // no more writes afterwards.
  bool Save();
  // SQLite's quick check, or its full integrity check.
  bool CheckIntegrity(bool full);

  // Each of these answers false on failure, leaving the lists as they were.
  // Every row read is checked (slot_rows.h); a row that fails, a slot whose
  // object is not in the objects table, or a failed read makes the call fail
  // with error() telling why.
  bool ListObjects(CStrList& names);
  bool HasObject(std::string_view name);
  bool AddObject(std::string_view name);
  // Appends the object's slot names and, when `values` is not null, the text
  // forms of their values. False when the object does not exist.
  bool ListSlots(std::string_view object, CStrList& names, CStrList* values);
  bool ReadValue(std::string_view object, std::string_view slot, CvxSlot::Value& value);
  // Replaces the slot's value in place, or adds the slot after the others.
  // False when the object does not exist.
  bool WriteValue(std::string_view object, std::string_view slot,
                  const zozavi::SlotValueView& value);

 private:
  enum StatementId {
    kListObjects,
    kFindObject,
    kAddObject,
    kScanSlots,
    kScanSlotNames,
    kReadValue,
    kLastSeq,
    kAddSlot,
    kReplaceValue,
    kStatementCount,
  };

  // Hashes names for lookups by string_view without a copy.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
      return std::hash<std::string_view>{}(name);
    }
  };

  ObjectDatabase(bool writable, std::string path);
  bool Configure();
  bool HasOurFormat();
  bool CanWriteNow();
  // Set error() and answer false.
  bool Fail(std::string error);
  // A damaged file: "damaged: " and `what`, or that the file changed while
  // it was read, which would make sound rows look damaged.
  bool FailDamaged(const std::string& what);
  // A statement that failed with `rc`: SQLite's failure (worded with
  // `action`, "cannot read" or "cannot write"), or that the file changed
  // while it was read.
  bool FailStatement(int rc, const char* action = "cannot read");
  // Whether `object` is in the objects table: 1 when it is, 0 when it is
  // not, -1 when the query fails (error() then tells why). A query, or a
  // search of the sorted listing once enough queries ran (objects_).
  int FindObject(std::string_view object);
  // The statement, prepared on first use; null, with error() set, when that
  // fails.
  zozavi::Statement* Prepared(StatementId id);
  // One use of the statement, reset when the use ends.
  zozavi::StatementUse Use(StatementId id);
  // Slots are read by one of two scans: with their values, or their names
  // only, which reads less of each row.
  enum Scan { kWithValues, kNamesOnly, kScanCount };
  static constexpr StatementId kScanStatements[kScanCount] = {kScanSlots, kScanSlotNames};
  // Puts the scan on the first slot of `object` or after, unless it is there
  // already. False when the query fails.
  bool SeekSlots(Scan scan, std::string_view object);
  bool StepSlots(Scan scan);
  // Calls `visit(name, value, seq)` for each slot of `object` that `scan`
  // reads, in slot-name order (the value is empty for kNamesOnly). False,
  // with error() set, when a row fails its checks or the read fails.
  template <typename Visit>
  bool ScanSlots(Scan scan, std::string_view object, Visit visit);
  // Reads every slot of `object` with its value into kept_.
  bool KeepValues(std::string_view object);
  // Gathers the slot names of `object` (names_, seqs_) and keeps their
  // values, in one scan; the values are kept when there are no more than
  // kMaxKeptSlots.
  bool ListNamesKeepingValues(std::string_view object);
  // Adds a slot and its value to kept_.
  void KeepSlot(std::string_view name, const zozavi::SlotValueView& value);
  // The kept value of `slot`; false when kept_object_ has no such slot.
  bool ReadKeptValue(std::string_view slot, CvxSlot::Value& value) const;
  // Sorts the listed objects into sorted_objects_.
  void SortListedObjects();
  // Whether `owner`, which has slots, is in the objects table; false with
  // error() set when it is not or the query fails. The last two owners found
  // are not looked up again: reading in name order, each read's object was
  // the owner where the read before stopped; reading backwards, the owner
  // where a read stops is the object read before.
  bool CheckOwner(std::string_view owner);
  // The object of the slot row the scan rests on after an object's rows
  // must be in the objects table, or the slots are no object's.
  bool CheckNextOwner(Scan scan);
  // Whether ListSlots with values takes `object` from the read-ahead,
  // which starts once enough reads came one after another in name order.
  bool UseReadAhead(std::string_view object);
  // Appends an object's rows as read ahead to the lists, in creation order.
  bool AppendReadAhead(std::span<const zozavi::ReadAheadRow> rows, const char* bytes,
                       CStrList& names, CStrList& values);
  // Binds and runs kAddSlot or kReplaceValue; false with error() set when
  // that fails.
  bool RunWrite(zozavi::Statement& statement, std::string_view object, std::string_view slot,
                sqlite3_int64 seq, const zozavi::SlotValueView& value);
  // Puts the order of the gathered rows (seqs_) into order_.
  void OrderBySeq();
  void EndSlotScan(Scan scan);
  void EndSlotScans();
  // The largest seq of `object`, for a write that adds a slot after it. Null
  // when the object does not exist or a query fails.
  sqlite3_int64* LastSeqForWriting(std::string_view object);
  // The remembered largest seq of an object written to, or null.
  sqlite3_int64* WrittenObject(std::string_view name);
  sqlite3_int64& RememberWritten(std::string_view name, sqlite3_int64 last_seq);

  zozavi::Connection connection_;  // declared first: closed after the statements
  bool writable_;
  std::string path_;
  zozavi::Statement statements_[kStatementCount];
  // A scan stays on its current row between calls while it is reading
  // objects one after the other in name order, as a comparison does: the
  // next object's slots follow without a new search. A write ends the scans.
  bool scan_on_row_[kScanCount] = {};
  zozavi::TextBatch names_;  // rows gathered before they reach the caller's lists
  zozavi::TextBatch values_;
  std::vector<sqlite3_int64> seqs_;   // the gathered rows' seq, in name order
  std::vector<std::uint32_t> order_;  // the gathered rows in seq order
  std::string text_form_;             // scratch for one value's text form
  std::string problem_;               // scratch for what is wrong with a row
  std::string previous_slot_;         // the name of the slot row scanned before
  std::string error_;
  // The last listing of every object, which a read-only database keeps: once
  // it has searched the objects table often, it searches the sorted names
  // instead, which costs a small part of a query.
  zozavi::TextBatch objects_;
  bool listed_ = false;  // objects_ holds every object of the snapshot read
  std::size_t lookups_ = 0;  // searches since the listing
  std::vector<std::string_view> sorted_objects_;  // into objects_; empty until needed
  // The last two objects that CheckOwner found in the objects table.
  std::string owners_found_[2];
  std::size_t next_owner_found_ = 0;  // the entry to replace next
  // Objects this read-write database wrote to or found, with their largest
  // seq, within the open transaction: writes that alternate between objects
  // (a difference database's common list and the object compared) look
  // neither up again. Cleared when it grows past a bound, and after a failed
  // write, which may have undone part of the transaction.
  std::unordered_map<std::string, sqlite3_int64, NameHash, std::equal_to<>> written_objects_;

  // The object whose slots were listed last, and how many it has.
  std::string listed_object_;
  std::size_t listed_slots_ = 0;
  std::size_t listed_values_read_ = 0;  // reads of listed_object_'s values since
  // The last listing of slot names without values, of names_object_, kept
  // until a write: listed_names_ in name order, listed_order_ in creation
  // order.
  zozavi::TextBatch listed_names_;
  std::vector<std::uint32_t> listed_order_;
  std::string names_object_;
  bool names_listed_ = false;
  // A read-only database keeps every value of the last object whose slots
  // it listed, once a second value of it is read: a caller that lists an
  // object's slots and then reads their values one by one, as a report
  // does, reads the object once more rather than once per value. When the
  // caller read two values or more of the object listed before, the
  // listing itself reads the values along. Objects with more slots than
  // kMaxKeptSlots are read value by value.
  static constexpr std::size_t kMaxKeptSlots = 256;
  std::string kept_object_;  // empty when nothing is kept
  std::vector<std::pair<std::string, CvxSlot::Value>> kept_;  // reused, in name order
  std::size_t kept_slots_ = 0;  // the entries of kept_ that hold kept_object_'s slots

  // A read-only database reads ahead on a thread of its own once the reads
  // run in name order; the file's identity makes sure the read-ahead opens
  // the same file, and tells a failed read of a file that shrank or was
  // replaced.
  bool may_read_ahead_ = false;
  bool identity_known_ = false;  // a read-only database that found its file
  zozavi::FileIdentity identity_;
  std::string last_read_;          // the object of the last read in this thread
  std::size_t ascending_reads_ = 0;  // reads in a row, each after the one before
  std::size_t read_ahead_after_;     // ascending reads that start a read-ahead
  std::unique_ptr<zozavi::SlotReadAhead> read_ahead_;
};

#endif  // HOSTLIBS_OBJDB_OPEN_DATABASE_H_
