// Reads the slots of a read-only object file ahead of the caller, on a
// thread and a connection of its own, while the caller reads objects one
// after another in name order, as a comparison of two files does. The
// caller's thread then only copies what was read.
#ifndef HOSTLIBS_OBJDB_SLOT_READ_AHEAD_H_
#define HOSTLIBS_OBJDB_SLOT_READ_AHEAD_H_

#include <sys/types.h>  // dev_t, ino_t

#include <condition_variable>  // std::condition_variable between the threads
#include <cstddef>             // std::size_t
#include <deque>               // std::deque of batches read
#include <memory>              // std::unique_ptr
#include <mutex>               // std::mutex
#include <span>                // std::span of an object's rows
#include <string>              // std::string for paths and texts
#include <string_view>         // std::string_view for names
#include <thread>              // std::thread
#include <vector>              // std::vector of rows and objects

#include "sqlite_handles.h"  // Connection, Statement

namespace zozavi {

// The file an open database reads, as it was when opened, so that a second
// connection can make sure it opened the same one, and a read that fails can
// tell whether the file shrank or was replaced meanwhile.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  bool operator==(const FileIdentity&) const = default;
};

// Whether the path no longer names the file `opened` as it was.
bool FileChanged(const std::string& path, const FileIdentity& opened);

// The failure of a read from the file at `path` opened as `opened`: that the
// file shrank or changed, when it did, or else SQLite's failure `rc` on `db`.
std::string ReadFailure(sqlite3* db, int rc, const std::string& path, const FileIdentity& opened);

// Rows found damaged (`what`) in the file at `path` opened as `opened`:
// "damaged: " and `what`, or that the file shrank or changed, when it did.
std::string DamageFailure(const std::string& what, const std::string& path,
                          const FileIdentity& opened);

// One slot as read ahead: its name and the text form of its value, both
// offsets of NUL-terminated texts in the batch's bytes.
struct ReadAheadRow {
  std::size_t name;
  std::size_t value;
  sqlite3_int64 seq;
};

class SlotReadAhead {
 public:
  // Starts reading the slots of `first_object` and of every object after it
  // from the object file at `path`, which must be `identity`'s. Null when
  // it cannot start; the caller then reads for itself.
  static std::unique_ptr<SlotReadAhead> Start(const std::string& path, const FileIdentity& identity,
                                              std::string_view first_object);
  SlotReadAhead(const SlotReadAhead&) = delete;
  SlotReadAhead& operator=(const SlotReadAhead&) = delete;
  // Stops the thread.
  ~SlotReadAhead();

  enum class Result {
    kFound,        // `rows` hold the object's slots, in slot-name order
    kNoSlots,      // the file holds no slot of the object
    kCannotServe,  // the object is not after the last one asked for, or memory ran out
    kFailed,       // reading the file failed before the object: failure() tells why
  };
  // Moves on to `object`. The rows and the texts at `bytes` stay valid until
  // the next call.
  Result Take(std::string_view object, std::span<const ReadAheadRow>& rows, const char*& bytes);
  // Why the read-ahead failed, once Take answered kFailed: a damaged row, a
  // slot whose object is not in the objects table, or a failed read.
  const std::string& failure() const { return failure_; }
  // Whether the caller passes over most of the objects read ahead, so that
  // reading for itself would cost less than reading everything.
  bool sparse() const {
    return objects_passed_over_ > kSparseAfter && objects_passed_over_ > 8 * objects_taken_;
  }

 private:
  static constexpr std::size_t kSparseAfter = 1024;
  struct Batch;

  SlotReadAhead(const std::string& path, const FileIdentity& identity);
  void Run();
  // Fills `batch` with whole objects from the scan. False when the scan ended
  // (a non-empty `failure` tells why, when it failed); the batch then holds
  // the objects read whole before the end.
  bool Fill(Batch& batch, int& rc, std::string& failure);
  // Moves owners_ on to `object`; false with `failure` when `object` is not
  // in the objects table or the read fails.
  bool CheckOwner(std::string_view object, std::string& failure);
  // The producer's next empty batch; null once stopping.
  std::unique_ptr<Batch> EmptyBatch();
  void Publish(std::unique_ptr<Batch> batch, bool ended, bool failed, std::string failure);
  // The consumer's next batch read; false when none is left.
  bool NextBatch();

  const std::string path_;
  const FileIdentity identity_;
  Connection connection_;  // declared before the statements: closed after them
  Statement scan_;
  // The object names from the first object on, in name order, read along
  // with the scan: a slot whose object is not among them is refused.
  Statement owners_;
  bool owners_left_ = false;  // whether owners_ is on a row

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::unique_ptr<Batch>> ready_;  // read, not yet taken
  std::vector<std::unique_ptr<Batch>> spare_;  // taken and emptied, for reuse
  bool stopping_ = false;
  bool ended_ = false;
  bool failed_ = false;
  std::string failure_;  // set with failed_ when the file is at fault

  // The consumer's side, used by the caller's thread only.
  std::unique_ptr<Batch> current_;
  std::size_t next_object_ = 0;  // in current_
  bool taken_any_ = false;
  std::string last_asked_;
  std::size_t objects_taken_ = 0;
  std::size_t objects_passed_over_ = 0;

  std::thread thread_;  // declared last: starts once the rest exists
};

}  // namespace zozavi

#endif  // HOSTLIBS_OBJDB_SLOT_READ_AHEAD_H_
