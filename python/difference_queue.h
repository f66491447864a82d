// The differences of a running comparison on their way from the comparing
// thread to the Python thread that iterates them: in batches, at most a few
// batches at a time, so that memory does not grow with their number; the
// comparing thread waits while the queue is full.
#ifndef ODBDIFF_PYTHON_DIFFERENCE_QUEUE_H_
#define ODBDIFF_PYTHON_DIFFERENCE_QUEUE_H_

#include <atomic>              // std::atomic
#include <chrono>              // std::chrono::milliseconds
#include <condition_variable>  // std::condition_variable
#include <cstddef>             // std::size_t
#include <deque>               // std::deque
#include <mutex>               // std::mutex
#include <string>              // std::string
#include <vector>              // std::vector

#include "inputs/object_model.h"             // SlotValue, Slot
#include "outputs/text/difference_counts.h"  // Counts

namespace odbdiff::python {

enum class DifferenceStatus { kOnlyInA, kOnlyInB, kValuesDiffer };

// An object in one file only (no slot; its slots and values in `slots`), or
// a slot of an object of both files (`a` and `b` as its status has them).
struct StreamedDifference {
  DifferenceStatus status = DifferenceStatus::kOnlyInA;
  std::string object = {};
  bool is_slot = false;
  std::string slot = {};
  SlotValue a = {};
  SlotValue b = {};
  std::vector<Slot> slots = {};
};

using DifferenceBatch = std::vector<StreamedDifference>;

// How the comparison ended, once it has.
struct ComparisonOutcome {
  Counts counts;
  bool differ = false;
  std::string failure;  // the line odbdiff would print; empty when it did its work
};

// Thrown on the comparing thread when the reader has gone away.
struct ReaderGone {};

class DifferenceQueue {
 public:
  // The comparing thread's side. Add and ThrowIfCancelled throw ReaderGone
  // after Cancel.
  void Add(StreamedDifference difference);
  void ThrowIfCancelled() const {
    if (cancelled_.load(std::memory_order_relaxed)) throw ReaderGone{};
  }
  void End(ComparisonOutcome outcome);

  // The reader's side: the next batch, waiting for it up to `patience`;
  // kEnded, with the batch empty, once every batch has been taken and the
  // comparison ended.
  enum class Taken { kBatch, kEnded, kNothingYet };
  Taken Next(DifferenceBatch& batch, std::chrono::milliseconds patience);
  // The outcome; valid after Next returned false.
  const ComparisonOutcome& outcome() const { return outcome_; }
  // The reader takes no more: the comparing thread is to stop.
  void Cancel();

 private:
  static constexpr std::size_t kBatchSize = 1024;
  static constexpr std::size_t kBatchesHeld = 4;

  void Hand(std::unique_lock<std::mutex>& lock);

  DifferenceBatch filling_;  // the comparing thread's own
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<DifferenceBatch> ready_;
  bool ended_ = false;
  std::atomic<bool> cancelled_ = false;  // also read without the mutex
  ComparisonOutcome outcome_;
};

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_DIFFERENCE_QUEUE_H_
