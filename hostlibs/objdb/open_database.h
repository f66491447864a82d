// The open database behind a CvxODB handle: one SQLite connection to an
// object file and the statements prepared on it.
#ifndef HOSTLIBS_OBJDB_OPEN_DATABASE_H_
#define HOSTLIBS_OBJDB_OPEN_DATABASE_H_

#include <memory>       // std::unique_ptr
#include <string>       // std::string for paths and scratch text
#include <string_view>  // std::string_view for names and texts

#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxSlot, ObjectDatabase
#include "slot_value.h"                 // SlotValueView, CvxSlot::Value
#include "sqlite_handles.h"             // Connection, Statement, StatementUse
#include "text_batch.h"                 // TextBatch

namespace zozavi {

enum class OpenMode { kReadOnly, kReadWrite };

}  // namespace zozavi

// Each database keeps one transaction open from Open to Save or destruction.
// A read-only one never writes its file and reads one snapshot of it, holding
// the file's shared lock meanwhile (other writers of the file wait for it). A
// read-write one makes all its writes durable together or not at all.
struct ObjectDatabase {
 public:
  // Opens the object file at `path`; read-write creates it when absent. Null
  // when the file cannot be opened or is no object file.
  static std::unique_ptr<ObjectDatabase> Open(const std::string& path, zozavi::OpenMode mode);

  ObjectDatabase(const ObjectDatabase&) = delete;
  ObjectDatabase& operator=(const ObjectDatabase&) = delete;
  // Discards the writes not saved.
  ~ObjectDatabase() = default;

  bool writable() const { return writable_; }
  // Makes the writes since Open durable. False when that fails: the writes
  // are then lost and the file keeps its earlier content. The database takes
  // no more writes afterwards.
  bool Save();
  // SQLite's quick check, or its full integrity check.
  bool CheckIntegrity(bool full);

  // Each of these answers false on failure, leaving the lists as they were.
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
    kListSlotNames,
    kListSlots,
    kReadValue,
    kLastSeq,
    kAddSlot,
    kReplaceValue,
    kStatementCount,
  };

  // The object last found, added or written to, so that a run of calls on one
  // object (a difference list gains a slot per object compared) finds its
  // row once. Objects are never removed and nothing else writes the file
  // within the open transaction, so the entry holds until the transaction
  // ends; it is not used outside one.
  struct RecentObject {
    bool known = false;
    std::string name;
    sqlite3_int64 id = 0;
    bool last_seq_known = false;  // last_seq is read on the first write
    sqlite3_int64 last_seq = 0;   // the object's largest slot seq, 0 without slots
  };

  explicit ObjectDatabase(bool writable) : writable_(writable) {}
  bool Configure();
  bool HasOurFormat();
  bool CanWriteNow() const;
  // The statement, prepared on first use.
  zozavi::StatementUse Use(StatementId id);
  // The recent object when it is `name` and the transaction still holds it.
  RecentObject* Recent(std::string_view name);
  void Remember(std::string_view name, sqlite3_int64 id);
  // Makes `object` the recent one with its largest seq known. False when
  // the object does not exist or a query fails.
  bool FindForWriting(std::string_view object);

  zozavi::Connection connection_;  // declared first: closed after the statements
  bool writable_;
  zozavi::Statement statements_[kStatementCount];
  zozavi::TextBatch names_;   // rows gathered before they reach the caller's lists
  zozavi::TextBatch values_;
  std::string text_form_;     // scratch for one value's text form
  RecentObject recent_;
};

#endif  // HOSTLIBS_OBJDB_OPEN_DATABASE_H_
