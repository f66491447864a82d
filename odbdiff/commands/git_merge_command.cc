// odbdiff git-merge %O %A %B %P: git's merge driver (merge.<driver>.driver).
// Git gives the common ancestor, the current branch's version and the other
// branch's version in temporary files, and the path in the work tree; the
// merged file goes into %A, and an exit status other than 0 tells git that
// conflicts remain, which it then leaves to the user with %A in the work tree.
#include "commands/commands.h"  // RunCommand
#include "merge/merge_run.h"    // RunMerge, MergePlan, FavorOf

namespace odbdiff {

int RunCommand(const GitMergeRequest& request) {
  const std::vector<std::string>& arguments = request.arguments;
  const MergePlan plan{{arguments[0], arguments[1], arguments[2]},
                       arguments[1],
                       request.conflicts,
                       FavorOf(request.favor),
                       /*out_is_ours=*/true,
                       arguments[3]};
  return RunMerge(plan, request.comparison);
}

}  // namespace odbdiff
