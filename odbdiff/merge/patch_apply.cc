#include "merge/patch_apply.h"  // ApplyDifferences

#include <optional>       // std::optional
#include <string_view>    // std::string_view
#include <unordered_map>  // std::unordered_map, entries by name
#include <utility>        // std::move, std::swap

#include "json/json_string.h"               // AppendJsonString
#include "json/value_json.h"                // AppendValueJson
#include "merge/object_write_thread.h"      // ObjectWriteThread
#include "merge/same_value.h"               // SameValue
#include "merge/sorted_object_file.h"       // SortedObjectFile
#include "platform/failure.h"               // Failure
#include "request/differences_file_read.h"  // ReadDifferencesFile, ObjectDifference

namespace odbdiff {
namespace {

std::string Quoted(std::string_view name) {
  std::string quoted;
  AppendJsonString(name, quoted);
  return quoted;
}

std::string ValueJson(const SlotValue& value) {
  std::string json;
  AppendValueJson(value, json);
  return json;
}

DifferenceStatus Reversed(DifferenceStatus status) {
  if (status == DifferenceStatus::kOnlyInA) return DifferenceStatus::kOnlyInB;
  if (status == DifferenceStatus::kOnlyInB) return DifferenceStatus::kOnlyInA;
  return status;
}

void Reverse(ObjectDifference& entry) {
  entry.status = Reversed(entry.status);
  for (SlotDifference& slot : entry.slots) {
    slot.status = Reversed(slot.status);
    std::swap(slot.a, slot.b);
  }
}

class Patcher {
 public:
  explicit Patcher(const PatchSources& sources) : sources_(sources) {}

  std::vector<std::string> Apply(ObjectSink& out) {
    ReadEntries();
    SortedObjectFile a(sources_.a);
    ObjectWriteThread writes(out);
    std::vector<bool> used(entries_.size(), false);
    for (; a.next() != nullptr; a.Skip()) {
      Object object = a.Typed();
      const auto found = index_.find(object.name);
      if (found == index_.end()) {
        writes.Add(std::move(object));
        continue;
      }
      used[found->second] = true;
      PatchObject(object, entries_[found->second], writes);
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (!used[i]) AddObject(entries_[i], writes);
    }
    writes.Finish();
    return std::move(mismatches_);
  }

 private:
  void ReadEntries() {
    ReadDifferencesFile(sources_.differences, /*project=*/false,
                        [this](const std::string&, ObjectDifference&& entry) {
                          if (sources_.reverse) Reverse(entry);
                          if (!index_.emplace(entry.name, entries_.size()).second) {
                            Mismatch(entry.pointer, "object " + Quoted(entry.name) +
                                                        " is listed more than once");
                            return;
                          }
                          entries_.push_back(std::move(entry));
                        });
  }

  void Mismatch(const std::string& pointer, const std::string& cause) {
    mismatches_.push_back(sources_.differences + ": " + pointer + ": " + cause);
  }

  std::string InA() const { return " in " + sources_.a_shown; }

  void PatchObject(const Object& object, const ObjectDifference& entry, ObjectWriteThread& out) {
    if (entry.status == DifferenceStatus::kOnlyInB) {
      Mismatch(entry.pointer, "object " + Quoted(object.name) + " is" + InA() + " already");
      return;
    }
    std::unordered_map<std::string_view, std::size_t> slot_index;
    for (std::size_t j = 0; j < entry.slots.size(); ++j) slot_index.emplace(entry.slots[j].name, j);
    std::vector<bool> used(entry.slots.size(), false);
    Object patched{object.name, {}};
    for (const Slot& slot : object.slots) {
      const auto found = slot_index.find(slot.name);
      if (found == slot_index.end()) {
        patched.slots.push_back(slot);
        continue;
      }
      used[found->second] = true;
      const SlotDifference& difference = entry.slots[found->second];
      const std::string at = SlotPointer(entry, found->second);
      if (difference.status == DifferenceStatus::kOnlyInB) {
        Mismatch(at, SlotName(entry, slot.name) + " is" + InA() + " already");
        patched.slots.push_back(slot);
      } else if (!SameValue(slot.value, *difference.a)) {
        Mismatch(at, SlotName(entry, slot.name) + " holds " + ValueJson(slot.value) + InA() +
                         ", not " + ValueJson(*difference.a));
        patched.slots.push_back(slot);
      } else if (difference.status == DifferenceStatus::kBoth) {
        patched.slots.push_back({slot.name, *difference.b});
      }
    }
    for (std::size_t j = 0; j < entry.slots.size(); ++j) {
      if (used[j]) continue;
      const SlotDifference& difference = entry.slots[j];
      if (difference.status == DifferenceStatus::kOnlyInB) {
        patched.slots.push_back({difference.name, *difference.b});
      } else {
        Mismatch(SlotPointer(entry, j), SlotName(entry, difference.name) + " is not" + InA());
      }
    }
    if (entry.status == DifferenceStatus::kBoth) out.Add(std::move(patched));
  }

  // An entry whose object A does not hold: added when it is B's alone.
  void AddObject(const ObjectDifference& entry, ObjectWriteThread& out) {
    if (entry.status != DifferenceStatus::kOnlyInB) {
      Mismatch(entry.pointer, "object " + Quoted(entry.name) + " is not" + InA());
      return;
    }
    if (!entry.slots_listed) {
      Mismatch(entry.pointer, "object " + Quoted(entry.name) +
                                  " comes without its slots (a document of version 1)");
      return;
    }
    Object object{entry.name, {}};
    for (const SlotDifference& slot : entry.slots) object.slots.push_back({slot.name, *slot.b});
    out.Add(std::move(object));
  }

  static std::string SlotPointer(const ObjectDifference& entry, std::size_t j) {
    return entry.pointer + "/slots/" + std::to_string(j);
  }
  static std::string SlotName(const ObjectDifference& entry, std::string_view slot) {
    return "slot " + Quoted(slot) + " of object " + Quoted(entry.name);
  }

  const PatchSources& sources_;
  std::vector<ObjectDifference> entries_;  // in the document's order
  std::unordered_map<std::string, std::size_t> index_;
  std::vector<std::string> mismatches_;
};

}  // namespace

std::vector<std::string> ApplyDifferences(const PatchSources& sources, ObjectSink& out) {
  return Patcher(sources).Apply(out);
}

}  // namespace odbdiff
