// The result of odbdiff.compare: an iterator over the differences as the
// comparison finds them, and the counts once it has ended.
#ifndef ODBDIFF_PYTHON_COMPARISON_ITERATOR_H_
#define ODBDIFF_PYTHON_COMPARISON_ITERATOR_H_

#include <pybind11/pybind11.h>

#include <cstddef>  // std::size_t
#include <memory>   // std::unique_ptr
#include <string>   // std::string

#include "difference_queue.h"     // DifferenceBatch, ComparisonOutcome
#include "streamed_comparison.h"  // StreamedComparison

namespace odbdiff::python {

namespace py = pybind11;

class ComparisonIterator {
 public:
  explicit ComparisonIterator(std::unique_ptr<StreamedComparison> comparison);

  // The next Difference; raises StopIteration after the last, or the
  // comparison's failure as odbdiff.Error.
  py::object Next();
  // Every difference not yet taken, each as a dict of its fields.
  py::list Records();
  // The counts and whether the files differ: the rest of the differences
  // are passed over first.
  py::object Counts();
  bool Differ();
  // Stops the comparison and frees the process's comparison slot.
  void Close();

 private:
  // Takes the next batch; false once the comparison has ended (and closes).
  bool Refill();
  // Waits for the end of the comparison, dropping what comes; raises its failure.
  const ComparisonOutcome& Outcome();
  py::object ToPython(const StreamedDifference& difference) const;

  std::unique_ptr<StreamedComparison> comparison_;
  DifferenceBatch batch_;
  std::size_t next_ = 0;
  bool ended_ = false;
  ComparisonOutcome outcome_;
  py::object statuses_[3];
};

// Raises the failure line as odbdiff.Error; defined with the module.
[[noreturn]] void RaiseError(const std::string& line);

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_COMPARISON_ITERATOR_H_
