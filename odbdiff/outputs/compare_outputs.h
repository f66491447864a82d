// The outputs of compare, chosen from the request in one place.
#ifndef ODBDIFF_OUTPUTS_COMPARE_OUTPUTS_H_
#define ODBDIFF_OUTPUTS_COMPARE_OUTPUTS_H_

#include <memory>  // std::unique_ptr
#include <vector>  // std::vector

#include "outputs/comparison_output.h"           // ComparisonOutput
#include "outputs/kept_difference_dbs_output.h"  // KeptDifferenceDbsOutput
#include "request/command_line.h"                // CompareRequest

namespace odbdiff {

struct CompareOutputs {
  std::vector<std::unique_ptr<ComparisonOutput>> all;  // in the order of their commits
  KeptDifferenceDbsOutput* kept = nullptr;  // one of `all`, when the databases are kept
};

// The outputs `request` asks for; `given` names the inputs as the user gave
// them, for the JSON's heading.
CompareOutputs ChooseCompareOutputs(const CompareRequest& request, const CompareRequest& given);

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_COMPARE_OUTPUTS_H_
