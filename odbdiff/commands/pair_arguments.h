// The checks that the commands comparing two object files make before
// anything is read.
#ifndef ODBDIFF_COMMANDS_PAIR_ARGUMENTS_H_
#define ODBDIFF_COMMANDS_PAIR_ARGUMENTS_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "outputs/output_list.h"  // OutputList
#include "request/command_line.h"  // ComparisonOptions

namespace odbdiff {

// Checks object files A and B, the files of the comparison options, the
// copies of standard input and pipes (`copied`, see LocalInputs) and the
// outputs, each output apart from every input. Returns every file read.
// Throws Failure on the first problem.
std::vector<std::string> CheckPairArguments(const std::string& file_a, const std::string& file_b,
                                            const ComparisonOptions& comparison,
                                            const std::vector<std::string>& copied,
                                            OutputList& outputs);

}  // namespace odbdiff

#endif  // ODBDIFF_COMMANDS_PAIR_ARGUMENTS_H_
