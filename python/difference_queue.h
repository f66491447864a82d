// The differences of a running comparison on their way from the comparing
// thread to the Python thread that iterates them: in batches, at most a few
// batches at a time, so that memory does not grow with their number; the
// comparing thread waits while the queue is full.
#ifndef ODBDIFF_PYTHON_DIFFERENCE_QUEUE_H_
#define ODBDIFF_PYTHON_DIFFERENCE_QUEUE_H_

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
  // The comparing thread's side. Add throws ReaderGone after Cancel.
  void Add(StreamedDifference difference);
  void End(ComparisonOutcome outcome);

  // The reader's side: the next batch, waiting for it; false, with the
  // batch empty, once every batch has been taken and the comparison ended.
  bool Next(DifferenceBatch& batch);
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
  bool cancelled_ = false;
  ComparisonOutcome outcome_;
};

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_DIFFERENCE_QUEUE_H_
