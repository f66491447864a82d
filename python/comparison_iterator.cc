#include "comparison_iterator.h"  // ComparisonIterator

#include <chrono>   // std::chrono::milliseconds
#include <utility>  // std::move

#include "platform/failure.h"  // FailureLine
#include "python_text.h"        // TextToPython
#include "python_values.h"      // NamedTuple, ValueToPython, SlotsToPython, DifferenceType, CountsType

namespace odbdiff::python {
namespace {

// How long the iteration waits for a batch before it looks at signals.
constexpr std::chrono::milliseconds kSignalCheckInterval{100};

}  // namespace

ComparisonIterator::ComparisonIterator(std::unique_ptr<StreamedComparison> comparison)
    : comparison_(std::move(comparison)),
      statuses_{py::str("only-in-a"), py::str("only-in-b"), py::str("values-differ")} {}

bool ComparisonIterator::Refill() {
  if (ended_) return false;
  next_ = 0;
  for (;;) {
    DifferenceQueue::Taken taken = DifferenceQueue::Taken::kNothingYet;
    {
      // The comparing thread needs no GIL; other Python threads may run meanwhile.
      const py::gil_scoped_release released;
      taken = comparison_->queue().Next(batch_, kSignalCheckInterval);
    }
    if (taken == DifferenceQueue::Taken::kBatch) return true;
    if (taken == DifferenceQueue::Taken::kEnded) break;
    // Ctrl-C (KeyboardInterrupt) while the comparison finds nothing.
    if (PyErr_CheckSignals() != 0) throw py::error_already_set();
  }
  outcome_ = comparison_->queue().outcome();
  ended_ = true;
  Close();
  return false;
}

py::object ComparisonIterator::Next() {
  if (next_ == batch_.size() && !Refill()) {
    if (!outcome_.failure.empty()) RaiseError(outcome_.failure);
    throw py::stop_iteration();
  }
  return ToPython(batch_[next_++]);
}

py::object ComparisonIterator::ToPython(const StreamedDifference& difference) const {
  const py::object& status = statuses_[static_cast<int>(difference.status)];
  const py::object object = TextToPython(difference.object);
  if (!difference.is_slot) {
    py::object slots = SlotsToPython(difference.slots);
    const bool in_a = difference.status == DifferenceStatus::kOnlyInA;
    return NamedTuple(DifferenceType(), {object, py::none(), status, in_a ? slots : py::none(),
                                         in_a ? py::none() : slots});
  }
  const bool has_a = difference.status != DifferenceStatus::kOnlyInB;
  const bool has_b = difference.status != DifferenceStatus::kOnlyInA;
  return NamedTuple(DifferenceType(),
                    {object, TextToPython(difference.slot), status,
                     has_a ? ValueToPython(difference.a) : py::none(),
                     has_b ? ValueToPython(difference.b) : py::none()});
}

py::list ComparisonIterator::Records() {
  static const char* const kFields[] = {"object", "slot", "status", "a", "b"};
  py::list records;
  for (;;) {
    if (next_ == batch_.size() && !Refill()) break;
    const py::tuple difference = ToPython(batch_[next_++]);
    py::dict record;
    for (std::size_t i = 0; i < std::size(kFields); ++i) record[kFields[i]] = difference[i];
    records.append(std::move(record));
  }
  if (!outcome_.failure.empty()) RaiseError(outcome_.failure);
  return records;
}

const ComparisonOutcome& ComparisonIterator::Outcome() {
  while (Refill()) {
  }
  batch_.clear();
  next_ = 0;
  if (!outcome_.failure.empty()) RaiseError(outcome_.failure);
  return outcome_;
}

py::object ComparisonIterator::Counts() {
  const odbdiff::Counts& counts = Outcome().counts;
  return NamedTuple(CountsType(),
                    {py::int_(counts.objects_in_a()), py::int_(counts.objects_in_b()),
                     py::int_(counts.objects_identical), py::int_(counts.objects_differing),
                     py::int_(counts.objects_only_in_a), py::int_(counts.objects_only_in_b),
                     py::int_(counts.slots_only_in_a), py::int_(counts.slots_only_in_b),
                     py::int_(counts.slots_values_differ)});
}

bool ComparisonIterator::Differ() { return Outcome().differ; }

void ComparisonIterator::Close() {
  if (!comparison_) return;
  if (!ended_) {
    ended_ = true;
    outcome_.failure = FailureLine("the comparison was closed before its end");
  }
  {
    const py::gil_scoped_release released;
    comparison_->Close();
  }
  comparison_.reset();
}

}  // namespace odbdiff::python
