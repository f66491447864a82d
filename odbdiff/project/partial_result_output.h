// --partial DIR of compare-project --shard: the status files of the share's
// pairs and the manifest that tells where they come from, put in place as
// one folder for assemble-project.
#ifndef ODBDIFF_PROJECT_PARTIAL_RESULT_OUTPUT_H_
#define ODBDIFF_PROJECT_PARTIAL_RESULT_OUTPUT_H_

#include <filesystem>  // std::filesystem::path
#include <optional>    // std::optional
#include <string>      // std::string

#include "outputs/comparison_output.h"  // ComparisonOutput
#include "project/partial_result.h"     // PartialResultOutput, PartialManifest
#include "request/command_line.h"       // CompareProjectRequest

namespace odbdiff {

class PartialResultsOutput final : public ComparisonOutput {
 public:
  explicit PartialResultsOutput(const CompareProjectRequest& request) : request_(request) {}

  void CheckOutputs(std::vector<std::string>& outputs) override;
  // Describes where the pairs come from and makes the private folder.
  void Stage(const ComparisonRules& rules) override;
  void Write(const ComparedPair& pair) override;
  void Commit() override { partial_->Commit(*manifest_); }

  // Where the status files go, once staged.
  const std::filesystem::path& folder() const { return partial_->folder(); }

 private:
  const CompareProjectRequest& request_;
  std::optional<PartialOrigin> origin_;
  std::optional<PartialResultOutput> partial_;
  std::optional<PartialManifest> manifest_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_PARTIAL_RESULT_OUTPUT_H_
