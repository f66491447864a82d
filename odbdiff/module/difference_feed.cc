#include "module/difference_feed.h"  // TypedSlotReader, EventFeed, SortedSlots, FeedComparedObject

#include <algorithm>  // std::sort, an object's slots by name
#include <cstring>    // std::strcmp

#include "inputs/object_file_failure.h"  // ObjectFileFailure
#include "inputs/object_file_read.h"     // TakeValue
#include "platform/failure.h"            // Failure

namespace odbdiff {
namespace {

SortedSlot MakeSortedSlot(const char* name, std::int64_t name_status,
                          std::int64_t value_status) {
  return SortedSlot{name, name_status == DIFF_STATUS_DIFFERENT, value_status == DIFF_STATUS_SAME};
}

}  // namespace

TypedSlotReader::TypedSlotReader(const std::string& path)
    : path_(path), database_(0, path_.c_str(), 0) {
  if (database_.Open(1) == 0) throw ObjectFileFailure(path_, database_, "not an object file");
}

SlotValue TypedSlotReader::Read(const std::string& object, const std::string& slot) {
  SlotValue value;
  if (database_.GetValue(object.c_str(), slot.c_str(), fetched_, 0) == 0 ||
      !TakeValue(fetched_, value)) {
    throw ObjectFileFailure(path_, database_,
                            "cannot read slot " + slot + " of object " + object);
  }
  return value;
}

EventFeed::EventFeed(DifferenceSink& sink, const std::string& file_a, const std::string& file_b,
                     bool typed_values)
    : sink_(sink) {
  if (typed_values) {
    a_.emplace(file_a);
    b_.emplace(file_b);
  }
}

SlotValue EventFeed::Value(std::optional<TypedSlotReader>& reader, const std::string& object,
                           const char* slot, const char* text) {
  if (reader) return reader->Read(object, slot);
  return TextValue{text != nullptr ? text : ""};
}

int EventFeed::Observe(void* feed, const diff_event* event) {
  auto& self = *static_cast<EventFeed*>(feed);
  // Nothing may cross the module: a failure stops the comparison and waits
  // for the host to rethrow it.
  try {
    self.Take(*event);
    return 0;
  } catch (...) {
    self.failure_ = std::current_exception();
    return 1;
  }
}

void EventFeed::RethrowFailure() const {
  if (failure_) std::rethrow_exception(failure_);
}

void EventFeed::Take(const diff_event& event) {
  switch (event.kind) {
    case DIFF_OBJECT_ONLY_IN_A:
      Finish();
      sink_.ObjectOnlyIn(Side::kA, event.object);
      break;
    case DIFF_OBJECT_ONLY_IN_B:
      Finish();
      sink_.ObjectOnlyIn(Side::kB, event.object);
      break;
    case DIFF_OBJECT_SAME:
      Finish();
      sink_.ObjectSame(event.object);
      break;
    case DIFF_OBJECT_DIFFERS:
      Finish();
      object_ = event.object;
      sink_.ObjectDiffers(object_);
      break;
    case DIFF_SLOT_ONLY_IN_A:
    case DIFF_SLOT_ONLY_IN_B:
    case DIFF_SLOT_VALUES_DIFFER:
      pending_.push_back({event.kind, event.slot, event.a_value != nullptr ? event.a_value : "",
                          event.b_value != nullptr ? event.b_value : ""});
      break;
    default:
      throw Failure("the diff module reported a difference of unknown kind " +
                    std::to_string(event.kind));
  }
}

void EventFeed::Finish() {
  // The module finds an object's slots in its own walk; they are handed on
  // in byte-wise order of their names, as every command hands them on.
  std::sort(pending_.begin(), pending_.end(),
            [](const PendingSlot& x, const PendingSlot& y) { return x.slot < y.slot; });
  for (const PendingSlot& slot : pending_) {
    const char* name = slot.slot.c_str();
    if (slot.kind == DIFF_SLOT_ONLY_IN_A) {
      sink_.SlotOnlyIn(Side::kA, slot.slot, Value(a_, object_, name, slot.a_value.c_str()));
    } else if (slot.kind == DIFF_SLOT_ONLY_IN_B) {
      sink_.SlotOnlyIn(Side::kB, slot.slot, Value(b_, object_, name, slot.b_value.c_str()));
    } else {
      sink_.SlotValuesDiffer(slot.slot, Value(a_, object_, name, slot.a_value.c_str()),
                             Value(b_, object_, name, slot.b_value.c_str()));
    }
  }
  pending_.clear();
}

std::vector<SortedSlot> SortedSlots(CStrList& names, CStrList& values) {
  std::vector<SortedSlot> slots;
  slots.reserve(static_cast<std::size_t>(names.GetLength()));
  for (int position = 0; position < names.GetLength(); ++position) {
    std::int64_t name_status = 0;
    std::int64_t value_status = 0;
    const char* name = names.GetTextAt(position, &name_status);
    values.GetTextAt(position, &value_status);
    slots.push_back(MakeSortedSlot(name, name_status, value_status));
  }
  return slots;
}

std::vector<SortedSlot> SortedSlots(list2 names, list2 values) {
  std::vector<SortedSlot> slots;
  const int length = list2_length(names);
  slots.reserve(static_cast<std::size_t>(length > 0 ? length : 0));
  for (int position = 0; position < length; ++position) {
    std::int64_t name_status = 0;
    std::int64_t value_status = 0;
    const char* name = list2_get_item(names, position, &name_status);
    list2_get_item(values, position, &value_status);
    slots.push_back(MakeSortedSlot(name, name_status, value_status));
  }
  return slots;
}

void FeedComparedObject(DifferenceSink& sink, const std::string& object,
                        const std::vector<SortedSlot>& a, const std::vector<SortedSlot>& b,
                        TypedSlotReader& reader_a, TypedSlotReader& reader_b) {
  bool differs = false;
  for (const SortedSlot& slot : a) differs = differs || slot.one_sided || !slot.values_equal;
  for (const SortedSlot& slot : b) differs = differs || slot.one_sided;
  if (!differs) {
    sink.ObjectSame(object);
    return;
  }
  sink.ObjectDiffers(object);
  // Both lists are sorted byte-wise: a merge gives every slot once, in order.
  auto in_a = a.begin();
  auto in_b = b.begin();
  while (in_a != a.end() || in_b != b.end()) {
    const int order = in_a == a.end()   ? 1
                      : in_b == b.end() ? -1
                                        : std::strcmp(in_a->name, in_b->name);
    if (order < 0) {
      if (in_a->one_sided) sink.SlotOnlyIn(Side::kA, in_a->name, reader_a.Read(object, in_a->name));
      ++in_a;
    } else if (order > 0) {
      if (in_b->one_sided) sink.SlotOnlyIn(Side::kB, in_b->name, reader_b.Read(object, in_b->name));
      ++in_b;
    } else {
      if (!in_a->values_equal) {
        sink.SlotValuesDiffer(in_a->name, reader_a.Read(object, in_a->name),
                              reader_b.Read(object, in_b->name));
      }
      ++in_a;
      ++in_b;
    }
  }
}

}  // namespace odbdiff
