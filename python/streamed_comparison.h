// One comparison of two object files for Python: checked and set up on the
// calling thread, then run on a thread of its own that hands the
// differences to a DifferenceQueue. That thread never touches Python, so it
// runs while the caller holds the GIL or not.
#ifndef ODBDIFF_PYTHON_STREAMED_COMPARISON_H_
#define ODBDIFF_PYTHON_STREAMED_COMPARISON_H_

#include <optional>  // std::optional
#include <string>    // std::string
#include <thread>    // std::thread

#include "comparison_slot.h"           // ComparisonSlot
#include "difference_queue.h"          // DifferenceQueue
#include "module/module_binding.h"     // DiffModule
#include "request/command_line.h"      // ComparisonOptions

namespace odbdiff::python {

class StreamedComparison {
 public:
  // Checks A, B and the files of `options` as odbdiff compare does, takes
  // the process's comparison slot, puts the options in force and starts the
  // comparison. Throws Failure with odbdiff's message on the first problem.
  StreamedComparison(const std::string& file_a, const std::string& file_b,
                     const ComparisonOptions& options);
  StreamedComparison(const StreamedComparison&) = delete;
  StreamedComparison& operator=(const StreamedComparison&) = delete;
  // Stops the comparison if it still runs, and waits for it to end.
  ~StreamedComparison();

  DifferenceQueue& queue() { return queue_; }

  // Stops the comparison if it still runs, waits for its thread and gives
  // the slot back. Later calls do nothing.
  void Close();

 private:
  void Run(const DiffModule& module);

  std::string file_a_;
  std::string file_b_;
  std::optional<ComparisonSlot> slot_;
  DifferenceQueue queue_;
  std::thread comparing_;
};

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_STREAMED_COMPARISON_H_
