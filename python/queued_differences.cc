#include "queued_differences.h"  // QueuedDifferences

namespace odbdiff::python {

QueuedDifferences::QueuedDifferences(DifferenceQueue& queue, const std::string& file_a,
                                     const std::string& file_b, const DiffModule& module)
    : queue_(queue),
      a_(file_a, /*list_objects=*/false),
      b_(file_b, /*list_objects=*/false),
      module_(module) {}

void QueuedDifferences::ObjectOnlyIn(Side side, const std::string& object) {
  const bool in_a = side == Side::kA;
  queue_.Add({.status = in_a ? DifferenceStatus::kOnlyInA : DifferenceStatus::kOnlyInB,
              .object = object,
              .slots = (in_a ? a_ : b_).ReadKeptObject(object, module_).slots});
}

void QueuedDifferences::SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) {
  const bool in_a = side == Side::kA;
  StreamedDifference difference{.status = in_a ? DifferenceStatus::kOnlyInA
                                               : DifferenceStatus::kOnlyInB,
                                .object = object_,
                                .is_slot = true,
                                .slot = slot};
  (in_a ? difference.a : difference.b) = value;
  queue_.Add(std::move(difference));
}

void QueuedDifferences::SlotValuesDiffer(const std::string& slot, const SlotValue& a,
                                         const SlotValue& b) {
  queue_.Add({.status = DifferenceStatus::kValuesDiffer,
              .object = object_,
              .is_slot = true,
              .slot = slot,
              .a = a,
              .b = b});
}

}  // namespace odbdiff::python
