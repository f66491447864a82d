// odbdiff compare-object A.odb B.odb OBJECT: compares one object's slots in
// two object files with the diff module's keyed list comparison and writes
// its two-sided table, its HTML report or both, each put into place only
// when both are complete.
#include <optional>  // std::optional
#include <string>    // std::string
#include <vector>    // std::vector

#include "commands/commands.h"            // RunCommand
#include "inputs/input_verification.h"    // VerifyObjectFile
#include "inputs/local_inputs.h"          // LocalInputs, standard input and pipes
#include "inputs/object_slots_compare.h"  // CompareObjectSlots, ComparedSlots
#include "inputs/object_slots_load.h"     // LoadSide, LoadedSide
#include "module/difference_feed.h"       // TypedSlotReader, FeedComparedObject, SortedSlots
#include "module/module_binding.h"        // ThrowIfModuleFailed
#include "module/pair_module_setup.h"     // SetUpModuleForPair
#include "outputs/difference_outputs.h"   // DifferenceOutputs
#include "outputs/html_report.h"          // CheckPairAndReports, HtmlReportFailure
#include "outputs/staged_output.h"        // StagedOutput
#include "platform/failure.h"             // Failure, kSame, kDiffer
#include "request/input_checks.h"         // the checks of inputs and outputs

namespace odbdiff {
namespace {

// Checks the arguments; returns the HTML template when an HTML report is asked for.
// `copied` are the inputs as given and their copies (LocalInputs).
std::optional<std::string> CheckArguments(const CompareObjectRequest& request,
                                          const std::vector<std::string>& copied) {
  CheckedFiles checked = CheckPairAndReports(request.file_a, request.file_b, request.html,
                                             {request.table, request.html.report});
  checked.inputs.insert(checked.inputs.end(), copied.begin(), copied.end());
  CheckComparisonFiles(request.comparison, checked.inputs, checked.outputs);
  CheckOutputsApart(checked.inputs, checked.outputs);
  return checked.html_template;
}

}  // namespace

int RunCommand(const CompareObjectRequest& given) {
  // Standard input and pipes are compared through copies.
  LocalInputs inputs;
  CompareObjectRequest request = given;
  request.file_a = inputs.Local(given.file_a);
  request.file_b = inputs.Local(given.file_b);
  const std::optional<std::string> html_template = CheckArguments(request, inputs.all());
  if (request.comparison.verify_inputs) {
    VerifyObjectFile(request.file_a, given.file_a);
    VerifyObjectFile(request.file_b, given.file_b);
  }
  const auto [rules, module] = SetUpModuleForPair(request.comparison);
  DifferenceOutputs differences(request.comparison,
                                {"compare-object", given.file_a, given.file_b, rules});

  const LoadedSide side_a = LoadSide(request.file_a, request.object);
  const LoadedSide side_b = LoadSide(request.file_b, request.object);
  if (!side_a.found && !side_b.found) {
    throw Failure("object " + request.object + " is in neither " + given.file_a + " nor " +
                  given.file_b);
  }

  const ComparedSlots slots = CompareObjectSlots(module, request.object, side_a, side_b);
  if (differences.wanted()) {
    TypedSlotReader reader_a(request.file_a);
    TypedSlotReader reader_b(request.file_b);
    FeedComparedObject(differences.sink(), request.object,
                       SortedSlots(slots.a_names.get(), slots.a_values.get()),
                       SortedSlots(slots.b_names.get(), slots.b_values.get()), reader_a, reader_b);
    differences.Finish();
  }
  std::optional<StagedOutput> table;
  if (request.table) {
    table.emplace(*request.table);
    const int result = module.diff_object_WriteTextFile(slots.a_names.get(), slots.a_values.get(),
                                                        slots.b_names.get(), slots.b_values.get(),
                                                        table->writing_path().c_str());
    ThrowIfModuleFailed(module, {{table->writing_path(), table->path()}});
    if (result != 0) throw Failure(table->path(), "the diff module could not write the table");
  }
  std::optional<StagedOutput> report;
  if (html_template) {
    const HtmlReportRequest& html = request.html;
    report.emplace(*html.report);
    const int written = module.diff_ReportObjectHTML(
        request.object.c_str(), html.a_title.c_str(), html.b_title.c_str(), slots.a_names.get(),
        slots.a_values.get(), slots.b_names.get(), slots.b_values.get(), report->writing_path().c_str(),
        html_template->c_str(), html.show_all ? 1 : 0, 0);
    ThrowIfModuleFailed(module, {{report->writing_path(), report->path()}});
    if (written == 0) throw HtmlReportFailure(report->path());
  }
  if (table) table->Commit();
  if (report) report->Commit();
  differences.Commit();
  differences.PrintStat();
  return slots.differ ? kDiffer : kSame;
}

}  // namespace odbdiff
