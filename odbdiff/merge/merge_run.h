// What merge and git-merge do once their files are named: check them, put
// the comparison rules in force, merge, and put the merged file and the
// conflicts in place.
#ifndef ODBDIFF_MERGE_MERGE_RUN_H_
#define ODBDIFF_MERGE_MERGE_RUN_H_

#include <optional>  // std::optional
#include <string>    // std::string

#include "merge/slot_merge.h"       // Favor
#include "merge/three_way_merge.h"  // MergeFiles
#include "request/command_line.h"   // ComparisonOptions

namespace odbdiff {

struct MergePlan {
  MergeFiles given;                      // as the user named them
  std::string out;                       // the merged object file
  std::optional<std::string> conflicts;  // --conflicts FILE
  Favor favor = Favor::kNone;
  // git-merge writes into ours (git's %A), which merge never does.
  bool out_is_ours = false;
  std::string shown;  // the file the lines of conflicts name: OUT, or git's path
};

// Returns kSame when the merge is clean or every conflict was resolved by
// `favor`, kDiffer when conflicts stand (the merged file then takes ours'
// side of each). Throws Failure on trouble, with nothing put in place.
int RunMerge(const MergePlan& plan, const ComparisonOptions& options);

// The --favor text as a Favor: "ours", "theirs", or none.
Favor FavorOf(const std::optional<std::string>& favor);

}  // namespace odbdiff

#endif  // ODBDIFF_MERGE_MERGE_RUN_H_
