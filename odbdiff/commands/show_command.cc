// odbdiff show A.odb B.odb [OBJECT...]: prints the differences of two object
// files, or of some of their objects, slot by slot on standard output.
#include <string>  // std::string
#include <vector>  // std::vector

#include "commands/commands.h"         // RunCommand
#include "inputs/local_inputs.h"       // LocalInputs, standard input and pipes
#include "outputs/text/show_differences.h"  // ShowDifferences, ShowPlan, ShowInColor
#include "request/input_checks.h"      // the checks of inputs and outputs

namespace odbdiff {

int RunCommand(const ShowRequest& request) {
  LocalInputs inputs;
  ShowPlan plan;
  plan.name_a = request.file_a;
  plan.name_b = request.file_b;
  plan.sources.file_a = inputs.Local(request.file_a);
  plan.sources.file_b = inputs.Local(request.file_b);
  plan.sources.heading = {"--- " + request.file_a, "+++ " + request.file_b};
  plan.sources.explain = request.explain;
  plan.objects = request.objects;
  plan.color = ShowInColor(request.color, /*pager=*/false);

  CheckObjectFileInput(plan.sources.file_a);
  CheckObjectFileInput(plan.sources.file_b);
  std::vector<std::string> checked_inputs = inputs.all();
  std::vector<std::string> outputs;
  CheckComparisonFiles(request.comparison, checked_inputs, outputs);
  CheckStandardOutputApart(checked_inputs);
  return ShowDifferences(plan, request.comparison);
}

}  // namespace odbdiff
