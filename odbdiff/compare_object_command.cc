// odbdiff compare-object A.odb B.odb OBJECT: compares one object's slots in
// two object files with the diff module's keyed list comparison and writes
// its two-sided table, its HTML report or both, each put into place only
// when both are complete.
#include <optional>  // std::optional
#include <string>    // std::string

#include "commands.h"                   // RunCommand
#include "comparison_rules.h"           // ResolveComparisonRules, ApplyComparisonRules
#include "difference_outputs.h"  // DifferenceOutputs, accepted differences
#include "difference_feed.h"     // TypedSlotReader, FeedComparedObject, SortedSlots
#include "diff/host/list_library.h"     // list2 and its functions, CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "failure.h"                    // Failure, kSame, kDiffer
#include "html_report.h"                // CheckPairAndReports, HtmlReportFailure
#include "input_checks.h"               // the checks of inputs and outputs
#include "module_binding.h"             // BindDiffModule, DiffModule, ThrowIfModuleFailed
#include "object_file_failure.h"        // ObjectFileFailure, LastCallFailed
#include "owned_list2.h"                // List2
#include "staged_output.h"              // StagedOutput

namespace odbdiff {
namespace {

// One side of the comparison: the object's slot names and the text forms of
// their values, index-aligned.
struct LoadedSide {
  bool found = false;
  List2 names{list2_create()};
  List2 values{list2_create()};
};

LoadedSide LoadSide(const std::string& path, const std::string& object) {
  CvxODB database(0, path.c_str(), 0);
  if (database.Open(1) == 0) throw ObjectFileFailure(path, database, "not an object file");
  CStrList names;
  CStrList values;
  LoadedSide side;
  if (!side.names || !side.values) throw Failure("out of memory");
  side.found = database.LoadAllSlots(object.c_str(), &names, &values, 0, 0) != 0;
  // An object that is not there is no error; a read that failed is.
  if (!side.found && LastCallFailed(database)) {
    throw ObjectFileFailure(path, database, "cannot read object " + object);
  }
  for (int position = 0; position < names.GetLength(); ++position) {
    if (list2_append_to_end(side.names.get(), names.GetTextAt(position), 0) == 0 ||
        list2_append_to_end(side.values.get(), values.GetTextAt(position), 0) == 0) {
      throw Failure(path, "cannot hold the slots of object " + object);
    }
  }
  return side;
}

// Checks the arguments; returns the HTML template when an HTML report is asked for.
std::optional<std::string> CheckArguments(const CompareObjectRequest& request) {
  CheckedFiles checked = CheckPairAndReports(request.file_a, request.file_b, request.html,
                                             {request.table, request.html.report});
  CheckComparisonFiles(request.comparison, checked.inputs, checked.outputs);
  CheckOutputsApart(checked.inputs, checked.outputs);
  return checked.html_template;
}

}  // namespace

int RunCommand(const CompareObjectRequest& request) {
  const std::optional<std::string> html_template = CheckArguments(request);
  const ComparisonRules rules = ResolveComparisonRules(request.comparison);
  const std::optional<AcceptedDifferences> accepted =
      ReadAcceptedDifferences(request.comparison, /*project=*/false);
  const DiffModule& module = BindDiffModule();
  ApplyComparisonRules(module, rules);
  if (accepted) PutAcceptedInForce(module, accepted->For(""));
  DifferenceOutputs differences(request.comparison,
                                {"compare-object", request.file_a, request.file_b, rules});

  const LoadedSide side_a = LoadSide(request.file_a, request.object);
  const LoadedSide side_b = LoadSide(request.file_b, request.object);
  if (!side_a.found && !side_b.found) {
    throw Failure("object " + request.object + " is in neither " + request.file_a + " nor " +
                  request.file_b);
  }

  list2 sorted[4] = {};
  const int differ =
      module.diff_object_list2(request.object.c_str(), side_a.names.get(), side_a.values.get(),
                               side_b.names.get(), side_b.values.get(), &sorted[0], &sorted[1],
                               &sorted[2], &sorted[3]);
  const List2 a_names(sorted[0]);
  const List2 a_values(sorted[1]);
  const List2 b_names(sorted[2]);
  const List2 b_values(sorted[3]);
  ThrowIfModuleFailed(module);
  if (differences.wanted()) {
    TypedSlotReader reader_a(request.file_a);
    TypedSlotReader reader_b(request.file_b);
    FeedComparedObject(differences.sink(), request.object,
                       SortedSlots(a_names.get(), a_values.get()),
                       SortedSlots(b_names.get(), b_values.get()), reader_a, reader_b);
    differences.Finish();
  }
  std::optional<StagedOutput> table;
  if (request.table) {
    table.emplace(*request.table);
    const int result = module.diff_object_WriteTextFile(a_names.get(), a_values.get(),
                                                        b_names.get(), b_values.get(),
                                                        table->writing_path().c_str());
    ThrowIfModuleFailed(module, {{table->writing_path(), table->path()}});
    if (result != 0) throw Failure(table->path(), "the diff module could not write the table");
  }
  std::optional<StagedOutput> report;
  if (html_template) {
    const HtmlReportRequest& html = request.html;
    report.emplace(*html.report);
    const int written = module.diff_ReportObjectHTML(
        request.object.c_str(), html.a_title.c_str(), html.b_title.c_str(), a_names.get(),
        a_values.get(), b_names.get(), b_values.get(), report->writing_path().c_str(),
        html_template->c_str(), html.show_all ? 1 : 0, 0);
    ThrowIfModuleFailed(module, {{report->writing_path(), report->path()}});
    if (written == 0) throw HtmlReportFailure(report->path());
  }
  if (table) table->Commit();
  if (report) report->Commit();
  differences.Commit();
  differences.PrintStat();
  return differ != 0 ? kDiffer : kSame;
}

}  // namespace odbdiff
