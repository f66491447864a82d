#include "merge/merge_run.h"  // RunMerge, FavorOf

#include <vector>  // std::vector

#include "inputs/input_verification.h"           // VerifyObjectFile
#include "inputs/local_inputs.h"                 // LocalInputs, pipes and standard input
#include "merge/conflicts_write.h"               // ConflictsWriter
#include "module/pair_module_setup.h"            // SetUpModuleForPair
#include "outputs/databases/object_file_write.h"  // ObjectFileWriter
#include "platform/failure.h"                    // kSame, kDiffer
#include "request/input_checks.h"                // the checks of inputs and outputs

namespace odbdiff {

Favor FavorOf(const std::optional<std::string>& favor) {
  if (!favor) return Favor::kNone;
  return *favor == "theirs" ? Favor::kTheirs : Favor::kOurs;
}

int RunMerge(const MergePlan& plan, const ComparisonOptions& options) {
  LocalInputs inputs;
  const MergeFiles files{inputs.Local(plan.given.base), inputs.Local(plan.given.ours),
                         inputs.Local(plan.given.theirs)};
  for (const std::string* file : {&files.base, &files.ours, &files.theirs}) {
    CheckObjectFileInput(*file);
  }
  std::vector<std::string> read = inputs.all();
  CheckComparisonInputs(options, read);
  CheckObjectFileOutput(plan.out);
  std::vector<std::string> outputs{plan.out};
  if (plan.conflicts) {
    CheckWritableOutput(*plan.conflicts);
    outputs.push_back(*plan.conflicts);
  }
  if (plan.out_is_ours) {
    // The merged file replaces ours, read whole before.
    std::erase(read, plan.given.ours);
  }
  CheckOutputsApart(read, outputs);
  if (options.verify_inputs) {
    VerifyObjectFile(files.base, plan.given.base);
    VerifyObjectFile(files.ours, plan.given.ours);
    VerifyObjectFile(files.theirs, plan.given.theirs);
  }
  const auto [rules, module] = SetUpModuleForPair(options);

  ObjectFileWriter merged(plan.out);
  ConflictsWriter conflicts(plan.conflicts, plan.given, plan.favor, plan.shown);
  const std::size_t count = MergeObjectFiles(module, files, {plan.favor, rules.slot_rules}, merged,
                                             conflicts);
  merged.Commit();
  conflicts.Commit();
  return count == 0 || plan.favor != Favor::kNone ? kSame : kDiffer;
}

}  // namespace odbdiff
