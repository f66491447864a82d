#include "outputs/difference_outputs.h"  // ReadAcceptedDifferences, AddDifferenceOutputs

#include <memory>   // std::make_unique
#include <utility>  // std::move

#include "outputs/json/json_output.h"  // JsonOutput
#include "outputs/text/stat_output.h"  // StatOutput

namespace odbdiff {

std::optional<AcceptedDifferences> ReadAcceptedDifferences(const ComparisonOptions& options,
                                                           bool project) {
  if (!options.accept) return std::nullopt;
  return ReadAcceptFile(*options.accept, project);
}

void AddDifferenceOutputs(OutputList& list, const ComparisonOptions& options,
                          DifferencesHeading heading) {
  if (options.json) list.Add(std::make_unique<JsonOutput>(*options.json, std::move(heading)));
  if (options.stat) list.Add(std::make_unique<StatOutput>());
}

}  // namespace odbdiff
