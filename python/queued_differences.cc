#include "queued_differences.h"  // ObjectsByName, QueuedDifferences

#include "inputs/object_file_failure.h"  // ObjectFileFailure
#include "inputs/object_file_read.h"     // TakeValue

namespace odbdiff::python {

ObjectsByName::ObjectsByName(const std::string& path)
    : path_(path), database_(0, path_.c_str(), 0) {
  if (database_.Open(1) == 0) throw ObjectFileFailure(path_, database_, "not an object file");
}

std::vector<Slot> ObjectsByName::Slots(const std::string& object) {
  CStrList names;
  if (database_.GetSlots(object.c_str(), &names, 0) == 0) {
    throw ObjectFileFailure(path_, database_, "cannot read the slots of object " + object);
  }
  std::vector<Slot> slots;
  slots.reserve(static_cast<std::size_t>(names.GetLength()));
  for (int position = 0; position < names.GetLength(); ++position) {
    Slot slot{names.GetTextAt(position), {}};
    if (database_.GetValue(object.c_str(), slot.name.c_str(), fetched_, 0) == 0 ||
        !TakeValue(fetched_, slot.value)) {
      throw ObjectFileFailure(path_, database_,
                              "cannot read slot " + slot.name + " of object " + object);
    }
    slots.push_back(std::move(slot));
  }
  return slots;
}

QueuedDifferences::QueuedDifferences(DifferenceQueue& queue, const std::string& file_a,
                                     const std::string& file_b, const DiffModule& module)
    : queue_(queue), a_(file_a), b_(file_b), module_(module) {}

void QueuedDifferences::ObjectOnlyIn(Side side, const std::string& object) {
  const bool in_a = side == Side::kA;
  std::vector<Slot> slots = (in_a ? a_ : b_).Slots(object);
  std::erase_if(slots, [&](const Slot& slot) {
    return module_.diff_is_ignored(object.c_str(), slot.name.c_str()) != 0;
  });
  queue_.Add({.status = in_a ? DifferenceStatus::kOnlyInA : DifferenceStatus::kOnlyInB,
              .object = object,
              .slots = std::move(slots)});
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
