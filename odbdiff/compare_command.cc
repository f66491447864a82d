// odbdiff compare A.odb B.odb: compares two object files with the diff module
// and writes the reports asked for: the text reports from the comparison
// context, the HTML report from the status file of the pair and the statuses
// of its objects that the comparison's differences give. Every report and the kept difference databases are made
// under temporary names and put into place only when all of them are
// complete.
#include <malloc.h>  // malloc_trim before the report processes start

#include <filesystem>  // std::filesystem::path, temp_directory_path
#include <functional>  // std::function of a report's writing
#include <optional>    // std::optional
#include <string>      // std::string
#include <vector>      // std::vector

#include "commands.h"                   // RunCommand
#include "comparison_context.h"         // ComparisonContext
#include "difference_outputs.h"         // DifferenceOutputs, ObservedComparison
#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "failure.h"                    // Failure, kSame, kDiffer
#include "heap_prefault.h"              // HeapPrefault, ExpectedHeapGrowth
#include "html_report.h"                // CheckPairAndReports, WriteHtmlReportWithOwnBlocks
#include "input_checks.h"               // the checks of inputs and outputs
#include "input_read_ahead.h"           // InputReadAhead
#include "input_verification.h"         // VerifyObjectFile
#include "kept_difference_dbs.h"        // DifferenceDbs, KeptDifferenceDbs
#include "local_inputs.h"               // LocalInputs, standard input and pipes
#include "module_binding.h"             // DiffModule, ThrowIfModuleFailed
#include "module_output.h"              // ChooseOutputMode, ModuleOutput
#include "object_file_failure.h"        // ObjectFileFailure
#include "pair_module_setup.h"          // SetUpModuleForPair
#include "report_statuses.h"            // ReportStatuses
#include "scratch_folder.h"             // ScratchFolder, kTemporaryFolderPrefix
#include "staged_output.h"              // StagedOutput
#include "status_file_collect.h"        // StatusFileCollector
#include "worker_processes.h"           // RunTasks, ProcessorCount

namespace odbdiff {
namespace {

namespace fs = std::filesystem;

// The number of distinct object names in A and B that no ignore rule
// covers: the module prints one "Processing Object" line for each (an
// accepted object on one side only gets none, and the bar ends short).
std::size_t CountObjects(const DiffModule& module, const std::string& file_a,
                         const std::string& file_b) {
  CvxODB database_a(0, file_a.c_str(), 0);
  CvxODB database_b(0, file_b.c_str(), 0);
  CStrList names_a;
  CStrList names_b;
  if (database_a.Open(1) == 0 || database_a.GetObjects(&names_a) == 0) {
    throw ObjectFileFailure(file_a, database_a, "cannot read its objects");
  }
  if (database_b.Open(1) == 0 || database_b.GetObjects(&names_b) == 0) {
    throw ObjectFileFailure(file_b, database_b, "cannot read its objects");
  }
  std::size_t total = 0;
  for (int position = 0; position < names_a.GetLength(); ++position) {
    if (module.diff_is_ignored(names_a.GetTextAt(position), nullptr) == 0) ++total;
  }
  for (int position = 0; position < names_b.GetLength(); ++position) {
    const char* name = names_b.GetTextAt(position);
    if (names_a.IsMember(name) == 0 && module.diff_is_ignored(name, nullptr) == 0) ++total;
  }
  return total;
}

// The size of the file at `path`; 0 when it cannot be told.
std::size_t FileSize(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  return error ? 0 : static_cast<std::size_t>(size);
}

// Checks the arguments; returns the HTML template when an HTML report is asked for.
// `copied` are the inputs as given and their copies (LocalInputs).
std::optional<std::string> CheckArguments(const CompareRequest& request,
                                          const std::vector<std::string>& copied) {
  CheckedFiles checked = CheckPairAndReports(request.file_a, request.file_b, request.html,
                                             {request.text_report, request.summary,
                                              request.html.report});
  checked.inputs.insert(checked.inputs.end(), copied.begin(), copied.end());
  if (request.kept_folder) {
    CheckFolderOutput(*request.kept_folder);
    for (const std::string& database : DifferenceDbs(*request.kept_folder).all()) {
      // In a folder still to be made there is nothing to check.
      if (fs::is_directory(*request.kept_folder)) CheckObjectFileOutput(database);
      checked.outputs.push_back(database);
    }
  }
  CheckComparisonFiles(request.comparison, checked.inputs, checked.outputs);
  CheckOutputsApart(checked.inputs, checked.outputs);
  if (!request.quiet) CheckStandardOutputApart(checked.inputs);
  return checked.html_template;
}

// A text report of the comparison context: `generate` is GenTextReport or
// GenSumReport.
void WriteTextReport(const DiffModule& module, int (*generate)(const char*),
                     const StagedOutput& report, const char* what) {
  const int written = generate(report.writing_path().c_str());
  ThrowIfModuleFailed(module, {{report.writing_path(), report.path()}});
  if (written == 0) {
    throw Failure(report.path(), std::string("the diff module could not write the ") + what);
  }
}

// The text report and the summary asked for. Both only read the finished
// comparison's difference databases, so when the module's lines are dropped
// (no order of lines on standard output to keep), the two are written side
// by side, each in a process of its own; a failure is the one the first
// report in order would have met. No database is open at this point: a
// process must not use an SQLite connection that its parent opened.
void WriteTextReports(const DiffModule& module, const std::optional<StagedOutput>& text_report,
                      const std::optional<StagedOutput>& summary, OutputMode mode) {
  std::vector<std::function<void()>> writes;
  if (text_report) {
    writes.emplace_back(
        [&] { WriteTextReport(module, module.GenTextReport, *text_report, "text report"); });
  }
  if (summary) {
    writes.emplace_back(
        [&] { WriteTextReport(module, module.GenSumReport, *summary, "summary report"); });
  }
  const int jobs = mode == OutputMode::kSilent ? ProcessorCount() : 1;
  // What the comparison freed goes back to the kernel first: each report
  // process takes memory from the heap it inherits, and every first write to
  // a page shared with the parent would copy that page (at 1M objects the
  // copying made the two processes together slower than one after the other).
  if (jobs > 1 && writes.size() > 1) malloc_trim(0);
  RunTasks(writes.size(), jobs, [&](std::size_t which) {
    writes[which]();
    return true;
  });
}

// The HTML report of the pair, from the status file that `collected` writes
// in `folder`, with the statuses of its objects after the module's report;
// `given` names the files as the user gave them.
void WriteHtmlReport(const DiffModule& module, const CompareRequest& request,
                     const CompareRequest& given, const std::string& html_template,
                     const fs::path& folder, StatusFileCollector& collected,
                     const ReportStatuses& statuses, const StagedOutput& report) {
  const std::string status_file = (folder / "status.odb").string();
  const HtmlReportRequest& html = request.html;
  collected.Write(module, request.file_a, request.file_b, status_file);
  WriteHtmlReportWithOwnBlocks(module, report, html_template, [&] {
    const int written = module.diff_ReportFileHTML(
        request.file_a.c_str(), request.file_b.c_str(), status_file.c_str(),
        given.file_a.c_str(), given.file_b.c_str(), html.a_title.c_str(), html.b_title.c_str(),
        report.writing_path().c_str(), html_template.c_str(), html.show_all ? 1 : 0, 1);
    ThrowIfModuleFailed(module, {{report.writing_path(), report.path()}});
    if (written == 0) throw HtmlReportFailure(report.path());
  }, statuses.ScriptBlock());
}

// True when no report, no kept database and no --stat is asked for: the
// counts are then printed as --stat prints them, so that a run that is not
// --quiet always tells its result.
bool NoResultAsked(const CompareRequest& request) {
  return !request.text_report && !request.summary && !request.html.report &&
         !request.kept_folder && !request.comparison.json && !request.comparison.stat;
}

}  // namespace

int RunCommand(const CompareRequest& given) {
  // Standard input and pipes are compared through copies.
  LocalInputs inputs;
  CompareRequest request = given;
  if (NoResultAsked(request) && !request.quiet) request.comparison.stat = true;
  request.file_a = inputs.Local(given.file_a);
  request.file_b = inputs.Local(given.file_b);
  const std::optional<std::string> html_template = CheckArguments(request, inputs.all());
  if (request.comparison.verify_inputs) {
    VerifyObjectFile(request.file_a, given.file_a);
    VerifyObjectFile(request.file_b, given.file_b);
  }
  InputReadAhead read_ahead({request.file_a, request.file_b});
  HeapPrefault prefault(ExpectedHeapGrowth(FileSize(request.file_a) + FileSize(request.file_b)));
  const auto [rules, module] = SetUpModuleForPair(request.comparison);

  // Holds the difference databases unless they are kept, and the status file.
  std::optional<ScratchFolder> scratch;
  if (!request.kept_folder || html_template) {
    scratch.emplace(fs::temp_directory_path(), kTemporaryFolderPrefix);
    scratch->HoldScratchDatabases();
  }
  std::optional<KeptDifferenceDbs> kept;
  if (request.kept_folder) kept.emplace(*request.kept_folder);
  const DifferenceDbs databases = kept ? kept->staged() : DifferenceDbs(scratch->path());
  std::optional<StagedOutput> text_report;
  std::optional<StagedOutput> summary;
  std::optional<StagedOutput> html_report;
  if (request.text_report) text_report.emplace(*request.text_report);
  if (request.summary) summary.emplace(*request.summary);
  if (html_template) html_report.emplace(*request.html.report);
  DifferenceOutputs differences(request.comparison,
                                {"compare", given.file_a, given.file_b, rules});
  // The HTML report's statuses come from the comparison as it runs.
  ReportStatuses statuses(request.html.show_all);
  statuses.BeginFile();
  StatusFileCollector collected(request.html.show_all, statuses);
  if (html_report) differences.Add(collected, /*typed_values=*/false);

  // A report on standard output has it to itself: no module line, no bar.
  bool report_to_standard_output = false;
  for (const std::optional<std::string>* report :
       {&request.text_report, &request.summary, &request.html.report, &request.comparison.json}) {
    if (*report && IsStandardOutput(**report)) report_to_standard_output = true;
  }
  const OutputMode mode =
      ChooseOutputMode(request.quiet || report_to_standard_output, request.verbose);
  const std::size_t total =
      mode == OutputMode::kProgressBar ? CountObjects(module, request.file_a, request.file_b) : 0;

  int differ = 0;
  {
    ModuleOutput output(mode, total);
    {
      const ComparisonContext context(module, kept.has_value());
      {
        ObservedComparison observed(module, differences, request.file_a, request.file_b);
        differ = module.diff_objfiles_ormo(request.file_a.c_str(), request.file_b.c_str(),
                                           databases.a.c_str(), databases.b.c_str(),
                                           databases.combined.c_str(), 0);
        observed.Finish(kept ? kept->shown() : std::vector<PathShown>{});
      }
      prefault.Finish();
      read_ahead.Finish();
      differences.Finish();
      WriteTextReports(module, text_report, summary, mode);
    }
    output.Finish();
  }
  if (html_report) {
    WriteHtmlReport(module, request, given, *html_template, scratch->path(), collected, statuses,
                    *html_report);
  }

  // Everything is complete: only now does any of it reach its final name.
  if (text_report) text_report->Commit();
  if (summary) summary->Commit();
  if (html_report) html_report->Commit();
  if (kept) kept->Commit();
  differences.Commit();
  differences.PrintStat();
  return differ != 0 ? kDiffer : kSame;
}

}  // namespace odbdiff
