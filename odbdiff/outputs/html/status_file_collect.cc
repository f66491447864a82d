#include "outputs/html/status_file_collect.h"  // StatusFileCollector

#include <string_view>    // std::string_view
#include <unordered_set>  // std::unordered_set, slot names looked up

#include "outputs/html/status_file_writer.h"  // InputObjectFile, StatusFileWriter, the codes

namespace odbdiff {
namespace {

using NameSet = std::unordered_set<std::string_view>;

NameSet NamesOf(CStrList& list) {
  NameSet names;
  names.reserve(static_cast<std::size_t>(list.GetLength()));
  for (int position = 0; position < list.GetLength(); ++position) {
    names.insert(list.GetTextAt(position));
  }
  return names;
}

}  // namespace

void StatusFileCollector::ObjectOnlyIn(Side side, const std::string& object) {
  (side == Side::kA ? only_in_a_ : only_in_b_).push_back(object);
}

void StatusFileCollector::ObjectSame(const std::string& object) {
  MergeOneSidedRuns();
  if (every_slot_) {
    AddCommon(Kind::kSame, object);
  } else {
    // Counted only: the report gives it no block.
    statuses_.AddObject(object, true, true, {});
  }
}

void StatusFileCollector::ObjectDiffers(const std::string& object) {
  MergeOneSidedRuns();
  AddCommon(Kind::kDiffers, object);
}

void StatusFileCollector::SlotOnlyIn(Side side, const std::string& slot, const SlotValue&) {
  entries_.back().codes.emplace_back(slot, side == Side::kA ? kOnlyInA : kOnlyInB);
}

void StatusFileCollector::SlotValuesDiffer(const std::string& slot, const SlotValue&,
                                           const SlotValue&) {
  entries_.back().codes.emplace_back(slot, kValuesDiffer);
}

void StatusFileCollector::AddCommon(Kind kind, const std::string& object) {
  entries_.push_back({kind, object, {}});
}

void StatusFileCollector::MergeOneSidedRuns() {
  auto in_a = only_in_a_.begin();
  auto in_b = only_in_b_.begin();
  while (in_a != only_in_a_.end() || in_b != only_in_b_.end()) {
    if (in_b == only_in_b_.end() || (in_a != only_in_a_.end() && *in_a < *in_b)) {
      entries_.push_back({Kind::kOnlyInA, std::move(*in_a++), {}});
    } else {
      entries_.push_back({Kind::kOnlyInB, std::move(*in_b++), {}});
    }
  }
  only_in_a_.clear();
  only_in_b_.clear();
}

void StatusFileCollector::Write(const DiffModule& module, const std::string& file_a,
                                const std::string& file_b, const std::string& status_file) {
  MergeOneSidedRuns();
  InputObjectFile input_a(file_a);
  InputObjectFile input_b(file_b);
  StatusFileWriter status(status_file);
  for (const Entry& entry : entries_) {
    const char* object = entry.name.c_str();
    if (entry.kind == Kind::kOnlyInA) {
      const std::uint64_t slots = status.AddAllSlots(module, input_a, object, kOnlyInA);
      statuses_.AddObject(entry.name, true, false, {.only_in_a = slots});
      continue;
    }
    if (entry.kind == Kind::kOnlyInB) {
      const std::uint64_t slots = status.AddAllSlots(module, input_b, object, kOnlyInB);
      statuses_.AddObject(entry.name, false, true, {.only_in_b = slots});
      continue;
    }
    status.AddObject(object);
    SlotCodes codes;
    NameSet differing;
    for (const auto& [slot, code] : entry.codes) {
      status.AddSlot(object, slot.c_str(), code);
      differing.insert(slot);
      if (code == kOnlyInA) {
        ++codes.only_in_a;
      } else if (code == kOnlyInB) {
        ++codes.only_in_b;
      } else {
        ++codes.values_differ;
      }
    }
    if (every_slot_) {
      // The slots of both files that gave no difference have equal values
      // (or an accepted change); a slot on one side only that gave none is
      // an accepted difference, which the module's slot comparison leaves out.
      CStrList slots_a = input_a.Slots(object);
      CStrList slots_b = input_b.Slots(object);
      const NameSet in_b = NamesOf(slots_b);
      for (int position = 0; position < slots_a.GetLength(); ++position) {
        const char* slot = slots_a.GetTextAt(position);
        if (in_b.contains(slot) && !differing.contains(slot) &&
            module.diff_is_ignored(object, slot) == 0) {
          status.AddSlot(object, slot, kValuesEqual);
          ++codes.values_equal;
        }
      }
    }
    statuses_.AddObject(entry.name, true, true, codes);
  }
  status.Save();
}

}  // namespace odbdiff
