#include "difference_queue.h"  // DifferenceQueue

#include <utility>  // std::move

namespace odbdiff::python {

void DifferenceQueue::Add(StreamedDifference difference) {
  filling_.push_back(std::move(difference));
  if (filling_.size() < kBatchSize) return;
  std::unique_lock<std::mutex> lock(mutex_);
  Hand(lock);
}

void DifferenceQueue::Hand(std::unique_lock<std::mutex>& lock) {
  changed_.wait(lock, [this] { return cancelled_ || ready_.size() < kBatchesHeld; });
  if (cancelled_) throw ReaderGone{};
  ready_.push_back(std::move(filling_));
  filling_ = DifferenceBatch();
  filling_.reserve(kBatchSize);
  changed_.notify_all();
}

void DifferenceQueue::End(ComparisonOutcome outcome) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!filling_.empty()) {
    try {
      Hand(lock);
    } catch (const ReaderGone&) {
      // Nobody is left to take the last batch.
    }
  }
  outcome_ = std::move(outcome);
  ended_ = true;
  changed_.notify_all();
}

DifferenceQueue::Taken DifferenceQueue::Next(DifferenceBatch& batch,
                                             std::chrono::milliseconds patience) {
  std::unique_lock<std::mutex> lock(mutex_);
  batch.clear();
  if (!changed_.wait_for(lock, patience, [this] { return !ready_.empty() || ended_; })) {
    return Taken::kNothingYet;
  }
  if (ready_.empty()) return Taken::kEnded;
  batch = std::move(ready_.front());
  ready_.pop_front();
  changed_.notify_all();
  return Taken::kBatch;
}

void DifferenceQueue::Cancel() {
  const std::lock_guard<std::mutex> lock(mutex_);
  cancelled_ = true;
  changed_.notify_all();
}

}  // namespace odbdiff::python
