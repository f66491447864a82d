// What every comparing command offers beside its own outputs: the JSON of
// differences (--json) and the counts (--stat), fed as the comparison goes;
// and the accepted differences (--accept), read before anything is compared.
#ifndef ODBDIFF_OUTPUTS_DIFFERENCE_OUTPUTS_H_
#define ODBDIFF_OUTPUTS_DIFFERENCE_OUTPUTS_H_

#include <optional>  // std::optional

#include "outputs/json/json_differences_write.h"  // DifferencesHeading
#include "outputs/output_list.h"             // OutputList
#include "request/accept_file.h"             // AcceptedDifferences
#include "request/command_line.h"            // ComparisonOptions

namespace odbdiff {

// The accept file's differences when --accept is given. Throws Failure when
// the file is not valid.
std::optional<AcceptedDifferences> ReadAcceptedDifferences(const ComparisonOptions& options,
                                                           bool project);

// Adds the JSON of differences and the counts to `list` when asked for;
// `heading` without its rules.
void AddDifferenceOutputs(OutputList& list, const ComparisonOptions& options,
                          DifferencesHeading heading);

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_DIFFERENCE_OUTPUTS_H_
