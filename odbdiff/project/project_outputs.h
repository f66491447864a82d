// The outputs of compare-project, chosen from the request in one place.
#ifndef ODBDIFF_PROJECT_PROJECT_OUTPUTS_H_
#define ODBDIFF_PROJECT_PROJECT_OUTPUTS_H_

#include "outputs/output_list.h"            // OutputList
#include "project/partial_result_output.h"  // PartialResultsOutput
#include "request/command_line.h"           // CompareProjectRequest

namespace odbdiff {

struct ProjectOutputs {
  OutputList list;                        // in the order of their commits
  PartialResultsOutput* partial = nullptr;  // one of `list`, with --partial
};

// `request` outlives the outputs.
ProjectOutputs ChooseCompareProjectOutputs(const CompareProjectRequest& request);

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_PROJECT_OUTPUTS_H_
