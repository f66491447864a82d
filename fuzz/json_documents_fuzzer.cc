// odbdiff's readers of its own JSON documents on any bytes: an accept file
// (of a pair and of a project), a rules file and a partial result's manifest
// are read or refused with a Failure, never a crash; and what is read keeps
// the promises its reader makes.
#include <sys/stat.h>  // mkdir

#include <cmath>    // std::isfinite
#include <cstddef>  // std::size_t
#include <cstdint>  // std::uint8_t
#include <cstdlib>  // std::abort
#include <string>   // std::string
#include <vector>   // std::vector

#include "diff/diff.h"                 // DIFF_OBJECT_ONLY_IN_A ... DIFF_SLOT_VALUES_DIFFER
#include "platform/failure.h"          // Failure, the refusal of a bad document
#include "project/partial_result.h"    // ReadPartialManifest, kManifestName
#include "request/accept_file.h"       // ReadAcceptFile, AcceptedDifferences
#include "request/comparison_rules.h"  // ResolveComparisonRules
#include "scratch_file.h"              // ScratchPath, WriteScratchFile

namespace {

// The folder of a partial result, whose manifest is the input; the other
// readers read the same file.
const std::string& ResultFolder() {
  static const std::string folder = [] {
    const std::string path = fuzz::ScratchPath("partial");
    if (mkdir(path.c_str(), 0700) != 0) std::abort();
    return path;
  }();
  return folder;
}

bool HoldsNul(const std::string& text) { return text.find('\0') != std::string::npos; }

// An accepted difference names an object, a slot when it is a slot's, and
// holds no NUL, which the module's entry point could not take.
void CheckAccepted(const std::vector<odbdiff::AcceptedDifference>& differences) {
  for (const odbdiff::AcceptedDifference& difference : differences) {
    const bool object_only = difference.kind == DIFF_OBJECT_ONLY_IN_A ||
                             difference.kind == DIFF_OBJECT_ONLY_IN_B;
    if (difference.kind < DIFF_OBJECT_ONLY_IN_A || difference.kind > DIFF_SLOT_VALUES_DIFFER ||
        difference.object.empty() || object_only != difference.slot.empty() ||
        HoldsNul(difference.object) || HoldsNul(difference.slot) ||
        HoldsNul(difference.a_value) || HoldsNul(difference.b_value)) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = ResultFolder() + "/" + odbdiff::kManifestName;
  fuzz::RemoveScratchFile(path);
  fuzz::WriteScratchFile(path, data, size);
  // A refusal is a fine answer to bad bytes; any other exception is not.
  for (const bool project : {false, true}) {
    try {
      const odbdiff::AcceptedDifferences accepted = odbdiff::ReadAcceptFile(path, project);
      if (accepted.per_file && !project) std::abort();
      CheckAccepted(accepted.everywhere);
      for (const auto& [file, differences] : accepted.by_file) CheckAccepted(differences);
    } catch (const odbdiff::Failure&) {
    }
  }
  try {
    odbdiff::ComparisonOptions options;
    options.rules_file = path;
    const odbdiff::ComparisonRules rules = odbdiff::ResolveComparisonRules(options);
    if (!std::isfinite(rules.tolerance_percent) || rules.tolerance_percent < 0 ||
        rules.tolerance_percent >= 100) {
      std::abort();
    }
    for (const std::string& pattern : rules.ignore_objects) {
      if (HoldsNul(pattern)) std::abort();
    }
    for (const std::string& pattern : rules.ignore_slots) {
      if (HoldsNul(pattern)) std::abort();
    }
    // A slot rule the module would refuse must have been refused here.
    for (const odbdiff::SlotRule& rule : rules.slot_rules) {
      if (HoldsNul(rule.object) || HoldsNul(rule.slot) || !odbdiff::KnownSlotRule(rule.rule) ||
          !(rule.relative >= 0 && rule.relative < 100) ||
          !(std::isfinite(rule.absolute) && rule.absolute >= 0)) {
        std::abort();
      }
    }
  } catch (const odbdiff::Failure&) {
  }
  try {
    const odbdiff::PartialManifest manifest = odbdiff::ReadPartialManifest(ResultFolder());
    if (manifest.shard.index < 1 || manifest.shard.index > manifest.shard.count) std::abort();
  } catch (const odbdiff::Failure&) {
  }
  return 0;
}
