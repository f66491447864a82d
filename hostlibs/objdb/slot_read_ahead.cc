#include "slot_read_ahead.h"

#include <sys/stat.h>  // stat

#include <new>           // std::bad_alloc
#include <system_error>  // std::system_error when no thread can start
#include <utility>       // std::move

#include "failure_text.h"  // OrphanSlots, SlotPlace, ObjectPlace, SqliteFailure
#include "object_file.h"   // ConfigureConnection, SqliteFileName, OpenMode
#include "slot_rows.h"     // kScanSlotsSql, ReadRowValue, ReadRowText, column positions
#include "slot_value.h"    // SlotValueView, AppendTextForm
#include "strict_read_vfs.h"  // StrictReadVfs

namespace zozavi {
namespace {

// A batch ends after whichever bound it reaches first, at an object's end.
constexpr std::size_t kBatchObjects = 512;
constexpr std::size_t kBatchBytes = std::size_t{1} << 20;
// Batches read and not yet taken; the thread waits when there are this many.
// A deep queue lets the two files' threads run ahead while the comparing
// thread holds a core, instead of sleeping and waking every few batches:
// 16 took a 1M-object comparison from 7.4 to 7.0 s against 4, for about
// 8 MiB more memory; 64 gained little more for 40 MiB.
constexpr std::size_t kMaxReadyBatches = 16;

// The object names from ?1 on, in the order of the scan's objects.
constexpr char kOwnersSql[] = "SELECT name FROM objects WHERE name >= ?1 ORDER BY name";

}  // namespace

struct SlotReadAhead::Batch {
  struct Object {
    std::size_t name;  // offset in bytes
    std::size_t name_length;
    std::size_t first_row;
    std::size_t row_count;
  };

  std::string bytes;  // the texts, each closed by a NUL
  std::vector<ReadAheadRow> rows;
  std::vector<Object> objects;

  std::string_view NameOf(const Object& object) const {
    return std::string_view(bytes.data() + object.name, object.name_length);
  }
  std::size_t AddText(std::string_view text) {
    const std::size_t offset = bytes.size();
    bytes.append(text);
    bytes.push_back('\0');
    return offset;
  }
  // Empties the batch, keeping its memory.
  void Clear() {
    bytes.clear();
    rows.clear();
    objects.clear();
  }
};

bool FileChanged(const std::string& path, const FileIdentity& opened) {
  struct stat info {};
  return stat(path.c_str(), &info) != 0 ||
         !(FileIdentity{info.st_dev, info.st_ino, info.st_size} == opened);
}

std::string ReadFailure(sqlite3* db, int rc, const std::string& path, const FileIdentity& opened) {
  if (FileChanged(path, opened)) return "the file shrank or changed while it was read";
  return SqliteFailure(db, rc, "cannot read");
}

std::string DamageFailure(const std::string& what, const std::string& path,
                          const FileIdentity& opened) {
  if (FileChanged(path, opened)) return "the file shrank or changed while it was read";
  return "damaged: " + what;
}

SlotReadAhead::SlotReadAhead(const std::string& path, const FileIdentity& identity)
    : path_(path), identity_(identity) {
  spare_.reserve(kMaxReadyBatches + 2);
}

std::unique_ptr<SlotReadAhead> SlotReadAhead::Start(const std::string& path,
                                                    const FileIdentity& identity,
                                                    std::string_view first_object) {
  // Without memory or a thread the caller reads for itself, as before.
  std::unique_ptr<SlotReadAhead> ahead;
  try {
    ahead.reset(new SlotReadAhead(path, identity));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (!ahead->connection_.Open(SqliteFileName(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                               StrictReadVfs())) {
    return nullptr;
  }
  // The path may name another file by now; this connection must read the
  // caller's.
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 ||
      !(FileIdentity{info.st_dev, info.st_ino, info.st_size} == identity)) {
    return nullptr;
  }
  if (!ConfigureConnection(ahead->connection_, OpenMode::kReadOnly) ||
      !ahead->connection_.Execute("BEGIN") ||
      !ahead->scan_.Prepare(ahead->connection_.get(), kScanSlotsSql) ||
      !ahead->scan_.BindTextCopy(1, first_object) ||
      !ahead->owners_.Prepare(ahead->connection_.get(), kOwnersSql) ||
      !ahead->owners_.BindTextCopy(1, first_object)) {
    return nullptr;
  }
  try {
    ahead->thread_ = std::thread(&SlotReadAhead::Run, ahead.get());
  } catch (const std::system_error&) {
    return nullptr;
  }
  return ahead;
}

SlotReadAhead::~SlotReadAhead() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void SlotReadAhead::Run() {
  try {
    int rc = scan_.Step();
    const int owners_rc = owners_.Step();
    owners_left_ = owners_rc == SQLITE_ROW;
    if (owners_rc != SQLITE_ROW && owners_rc != SQLITE_DONE) {
      Publish(nullptr, /*ended=*/true, /*failed=*/true,
              ReadFailure(connection_.get(), owners_rc, path_, identity_));
      return;
    }
    for (;;) {
      std::unique_ptr<Batch> batch = EmptyBatch();
      if (batch == nullptr) return;
      std::string failure;
      const bool more = Fill(*batch, rc, failure);
      const bool failed = !more && rc != SQLITE_DONE;
      Publish(std::move(batch), !more, failed, std::move(failure));
      if (!more) return;
    }
  } catch (...) {
    // Out of memory: the caller reads for itself from here on.
    Publish(nullptr, /*ended=*/true, /*failed=*/true, std::string());
  }
}

bool SlotReadAhead::CheckOwner(std::string_view object, std::string& failure) {
  while (owners_left_ && owners_.ColumnText(0) < object) {
    const int rc = owners_.Step();
    owners_left_ = rc == SQLITE_ROW;
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
      failure = ReadFailure(connection_.get(), rc, path_, identity_);
      return false;
    }
  }
  if (owners_left_ && owners_.ColumnText(0) == object) return true;
  failure = DamageFailure(OrphanSlots(object), path_, identity_);
  return false;
}

bool SlotReadAhead::Fill(Batch& batch, int& rc, std::string& failure) {
  std::string problem;
  while (rc == SQLITE_ROW) {
    if (batch.objects.size() >= kBatchObjects || batch.bytes.size() >= kBatchBytes) return true;
    std::string_view object;
    if (!ReadRowText(scan_, kScanObjectColumn, "the object of a slot", object, problem)) {
      failure = DamageFailure(problem, path_, identity_);
      rc = SQLITE_ERROR;
      return false;
    }
    if (!CheckOwner(object, failure)) {
      rc = SQLITE_ERROR;
      return false;
    }
    Batch::Object entry{batch.AddText(object), object.size(), batch.rows.size(), 0};
    // The row's texts last until the next step; the name is compared with
    // the batch's copy of it.
    do {
      std::string_view name;
      SlotValueView value;
      bool row_read = ReadRowText(scan_, kScanNameColumn, "a slot's name", name, problem);
      if (row_read && batch.rows.size() > entry.first_row &&
          !(std::string_view(batch.bytes.data() + batch.rows.back().name) < name)) {
        problem = kSlotOutOfOrder;
        row_read = false;
      }
      if (!row_read || !ReadRowValue(scan_, kScanValueColumn, value, problem)) {
        failure = DamageFailure((name.data() != nullptr ? SlotPlace(batch.NameOf(entry), name)
                                                        : ObjectPlace(batch.NameOf(entry))) +
                                    ": " + problem,
                                path_, identity_);
        // The object read in part is left out: the batch keeps whole objects.
        batch.rows.resize(entry.first_row);
        batch.bytes.resize(entry.name);
        rc = SQLITE_ERROR;
        return false;
      }
      ReadAheadRow row{batch.AddText(name), batch.bytes.size(), scan_.Column(kScanSeqColumn).Int64()};
      AppendTextForm(value, batch.bytes);
      batch.bytes.push_back('\0');
      batch.rows.push_back(row);
      rc = scan_.Step();
    } while (rc == SQLITE_ROW && RowOwnedBy(scan_, batch.NameOf(entry)));
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
      failure = ReadFailure(connection_.get(), rc, path_, identity_);
      batch.rows.resize(entry.first_row);
      batch.bytes.resize(entry.name);
      return false;
    }
    entry.row_count = batch.rows.size() - entry.first_row;
    batch.objects.push_back(entry);
  }
  if (rc != SQLITE_DONE) failure = ReadFailure(connection_.get(), rc, path_, identity_);
  return false;
}

std::unique_ptr<SlotReadAhead::Batch> SlotReadAhead::EmptyBatch() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return stopping_ || ready_.size() < kMaxReadyBatches; });
  if (stopping_) return nullptr;
  if (spare_.empty()) return std::make_unique<Batch>();
  std::unique_ptr<Batch> batch = std::move(spare_.back());
  spare_.pop_back();
  return batch;
}

void SlotReadAhead::Publish(std::unique_ptr<Batch> batch, bool ended, bool failed,
                            std::string failure) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // A batch holds whole objects only, those of a failed one included.
    if (batch != nullptr && !batch->objects.empty()) ready_.push_back(std::move(batch));
    if (ended) {
      ended_ = true;
      failed_ = failed;
      failure_ = std::move(failure);
    }
  }
  changed_.notify_all();
}

bool SlotReadAhead::NextBatch() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (current_ != nullptr) {
    current_->Clear();
    spare_.push_back(std::move(current_));  // room reserved: no allocation
    changed_.notify_all();
  }
  changed_.wait(lock, [this] { return !ready_.empty() || ended_; });
  if (ready_.empty()) return false;
  current_ = std::move(ready_.front());
  ready_.pop_front();
  next_object_ = 0;
  lock.unlock();
  changed_.notify_all();
  return true;
}

SlotReadAhead::Result SlotReadAhead::Take(std::string_view object,
                                          std::span<const ReadAheadRow>& rows,
                                          const char*& bytes) {
  if (taken_any_ && !(std::string_view(last_asked_) < object)) return Result::kCannotServe;
  last_asked_.assign(object);
  taken_any_ = true;
  for (;;) {
    if (current_ == nullptr || next_object_ == current_->objects.size()) {
      if (!NextBatch()) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!failed_) return Result::kNoSlots;
        return failure_.empty() ? Result::kCannotServe : Result::kFailed;
      }
    }
    const Batch::Object& entry = current_->objects[next_object_];
    const std::string_view name = current_->NameOf(entry);
    if (name < object) {
      ++next_object_;  // an object the caller passes over
      ++objects_passed_over_;
      continue;
    }
    if (object < name) return Result::kNoSlots;
    rows = std::span<const ReadAheadRow>(current_->rows).subspan(entry.first_row, entry.row_count);
    bytes = current_->bytes.data();
    ++next_object_;
    ++objects_taken_;
    return Result::kFound;
  }
}

}  // namespace zozavi
