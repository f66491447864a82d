#include "slot_read_ahead.h"

#include <sys/stat.h>  // stat

#include <new>           // std::bad_alloc
#include <system_error>  // std::system_error when no thread can start
#include <utility>       // std::move

#include "object_file.h"  // ConfigureConnection, SqliteFileName, OpenMode
#include "slot_rows.h"    // kScanSlotsSql, ReadRowValue, column positions
#include "slot_value.h"   // SlotValueView, AppendTextForm

namespace zozavi {
namespace {

// A batch ends after whichever bound it reaches first, at an object's end.
constexpr std::size_t kBatchObjects = 512;
constexpr std::size_t kBatchBytes = std::size_t{1} << 20;
// Batches read and not yet taken; the thread waits when there are this many.
constexpr std::size_t kMaxReadyBatches = 4;

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

SlotReadAhead::SlotReadAhead() { spare_.reserve(kMaxReadyBatches + 2); }

std::unique_ptr<SlotReadAhead> SlotReadAhead::Start(const std::string& path,
                                                    const FileIdentity& identity,
                                                    std::string_view first_object) {
  // Without memory or a thread the caller reads for itself, as before.
  std::unique_ptr<SlotReadAhead> ahead;
  try {
    ahead.reset(new SlotReadAhead());
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (!ahead->connection_.Open(SqliteFileName(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX)) {
    return nullptr;
  }
  // The path may name another file by now; this connection must read the
  // caller's.
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !(FileIdentity{info.st_dev, info.st_ino} == identity)) {
    return nullptr;
  }
  if (!ConfigureConnection(ahead->connection_, OpenMode::kReadOnly) ||
      !ahead->connection_.Execute("BEGIN") ||
      !ahead->scan_.Prepare(ahead->connection_.get(), kScanSlotsSql) ||
      !ahead->scan_.BindTextCopy(1, first_object)) {
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
    for (;;) {
      std::unique_ptr<Batch> batch = EmptyBatch();
      if (batch == nullptr) return;
      bool failed = false;
      const bool more = Fill(*batch, rc, failed);
      Publish(std::move(batch), !more, failed);
      if (!more) return;
    }
  } catch (...) {
    // Out of memory: the caller reads for itself from here on.
    Publish(nullptr, /*ended=*/true, /*failed=*/true);
  }
}

bool SlotReadAhead::Fill(Batch& batch, int& rc, bool& failed) {
  while (rc == SQLITE_ROW) {
    if (batch.objects.size() >= kBatchObjects || batch.bytes.size() >= kBatchBytes) return true;
    const std::string_view object = scan_.ColumnText(kScanObjectColumn);
    Batch::Object entry{batch.AddText(object), object.size(), batch.rows.size(), 0};
    // The row's texts last until the next step; the name is compared with
    // the batch's copy of it.
    do {
      ReadAheadRow row{batch.AddText(scan_.ColumnText(kScanNameColumn)), 0,
                       scan_.ColumnInt64(kScanSeqColumn)};
      SlotValueView value;
      if (!ReadRowValue(scan_, kScanValueColumn, value)) {
        failed = true;
        return false;
      }
      row.value = batch.bytes.size();
      AppendTextForm(value, batch.bytes);
      batch.bytes.push_back('\0');
      batch.rows.push_back(row);
      rc = scan_.Step();
    } while (rc == SQLITE_ROW && scan_.ColumnText(kScanObjectColumn) == batch.NameOf(entry));
    entry.row_count = batch.rows.size() - entry.first_row;
    batch.objects.push_back(entry);
  }
  failed = rc != SQLITE_DONE;
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

void SlotReadAhead::Publish(std::unique_ptr<Batch> batch, bool ended, bool failed) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // A failed batch may end inside an object: none of it is served.
    if (batch != nullptr && !failed && !batch->objects.empty()) ready_.push_back(std::move(batch));
    if (ended) {
      ended_ = true;
      failed_ = failed;
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
        return failed_ ? Result::kCannotServe : Result::kNoSlots;
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
