// odbdiff patch A DIFFERENCES -o OUT: applies a JSON of differences to A.
#include "commands/commands.h"                    // RunCommand
#include "inputs/local_inputs.h"                  // LocalInputs, pipes and standard input
#include "merge/patch_apply.h"                    // ApplyDifferences
#include "outputs/databases/object_file_write.h"  // ObjectFileWriter
#include "platform/failure.h"                     // Failure, ReportFailure, kSame, kTrouble
#include "request/input_checks.h"                 // the checks of inputs and outputs

namespace odbdiff {

int RunCommand(const PatchRequest& request) {
  LocalInputs inputs;
  const PatchSources sources{inputs.Local(request.file_a), request.file_a, request.differences,
                             request.reverse};
  CheckObjectFileInput(sources.a);
  CheckReadableFile(sources.differences);
  std::vector<std::string> read = inputs.all();
  read.push_back(sources.differences);
  CheckObjectFileOutput(request.out);
  CheckOutputsApart(read, {request.out});

  // The new file reaches its name only when every difference applied.
  ObjectFileWriter patched(request.out);
  const std::vector<std::string> mismatches = ApplyDifferences(sources, patched);
  if (!mismatches.empty()) {
    for (const std::string& mismatch : mismatches) ReportFailure(mismatch);
    return kTrouble;
  }
  patched.Commit();
  return kSame;
}

}  // namespace odbdiff
