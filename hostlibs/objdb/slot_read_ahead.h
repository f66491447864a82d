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

// The file an open database reads, so that a second connection can make
// sure it opened the same one.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

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
    kCannotServe,  // the object is not after the last one asked for, or the read failed
  };
  // Moves on to `object`. The rows and the texts at `bytes` stay valid until
  // the next call.
  Result Take(std::string_view object, std::span<const ReadAheadRow>& rows, const char*& bytes);
  // Whether the caller passes over most of the objects read ahead, so that
  // reading for itself would cost less than reading everything.
  bool sparse() const {
    return objects_passed_over_ > kSparseAfter && objects_passed_over_ > 8 * objects_taken_;
  }

 private:
  static constexpr std::size_t kSparseAfter = 1024;
  struct Batch;

  SlotReadAhead();
  void Run();
  // Fills `batch` with whole objects from the scan. False when the scan ended
  // (`failed` tells whether by an error).
  bool Fill(Batch& batch, int& rc, bool& failed);
  // The producer's next empty batch; null once stopping.
  std::unique_ptr<Batch> EmptyBatch();
  void Publish(std::unique_ptr<Batch> batch, bool ended, bool failed);
  // The consumer's next batch read; false when none is left.
  bool NextBatch();

  Connection connection_;  // declared first: closed after the scan
  Statement scan_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::unique_ptr<Batch>> ready_;  // read, not yet taken
  std::vector<std::unique_ptr<Batch>> spare_;  // taken and emptied, for reuse
  bool stopping_ = false;
  bool ended_ = false;
  bool failed_ = false;

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
