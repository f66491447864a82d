// odbdiff compare-project DIR_A DIR_B: compares the numbered files (or those
// of --files) of two project folders, one status file per file found in both
// folders, and writes the outputs asked for (project/project_outputs.h): the
// HTML report of the project, the JSON of differences, the counts. The pairs
// are compared in worker processes (--jobs); with --shard and --partial only
// a share of them, whose status files become a partial result for
// assemble-project.
#include <filesystem>  // std::filesystem::temp_directory_path
#include <optional>    // std::optional
#include <string>      // std::string
#include <vector>      // std::vector

#include "commands/commands.h"             // RunCommand
#include "inputs/input_verification.h"     // VerifyObjectFile
#include "module/module_binding.h"         // BindDiffModule, DiffModule
#include "outputs/comparison_output.h"     // ComparedPair
#include "outputs/difference_outputs.h"    // ReadAcceptedDifferences
#include "outputs/output_list.h"           // OutputList
#include "platform/failure.h"              // ReportFailure, kSame, kDiffer
#include "platform/input_read_ahead.h"     // InputReadAhead
#include "platform/scratch_folder.h"       // ScratchFolder, kTemporaryFolderPrefix
#include "platform/worker_processes.h"     // RunTasks, ProcessorCount
#include "project/compared_project.h"      // ComparedProject
#include "project/partial_result.h"        // ShardPairs
#include "project/project_outputs.h"       // ChooseCompareProjectOutputs, ProjectOutputs
#include "project/project_pairing.h"       // PairProjectFiles, FilePair, OneSidedFile, OnlyInText
#include "project/recorded_differences.h"  // DifferenceRecorder, ReplayDifferences
#include "project/status_file_write.h"     // WriteStatusFile
#include "request/accept_file.h"           // AcceptedDifferences, PutAcceptedInForce
#include "request/comparison_rules.h"      // ResolveComparisonRules, ApplyComparisonRules
#include "request/input_checks.h"          // the checks of inputs and outputs

namespace odbdiff {
namespace {

// Checks the files and the outputs before anything is read.
void CheckArguments(const CompareProjectRequest& request, const ProjectPairing& pairing,
                    OutputList& outputs) {
  std::vector<std::string> inputs;
  outputs.CheckInputs(inputs);
  for (const FilePair& pair : pairing.pairs) {
    CheckObjectFileInput(pair.file_a);
    CheckObjectFileInput(pair.file_b);
    inputs.push_back(pair.file_a);
    inputs.push_back(pair.file_b);
  }
  // Files in one folder only are not read, but no output may replace one.
  for (const OneSidedFile& file : pairing.one_sided) {
    inputs.push_back(ProjectFilePath(file.folder, file.name));
  }
  std::vector<std::string> written;
  outputs.CheckOutputs(written);
  CheckComparisonInputs(request.comparison, inputs);
  CheckOutputsApart(inputs, written);
}

// The positions of the pairs this run compares: all, or those of its share.
std::vector<std::size_t> PairsToCompare(const CompareProjectRequest& request,
                                        std::size_t pairs) {
  if (request.shard) return ShardPairs(pairs, *request.shard);
  std::vector<std::size_t> all(pairs);
  for (std::size_t position = 0; position < pairs; ++position) all[position] = position;
  return all;
}

}  // namespace

int RunCommand(const CompareProjectRequest& request) {
  const ProjectPairing pairing =
      PairProjectFiles(request.folder_a, request.folder_b, request.file_globs);
  ProjectOutputs chosen = ChooseCompareProjectOutputs(request);
  OutputList& outputs = chosen.list;
  const PartialResultsOutput* partial = chosen.partial;
  CheckArguments(request, pairing, outputs);
  const ComparisonRules rules = ResolveComparisonRules(request.comparison);
  const std::optional<AcceptedDifferences> accepted =
      ReadAcceptedDifferences(request.comparison, /*project=*/true);
  const DiffModule& module = BindDiffModule();
  ApplyComparisonRules(module, rules);
  outputs.Stage(rules);
  DifferenceSink* sink = outputs.Differences().sink;

  std::optional<ScratchFolder> scratch;
  if (partial == nullptr) {
    // Holds the status files, removed with it: they need not be synced.
    scratch.emplace(std::filesystem::temp_directory_path(), kTemporaryFolderPrefix);
    scratch->HoldScratchDatabases();
  }
  const std::filesystem::path& status_folder =
      partial != nullptr ? partial->folder() : scratch->path();
  std::vector<std::string> status_files;
  for (const FilePair& pair : pairing.pairs) {
    status_files.push_back((status_folder / pair.status_name).string());
  }

  const std::vector<std::size_t> compared = PairsToCompare(request, pairing.pairs.size());
  const int jobs = request.jobs.value_or(ProcessorCount());
  // Workers record the differences of each pair for the outputs, which take
  // them here in the pairs' order.
  const bool recorded = sink != nullptr && jobs > 1;
  const auto record_of = [&](const FilePair& pair) {
    return (status_folder / (pair.status_name + ".differences")).string();
  };
  const std::vector<bool> pair_differs =
      RunTasks(compared.size(), jobs, [&](std::size_t task) {
        const FilePair& pair = pairing.pairs[compared[task]];
        if (request.comparison.verify_inputs) {
          VerifyObjectFile(pair.file_a, pair.file_a);
          VerifyObjectFile(pair.file_b, pair.file_b);
        }
        InputReadAhead read_ahead({pair.file_a, pair.file_b});
        if (accepted) PutAcceptedInForce(module, accepted->For(pair.name));
        std::optional<DifferenceRecorder> recorder;
        if (recorded) recorder.emplace(record_of(pair));
        DifferenceSink* pair_sink = recorder ? &*recorder : sink;
        if (pair_sink != nullptr) pair_sink->BeginFile(pair.name);
        const bool differ = WriteStatusFile(module, pair.file_a, pair.file_b,
                                            status_files[compared[task]], pair_sink);
        if (pair_sink != nullptr) pair_sink->EndFile();
        if (recorder) recorder->Close();
        return differ;
      });
  if (recorded) {
    for (const FilePair& pair : pairing.pairs) ReplayDifferences(record_of(pair), *sink);
  }
  bool differ = !pairing.one_sided.empty();
  for (const bool pair_differ : pair_differs) differ = differ || pair_differ;
  if (sink != nullptr) {
    for (const OneSidedFile& file : pairing.one_sided) {
      sink->FileOnlyIn(file.folder == request.folder_a ? Side::kA : Side::kB, file.name);
    }
  }

  const ComparedProject project{request.folder_a, request.folder_b, pairing,
                                status_files,     compared,         pair_differs};
  const ComparedPair compared_project{.module = module,
                                      .file_a = request.folder_a,
                                      .file_b = request.folder_b,
                                      .given_a = request.folder_a,
                                      .given_b = request.folder_b,
                                      .project = &project};
  outputs.ComparisonDone();
  outputs.Write(compared_project);
  outputs.Commit();
  // The share did its work; assemble-project tells whether the projects differ.
  if (partial != nullptr) return kSame;
  for (const OneSidedFile& file : pairing.one_sided) ReportFailure(OnlyInText(file));
  return differ ? kDiffer : kSame;
}

}  // namespace odbdiff
