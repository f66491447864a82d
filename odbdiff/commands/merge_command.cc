// odbdiff merge BASE OURS THEIRS -o OUT: the three-way merge of object files.
#include "commands/commands.h"  // RunCommand
#include "merge/merge_run.h"    // RunMerge, MergePlan, FavorOf

namespace odbdiff {

int RunCommand(const MergeRequest& request) {
  const MergePlan plan{{request.base, request.ours, request.theirs},
                       request.out,
                       request.conflicts,
                       FavorOf(request.favor),
                       /*out_is_ours=*/false,
                       request.out};
  return RunMerge(plan, request.comparison);
}

}  // namespace odbdiff
