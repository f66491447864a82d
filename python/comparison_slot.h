// The diff module's comparison context is the process's, not a thread's:
// one comparison at a time. The slot is taken before a comparison puts its
// options in force and given back once its context has ended.
#ifndef ODBDIFF_PYTHON_COMPARISON_SLOT_H_
#define ODBDIFF_PYTHON_COMPARISON_SLOT_H_

#include <string>  // std::string
#include <vector>  // std::vector

namespace odbdiff::python {

class ComparisonSlot {
 public:
  // Takes the slot for a comparison of `inputs` (A, B and the files of its
  // options). Throws Failure when another comparison holds it.
  explicit ComparisonSlot(std::vector<std::string> inputs);
  ComparisonSlot(const ComparisonSlot&) = delete;
  ComparisonSlot& operator=(const ComparisonSlot&) = delete;
  ~ComparisonSlot();

  // The inputs of the comparison that holds the slot; none when it is free.
  static std::vector<std::string> InputsInUse();
};

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_COMPARISON_SLOT_H_
