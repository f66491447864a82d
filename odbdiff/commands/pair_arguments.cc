#include "commands/pair_arguments.h"  // CheckPairArguments

#include "request/input_checks.h"  // the checks of inputs and outputs

namespace odbdiff {

std::vector<std::string> CheckPairArguments(const std::string& file_a, const std::string& file_b,
                                            const ComparisonOptions& comparison,
                                            const std::vector<std::string>& copied,
                                            OutputList& outputs) {
  CheckObjectFileInput(file_a);
  CheckObjectFileInput(file_b);
  std::vector<std::string> inputs{file_a, file_b};
  std::vector<std::string> written;
  outputs.Check(inputs, written);
  inputs.insert(inputs.end(), copied.begin(), copied.end());
  CheckComparisonInputs(comparison, inputs);
  CheckOutputsApart(inputs, written);
  return inputs;
}

}  // namespace odbdiff
