// odbdiff assemble-project DIR_A DIR_B PARTIAL_DIR... --html FILE: writes
// the HTML report of a project from the partial results of
// compare-project --shard I/N --partial DIR, the same report one
// compare-project writes, once the partial results are found to fit
// together: made from the same files with the same options, and every share
// 1..N given once. Each pair's status comes from its status file, which must
// agree with what the share's manifest says of it.
#include <optional>  // std::optional
#include <string>    // std::string
#include <vector>    // std::vector

#include "commands/commands.h"         // RunCommand
#include "module/module_binding.h"     // BindDiffModule
#include "outputs/html/html_report.h"       // ChooseHtmlTemplate
#include "outputs/staged_output.h"     // StagedOutput
#include "platform/failure.h"          // Failure, ReportFailure, kSame, kDiffer
#include "project/partial_result.h"    // ReadPartialManifest, ShardPairs, DescribeOrigin
#include "project/project_pairing.h"   // PairProjectFiles
#include "project/project_report.h"    // WriteProjectReport
#include "project/status_file_read.h"  // StatusFileShowsDifference
#include "request/comparison_rules.h"  // ComparisonRules, the default rules
#include "request/input_checks.h"      // the checks of inputs and outputs

namespace odbdiff {
namespace {

std::string ShareText(const Shard& shard) {
  return std::to_string(shard.index) + "/" + std::to_string(shard.count);
}

// "with --files A --files B", or "without --files" for the numbered files.
std::string FilesText(const std::vector<std::string>& globs) {
  if (globs.empty()) return "without --files";
  std::string text = "with";
  for (const std::string& glob : globs) text += " --files " + glob;
  return text;
}

// The status of each pair of the share in `dir`, read from its status file
// and checked against the manifest's. Sets `differ` when a pair differs.
void CheckShareStatus(const std::string& dir, const PartialManifest& manifest,
                      const ProjectPairing& pairing, const std::vector<std::size_t>& positions,
                      const std::vector<std::string>& status_files, bool& differ) {
  for (std::size_t at = 0; at < positions.size(); ++at) {
    const FilePair& pair = pairing.pairs[positions[at]];
    const std::string& status_file = status_files[positions[at]];
    const bool pair_differs = StatusFileShowsDifference(status_file, pair.file_a, pair.file_b);
    if (pair_differs != manifest.pairs[at].differ) {
      const std::string said = pair_differs ? " is the same" : " differs";
      throw Failure(dir + "/" + kManifestName,
                    "says " + pair.name + said + ", but its status file " + status_file +
                        (pair_differs ? " shows differences" : " shows none"));
    }
    differ = differ || pair_differs;
  }
}

// The status file of every pair, from the partial results, once they are
// found to fit together and with the project. Sets `differ` when a pair
// differs. Throws Failure "PARTIAL_DIR: CAUSE" when they do not.
std::vector<std::string> StatusFilesOf(const AssembleProjectRequest& request,
                                       const ProjectPairing& pairing, bool& differ) {
  // The folders as they are now; the options are those of the first share.
  const PartialOrigin now =
      DescribeOrigin(request.folder_a, request.folder_b, request.file_globs, {}, std::nullopt);
  std::vector<std::string> status_files(pairing.pairs.size());
  std::optional<PartialManifest> first;
  std::vector<std::string> share_dirs;  // by share index - 1
  for (const std::string& dir : request.partials) {
    const PartialManifest manifest = ReadPartialManifest(dir);
    // Other files would pair otherwise: say so rather than "other files".
    if (manifest.origin.file_globs != now.file_globs) {
      throw Failure(dir, "made " + FilesText(manifest.origin.file_globs) +
                             ", but assembled " + FilesText(now.file_globs) +
                             ": give assemble-project the --files of compare-project");
    }
    if (manifest.origin.folder_a != now.folder_a) {
      throw Failure(dir, "made from other files than those in " + request.folder_a + " now");
    }
    if (manifest.origin.folder_b != now.folder_b) {
      throw Failure(dir, "made from other files than those in " + request.folder_b + " now");
    }
    if (!first) {
      first = manifest;
      share_dirs.resize(static_cast<std::size_t>(manifest.shard.count));
    } else if (manifest.shard.count != first->shard.count) {
      throw Failure(dir, "share " + ShareText(manifest.shard) + ", not of " +
                             std::to_string(first->shard.count) + " shares like " +
                             request.partials.front());
    } else if (manifest.origin.options != first->origin.options) {
      throw Failure(dir, "compared with other options than " + request.partials.front());
    }
    std::string& share_dir = share_dirs[static_cast<std::size_t>(manifest.shard.index - 1)];
    if (!share_dir.empty()) {
      throw Failure(dir, "share " + ShareText(manifest.shard) + " is given twice, also as " +
                             share_dir);
    }
    share_dir = dir;
    const std::vector<std::size_t> positions = ShardPairs(pairing.pairs.size(), manifest.shard);
    bool fits = positions.size() == manifest.pairs.size();
    for (std::size_t at = 0; fits && at < positions.size(); ++at) {
      fits = manifest.pairs[at].name == pairing.pairs[positions[at]].name;
    }
    if (!fits) throw Failure(dir, "does not hold the files of share " + ShareText(manifest.shard));
    for (const std::size_t position : positions) {
      status_files[position] = dir + "/" + pairing.pairs[position].status_name;
    }
    CheckShareStatus(dir, manifest, pairing, positions, status_files, differ);
  }
  for (std::size_t share = 0; share < share_dirs.size(); ++share) {
    if (share_dirs[share].empty()) {
      throw Failure(request.partials.front(),
                    "share " + ShareText(Shard{static_cast<int>(share) + 1, first->shard.count}) +
                        " is missing from the partial results given");
    }
  }
  return status_files;
}

}  // namespace

int RunCommand(const AssembleProjectRequest& request) {
  const ProjectPairing pairing =
      PairProjectFiles(request.folder_a, request.folder_b, request.file_globs);
  bool differ = !pairing.one_sided.empty();
  const std::vector<std::string> status_files = StatusFilesOf(request, pairing, differ);
  const std::string html_template = ChooseHtmlTemplate(request.html.template_file);
  std::vector<std::string> inputs{html_template};
  for (const FilePair& pair : pairing.pairs) {
    CheckObjectFileInput(pair.file_a);
    CheckObjectFileInput(pair.file_b);
    inputs.push_back(pair.file_a);
    inputs.push_back(pair.file_b);
  }
  inputs.insert(inputs.end(), status_files.begin(), status_files.end());
  CheckWritableOutput(*request.html.report);
  CheckOutputsApart(inputs, {*request.html.report});
  const DiffModule& module = BindDiffModule();
  StagedOutput report(*request.html.report);
  WriteProjectReport(module, {request.folder_a, request.folder_b, pairing, status_files},
                     request.html, html_template, report);
  report.Commit();
  for (const OneSidedFile& file : pairing.one_sided) ReportFailure(OnlyInText(file));
  return differ ? kDiffer : kSame;
}

}  // namespace odbdiff
