// The partial result of one share of a project's comparison
// (compare-project --shard I/N --partial DIR): the status files of the
// share's pairs and a manifest, manifest.json, that says what they were made
// from, so that assemble-project can check that the shares fit together.
#ifndef ODBDIFF_PROJECT_PARTIAL_RESULT_H_
#define ODBDIFF_PROJECT_PARTIAL_RESULT_H_

#include <cstddef>     // std::size_t
#include <filesystem>  // std::filesystem::path
#include <optional>    // std::optional
#include <string>      // std::string
#include <vector>      // std::vector

#include <nlohmann/json.hpp>  // nlohmann::json, the manifest's parts

#include "platform/scratch_folder.h"   // ScratchFolder
#include "project/project_pairing.h"   // FilePair
#include "request/command_line.h"      // Shard, ComparisonOptions
#include "request/comparison_rules.h"  // ComparisonRules

namespace odbdiff {

// The positions (in the project's pair order) of the pairs of `shard`: every
// count-th pair from the index-th.
std::vector<std::size_t> ShardPairs(std::size_t pairs, const Shard& shard);

// What a partial result was made from, as assemble-project checks it.
struct PartialOrigin {
  nlohmann::json folder_a;  // the project files of each folder with their sizes and times
  nlohmann::json folder_b;
  nlohmann::json options;   // the comparison rules and the accepted differences' file
  std::vector<std::string> file_globs;  // of --files, sorted and each once; none by number
};

// Throws Failure when a folder, a file of it, or the accept file cannot be read.
PartialOrigin DescribeOrigin(const std::string& folder_a, const std::string& folder_b,
                             const std::vector<std::string>& file_globs,
                             const ComparisonRules& rules,
                             const std::optional<std::string>& accept_file);

// A pair of a partial result: its file name and whether it differs.
struct PartialPair {
  std::string name;
  bool differ;
};

struct PartialManifest {
  Shard shard;
  PartialOrigin origin;
  std::vector<PartialPair> pairs;
};

// The name of the manifest in a partial result's folder.
inline constexpr char kManifestName[] = "manifest.json";

// A partial result's folder as it is written: in a private folder beside
// DIR, put in place by Commit once complete, so that DIR holds a whole
// partial result or what it held before.
class PartialResultOutput {
 public:
  // Checks that DIR is absent, an empty folder or a partial result (which is
  // replaced), and makes the private folder. Throws Failure when not. The
  // private folder's name carries the share, so that shares writing beside
  // each other, on machines that may not see each other's locks, never take
  // one another's folder for a leftover.
  PartialResultOutput(const std::string& dir, const Shard& shard);

  // Where the status files go.
  const std::filesystem::path& folder() const { return folder_; }

  // Writes the manifest and puts the folder in place. Throws Failure.
  void Commit(const PartialManifest& manifest);

 private:
  std::string dir_;
  ScratchFolder side_;
  std::filesystem::path folder_;
};

// The manifest of the partial result in `dir`. Throws Failure
// "DIR: CAUSE" when there is none or it is not valid.
PartialManifest ReadPartialManifest(const std::string& dir);

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_PARTIAL_RESULT_H_
