// The outputs of the commands that compare two object files, chosen from
// the request in one place: adding an output is one line here
// (compare-project's are chosen in project/project_outputs.h).
#ifndef ODBDIFF_OUTPUTS_COMPARE_OUTPUTS_H_
#define ODBDIFF_OUTPUTS_COMPARE_OUTPUTS_H_

#include "outputs/databases/kept_difference_dbs_output.h"  // KeptDifferenceDbsOutput
#include "outputs/output_list.h"                 // OutputList
#include "request/command_line.h"                // CompareRequest, CompareObjectRequest

namespace odbdiff {

struct CompareOutputs {
  OutputList list;                          // in the order of their commits
  KeptDifferenceDbsOutput* kept = nullptr;  // one of `list`, when the databases are kept
};

// The outputs of compare; `given` names the inputs as the user gave them.
CompareOutputs ChooseCompareOutputs(const CompareRequest& request, const CompareRequest& given);

// The outputs of compare-object.
OutputList ChooseCompareObjectOutputs(const CompareObjectRequest& request,
                                      const CompareObjectRequest& given);

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_COMPARE_OUTPUTS_H_
