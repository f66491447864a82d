#include "request/accept_file.h"  // ReadAcceptFile, PutAcceptedInForce, AcceptedDifferences

#include <utility>  // std::move

#include "diff/diff.h"                       // DIFF_OBJECT_ONLY_IN_A ... DIFF_SLOT_VALUES_DIFFER
#include "json/value_text_form.h"            // ValueTextForm
#include "module/module_binding.h"           // ThrowIfModuleFailed
#include "platform/failure.h"                // Failure
#include "request/differences_file_read.h"   // ReadDifferencesFile, ObjectDifference

namespace odbdiff {
namespace {

// The differences an entry accepts: an object on one side only, whatever
// slots it lists; each slot of an object that differs, values in the text
// form of the object-database library.
void AddAccepted(ObjectDifference&& entry, std::vector<AcceptedDifference>& out) {
  if (entry.status != DifferenceStatus::kBoth) {
    out.push_back({entry.status == DifferenceStatus::kOnlyInA ? DIFF_OBJECT_ONLY_IN_A
                                                              : DIFF_OBJECT_ONLY_IN_B,
                   std::move(entry.name), {}, {}, {}});
    return;
  }
  for (SlotDifference& slot : entry.slots) {
    AcceptedDifference difference{0, entry.name, std::move(slot.name), {}, {}};
    if (slot.a) difference.a_value = ValueTextForm(*slot.a);
    if (slot.b) difference.b_value = ValueTextForm(*slot.b);
    difference.kind = slot.status == DifferenceStatus::kOnlyInA   ? DIFF_SLOT_ONLY_IN_A
                      : slot.status == DifferenceStatus::kOnlyInB ? DIFF_SLOT_ONLY_IN_B
                                                                  : DIFF_SLOT_VALUES_DIFFER;
    out.push_back(std::move(difference));
  }
}

}  // namespace

const std::vector<AcceptedDifference>& AcceptedDifferences::For(
    const std::string& file_name) const {
  static const std::vector<AcceptedDifference> kNone;
  if (!per_file) return everywhere;
  const auto found = by_file.find(file_name);
  return found == by_file.end() ? kNone : found->second;
}

AcceptedDifferences ReadAcceptFile(const std::string& path, bool project) {
  AcceptedDifferences accepted;
  const DifferencesFileHeading heading = ReadDifferencesFile(
      path, project, [&accepted](const std::string& file, ObjectDifference&& entry) {
        AddAccepted(std::move(entry), file.empty() ? accepted.everywhere : accepted.by_file[file]);
      });
  accepted.per_file = heading.command == "compare-project";
  return accepted;
}

void PutAcceptedInForce(const DiffModule& module,
                        const std::vector<AcceptedDifference>& differences) {
  module.diff_clear_accepted();
  for (const AcceptedDifference& difference : differences) {
    const bool slot = difference.kind != DIFF_OBJECT_ONLY_IN_A &&
                      difference.kind != DIFF_OBJECT_ONLY_IN_B;
    const bool values = difference.kind == DIFF_SLOT_VALUES_DIFFER;
    if (module.diff_accept_difference(difference.kind, difference.object.c_str(),
                                      slot ? difference.slot.c_str() : nullptr,
                                      values ? difference.a_value.c_str() : nullptr,
                                      values ? difference.b_value.c_str() : nullptr) == 0) {
      ThrowIfModuleFailed(module);
      throw Failure("the diff module refused an accepted difference");
    }
  }
}

}  // namespace odbdiff
