// odbdiff compare-object A.odb B.odb OBJECT: compares one object's slots in
// two object files with the diff module's keyed list comparison and writes
// its two-sided table, its HTML report, the JSON of differences and the
// counts as asked (see outputs/comparison_output.h), each put into place only
// when all are complete.
#include <string>  // std::string
#include <vector>  // std::vector

#include "commands/commands.h"            // RunCommand
#include "commands/pair_arguments.h"      // CheckPairArguments
#include "inputs/input_verification.h"    // VerifyObjectFile
#include "inputs/local_inputs.h"          // LocalInputs, standard input and pipes
#include "inputs/object_slots_compare.h"  // CompareObjectSlots, ComparedSlots
#include "inputs/object_slots_load.h"     // LoadSide, LoadedSide
#include "module/difference_feed.h"       // TypedSlotReader, FeedComparedObject, SortedSlots
#include "module/pair_module_setup.h"     // SetUpModuleForPair
#include "outputs/compare_outputs.h"      // ChooseCompareObjectOutputs
#include "outputs/output_list.h"          // OutputList
#include "platform/failure.h"             // Failure, kSame, kDiffer

namespace odbdiff {

int RunCommand(const CompareObjectRequest& given) {
  // Standard input and pipes are compared through copies.
  LocalInputs inputs;
  CompareObjectRequest request = given;
  request.file_a = inputs.Local(given.file_a);
  request.file_b = inputs.Local(given.file_b);
  OutputList outputs = ChooseCompareObjectOutputs(request, given);
  CheckPairArguments(request.file_a, request.file_b, request.comparison, inputs.all(), outputs);
  if (request.comparison.verify_inputs) {
    VerifyObjectFile(request.file_a, given.file_a);
    VerifyObjectFile(request.file_b, given.file_b);
  }
  const auto [rules, module] = SetUpModuleForPair(request.comparison);
  outputs.Stage(rules);

  const LoadedSide side_a = LoadSide(request.file_a, request.object);
  const LoadedSide side_b = LoadSide(request.file_b, request.object);
  if (!side_a.found && !side_b.found) {
    throw Failure("object " + request.object + " is in neither " + given.file_a + " nor " +
                  given.file_b);
  }

  const ComparedSlots slots = CompareObjectSlots(module, request.object, side_a, side_b);
  const DifferencesWanted wanted = outputs.Differences();
  if (wanted.sink != nullptr) {
    TypedSlotReader reader_a(request.file_a);
    TypedSlotReader reader_b(request.file_b);
    FeedComparedObject(*wanted.sink, request.object,
                       SortedSlots(slots.a_names.get(), slots.a_values.get()),
                       SortedSlots(slots.b_names.get(), slots.b_values.get()), reader_a, reader_b);
  }
  outputs.ComparisonDone();
  const ComparedPair pair{.module = module,
                          .file_a = request.file_a,
                          .file_b = request.file_b,
                          .given_a = given.file_a,
                          .given_b = given.file_b,
                          .object_slots = &slots};
  outputs.Write(pair);
  outputs.Commit();
  return slots.differ ? kDiffer : kSame;
}

}  // namespace odbdiff
