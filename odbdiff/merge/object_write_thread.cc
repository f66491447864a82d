#include "merge/object_write_thread.h"  // ObjectWriteThread

#include <utility>  // std::move

namespace odbdiff {
namespace {

// Objects handed over at a time, and batches that may wait: enough to keep
// the thread busy, few enough that memory holds little.
constexpr std::size_t kBatchSize = 256;
constexpr std::size_t kMostWaiting = 8;

}  // namespace

ObjectWriteThread::ObjectWriteThread(ObjectSink& out) : out_(out), thread_([this] { Run(); }) {
  batch_.reserve(kBatchSize);
}

ObjectWriteThread::~ObjectWriteThread() {
  if (thread_.joinable()) {
    Stop();
    thread_.join();
  }
}

void ObjectWriteThread::Add(Object&& object) {
  batch_.push_back(std::move(object));
  if (batch_.size() >= kBatchSize) HandOn(/*last=*/false);
}

void ObjectWriteThread::Finish() {
  HandOn(/*last=*/true);
  thread_.join();
  if (failure_) std::rethrow_exception(failure_);
}

void ObjectWriteThread::HandOn(bool last) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queue_.size() < kMostWaiting || stopped_; });
  if (stopped_ && failure_) std::rethrow_exception(failure_);
  if (!batch_.empty()) queue_.push_back(std::move(batch_));
  batch_.clear();
  batch_.reserve(kBatchSize);
  closed_ = last;
  changed_.notify_all();
}

void ObjectWriteThread::Stop() {
  std::lock_guard lock(mutex_);
  queue_.clear();
  closed_ = true;
  changed_.notify_all();
}

void ObjectWriteThread::Run() {
  try {
    for (;;) {
      std::vector<Object> batch;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !queue_.empty() || closed_; });
        if (queue_.empty()) break;
        batch = std::move(queue_.front());
        queue_.pop_front();
        changed_.notify_all();
      }
      for (const Object& object : batch) {
        out_.AddObject(object.name);
        for (const Slot& slot : object.slots) out_.AddSlot(object.name, slot.name, slot.value);
      }
    }
  } catch (...) {
    std::lock_guard lock(mutex_);
    failure_ = std::current_exception();
  }
  std::lock_guard lock(mutex_);
  stopped_ = true;
  changed_.notify_all();
}

}  // namespace odbdiff
