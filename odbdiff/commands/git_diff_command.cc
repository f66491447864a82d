// odbdiff git-diff ARGUMENTS...: show for the arguments that git gives an
// external diff (diff.<driver>.command, GIT_EXTERNAL_DIFF):
//   PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX NEW-MODE [NEW-PATH RENAME-INFO]
// with /dev/null for the side of an added or deleted file; PATH alone for an
// unmerged path; and for git difftool --extcmd: LOCAL REMOTE. Git stops at
// an external diff that exits with anything but 0, so differences exit 0.
#include <cstdlib>     // std::getenv
#include <filesystem>  // std::filesystem::temp_directory_path
#include <optional>    // std::optional
#include <string>      // std::string
#include <vector>      // std::vector

#include "commands/commands.h"          // RunCommand
#include "inputs/local_inputs.h"        // LocalInputs, pipes and standard input
#include "outputs/databases/object_file_write.h"  // ObjectFileWriter, the empty file for /dev/null
#include "outputs/text/show_differences.h"   // ShowDifferences, ShowPlan, ShowInColor
#include "outputs/standard_output.h"    // WriteStandardOutput
#include "platform/failure.h"           // kSame
#include "platform/scratch_folder.h"    // ScratchFolder, kTemporaryFolderPrefix
#include "request/input_checks.h"       // the checks of inputs and outputs

namespace odbdiff {
namespace {

constexpr char kNoFile[] = "/dev/null";  // git's side of an added or deleted file

// True when git runs its pager, so that colours reach a terminal.
bool GitPagerInUse() {
  const char* in_use = std::getenv("GIT_PAGER_IN_USE");
  return in_use != nullptr && (std::string(in_use) == "true" || std::string(in_use) == "1");
}

// The files to open: git's files, copied when they are no regular files, and
// an empty object file for /dev/null.
class GitSides {
 public:
  std::string Open(const std::string& file) {
    if (file != kNoFile) return inputs_.Local(file);
    if (!empty_) {
      scratch_.emplace(std::filesystem::temp_directory_path(), kTemporaryFolderPrefix);
      empty_ = (scratch_->path() / "empty.odb").string();
      ObjectFileWriter writer(*empty_);
      writer.Commit();
    }
    return *empty_;
  }
  const std::vector<std::string>& inputs() const { return inputs_.all(); }

 private:
  LocalInputs inputs_;
  std::optional<ScratchFolder> scratch_;
  std::optional<std::string> empty_;
};

}  // namespace

int RunCommand(const GitDiffRequest& request) {
  const std::vector<std::string>& arguments = request.arguments;
  if (arguments.size() == 1) {
    WriteStandardOutput("* Unmerged path " + arguments[0] + "\n");
    return kSame;
  }
  ShowPlan plan;
  if (arguments.size() == 2) {
    plan.name_a = arguments[0];
    plan.name_b = arguments[1];
    plan.sources.heading = {"--- " + plan.name_a, "+++ " + plan.name_b};
  } else {
    const std::string& old_path = arguments[0];
    const std::string& new_path = arguments.size() == 9 ? arguments[7] : old_path;
    plan.name_a = arguments[1];
    plan.name_b = arguments[4];
    plan.sources.heading = {
        "diff --odbdiff a/" + old_path + " b/" + new_path,
        plan.name_a == kNoFile ? std::string("--- /dev/null") : "--- a/" + old_path,
        plan.name_b == kNoFile ? std::string("+++ /dev/null") : "+++ b/" + new_path};
  }
  GitSides sides;
  plan.sources.file_a = sides.Open(plan.name_a);
  plan.sources.file_b = sides.Open(plan.name_b);
  plan.color = ShowInColor(request.color, GitPagerInUse());

  CheckObjectFileInput(plan.sources.file_a);
  CheckObjectFileInput(plan.sources.file_b);
  std::vector<std::string> checked_inputs = sides.inputs();
  std::vector<std::string> outputs;
  CheckComparisonFiles(request.comparison, checked_inputs, outputs);
  CheckStandardOutputApart(checked_inputs);
  ShowDifferences(plan, request.comparison);
  return kSame;
}

}  // namespace odbdiff
