#include "project/partial_result_output.h"  // PartialResultsOutput

#include "project/compared_project.h"  // ComparedProject
#include "request/input_checks.h"      // CheckFolderOutput

namespace odbdiff {

void PartialResultsOutput::CheckOutputs(std::vector<std::string>&) {
  // A folder: it is checked as a whole, and no file of it can be an input.
  CheckFolderOutput(*request_.partial);
}

void PartialResultsOutput::Stage(const ComparisonRules& rules) {
  origin_ = DescribeOrigin(request_.folder_a, request_.folder_b, request_.file_globs, rules,
                           request_.comparison.accept);
  partial_.emplace(*request_.partial, *request_.shard);
}

void PartialResultsOutput::Write(const ComparedPair& pair) {
  const ComparedProject& project = *pair.project;
  manifest_ = PartialManifest{*request_.shard, *origin_, {}};
  for (std::size_t task = 0; task < project.compared.size(); ++task) {
    manifest_->pairs.push_back(
        {project.pairing.pairs[project.compared[task]].name, project.pair_differs[task]});
  }
}

}  // namespace odbdiff
