// odbdiff compare A.odb B.odb: compares two object files with the diff module
// and writes the outputs asked for (see comparison_output.h): each is checked,
// staged, fed by the one comparison, written, and put into place only when
// all of them are complete.
#include <filesystem>  // std::filesystem::temp_directory_path
#include <optional>    // std::optional
#include <string>      // std::string
#include <vector>      // std::vector

#include "commands/commands.h"            // RunCommand
#include "commands/pair_arguments.h"      // CheckPairArguments
#include "diff/host/list_library.h"       // CStrList
#include "diff/host/object_database.h"    // CvxODB
#include "inputs/input_verification.h"    // VerifyObjectFile
#include "inputs/local_inputs.h"          // LocalInputs, standard input and pipes
#include "inputs/object_file_failure.h"   // ObjectFileFailure
#include "module/comparison_context.h"    // ComparisonContext
#include "module/module_binding.h"        // DiffModule
#include "module/module_output.h"         // ChooseOutputMode, ModuleOutput
#include "module/observed_comparison.h"   // ObservedComparison
#include "module/pair_module_setup.h"     // SetUpModuleForPair
#include "outputs/compare_outputs.h"      // ChooseCompareOutputs, CompareOutputs
#include "outputs/databases/kept_difference_dbs.h"  // DifferenceDbs
#include "outputs/output_list.h"          // OutputList, ComparedPair
#include "platform/failure.h"             // kSame, kDiffer
#include "platform/scratch_folder.h"      // ScratchFolder, kTemporaryFolderPrefix
#include "platform/speed_ups.h"           // SpeedUps
#include "request/input_checks.h"         // the checks of inputs and outputs

namespace odbdiff {
namespace {

namespace fs = std::filesystem;

// The number of distinct object names in A and B that no ignore rule
// covers: the module prints one "Processing Object" line for each (an
// accepted object on one side only gets none, and the bar ends short).
std::size_t CountObjects(const DiffModule& module, const std::string& file_a,
                         const std::string& file_b) {
  CvxODB database_a(0, file_a.c_str(), 0);
  CvxODB database_b(0, file_b.c_str(), 0);
  CStrList names_a;
  CStrList names_b;
  if (database_a.Open(1) == 0 || database_a.GetObjects(&names_a) == 0) {
    throw ObjectFileFailure(file_a, database_a, "cannot read its objects");
  }
  if (database_b.Open(1) == 0 || database_b.GetObjects(&names_b) == 0) {
    throw ObjectFileFailure(file_b, database_b, "cannot read its objects");
  }
  std::size_t total = 0;
  for (int position = 0; position < names_a.GetLength(); ++position) {
    if (module.diff_is_ignored(names_a.GetTextAt(position), nullptr) == 0) ++total;
  }
  for (int position = 0; position < names_b.GetLength(); ++position) {
    const char* name = names_b.GetTextAt(position);
    if (names_a.IsMember(name) == 0 && module.diff_is_ignored(name, nullptr) == 0) ++total;
  }
  return total;
}

// True when no report, no kept database and no --stat is asked for: the
// counts are then printed as --stat prints them, so that a run that is not
// --quiet always tells its result.
bool NoResultAsked(const CompareRequest& request) {
  return !request.text_report && !request.summary && !request.html.report && !request.kept_folder &&
         !request.comparison.json && !request.comparison.stat;
}

}  // namespace

int RunCommand(const CompareRequest& given) {
  // Standard input and pipes are compared through copies.
  LocalInputs inputs;
  CompareRequest request = given;
  if (NoResultAsked(request) && !request.quiet) request.comparison.stat = true;
  request.file_a = inputs.Local(given.file_a);
  request.file_b = inputs.Local(given.file_b);
  CompareOutputs chosen = ChooseCompareOutputs(request, given);
  OutputList& outputs = chosen.list;
  const KeptDifferenceDbsOutput* kept = chosen.kept;
  const std::vector<std::string> read = CheckPairArguments(
      request.file_a, request.file_b, request.comparison, inputs.all(), outputs);
  if (!request.quiet) CheckStandardOutputApart(read);
  if (request.comparison.verify_inputs) {
    VerifyObjectFile(request.file_a, given.file_a);
    VerifyObjectFile(request.file_b, given.file_b);
  }
  SpeedUps speed_ups(request.file_a, request.file_b);
  const auto [rules, module] = SetUpModuleForPair(request.comparison);

  // Holds the difference databases unless they are kept, and the outputs' own files.
  std::optional<ScratchFolder> scratch;
  if (kept == nullptr || outputs.UsesScratch()) {
    scratch.emplace(fs::temp_directory_path(), kTemporaryFolderPrefix);
    scratch->HoldScratchDatabases();
  }
  outputs.Stage(rules);
  const DifferenceDbs databases =
      kept != nullptr ? kept->databases().staged() : DifferenceDbs(scratch->path());
  const ComparedPair pair{.module = module,
                          .file_a = request.file_a,
                          .file_b = request.file_b,
                          .given_a = given.file_a,
                          .given_b = given.file_b,
                          .scratch = scratch ? scratch->path() : fs::path()};
  const DifferencesWanted wanted = outputs.Differences();
  // An output on standard output has it to itself: no module line, no bar.
  const OutputMode mode =
      ChooseOutputMode(request.quiet || outputs.ToStandardOutput(), request.verbose);
  const std::size_t total =
      mode == OutputMode::kProgressBar ? CountObjects(module, request.file_a, request.file_b) : 0;

  int differ = 0;
  {
    ModuleOutput module_output(mode, total);
    {
      const ComparisonContext context(module, kept != nullptr);
      {
        ObservedComparison observed(module, wanted, request.file_a, request.file_b);
        differ = module.diff_objfiles_ormo(request.file_a.c_str(), request.file_b.c_str(),
                                           databases.a.c_str(), databases.b.c_str(),
                                           databases.combined.c_str(), 0);
        observed.Finish(kept != nullptr ? kept->databases().shown() : std::vector<PathShown>{});
      }
      speed_ups.ComparisonDone();
      outputs.ComparisonDone();
      speed_ups.RunWrites(outputs.WritesFromContext(pair), mode == OutputMode::kSilent);
    }
    module_output.Finish();
  }
  outputs.Write(pair);

  // Everything is complete: only now does any of it reach its final name.
  outputs.Commit();
  return differ != 0 ? kDiffer : kSame;
}

}  // namespace odbdiff
