// odbdiff compare-project DIR_A DIR_B --html FILE: compares the numbered
// files of two project folders and writes the HTML report of the project
// with the diff module's project report, from one status file per file
// found in both folders.
#include <filesystem>  // std::filesystem::temp_directory_path
#include <optional>    // std::optional, the HTML report when asked for
#include <string>      // std::string
#include <vector>      // std::vector

#include "commands.h"           // RunCommand
#include "comparison_rules.h"   // ResolveComparisonRules, ApplyComparisonRules
#include "difference_outputs.h"  // DifferenceOutputs, DifferenceSink, accepted differences
#include "failure.h"            // Failure, ReportFailure, kSame, kDiffer
#include "html_report.h"        // ChooseHtmlTemplate, HtmlReportFailure
#include "input_checks.h"       // the checks of inputs and outputs
#include "module_binding.h"     // BindDiffModule, DiffModule, ThrowIfModuleFailed
#include "owned_list2.h"        // List2
#include "project_files.h"      // ProjectFile, FindProjectFiles
#include "scratch_folder.h"     // ScratchFolder, kTemporaryFolderPrefix
#include "staged_output.h"      // StagedOutput
#include "status_file_write.h"  // WriteStatusFile

namespace odbdiff {
namespace {

// A file of the project in both folders, as the project report takes it.
struct FilePair {
  std::string name;
  std::string file_a;
  std::string file_b;
  int number_a;
  int number_b;
};

// A file of the project in one folder only.
struct OneSidedFile {
  std::string name;
  std::string folder;  // as given
};

// The project's files in both folders and those in one only, each in
// ascending number order.
struct ProjectPairing {
  std::vector<FilePair> pairs;
  std::vector<OneSidedFile> one_sided;
};

// The path the module builds for a file: the folder as given, a separator,
// the name.
std::string InFolder(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

ProjectPairing PairProjectFiles(const CompareProjectRequest& request) {
  const std::vector<ProjectFile> files_a = FindProjectFiles(request.folder_a);
  const std::vector<ProjectFile> files_b = FindProjectFiles(request.folder_b);
  ProjectPairing pairing;
  // Both lists are in ascending number order: a merge pairs them.
  auto a = files_a.begin();
  auto b = files_b.begin();
  while (a != files_a.end() || b != files_b.end()) {
    if (b == files_b.end() || (a != files_a.end() && a->number < b->number)) {
      pairing.one_sided.push_back(OneSidedFile{a->name, request.folder_a});
      ++a;
    } else if (a == files_a.end() || b->number < a->number) {
      pairing.one_sided.push_back(OneSidedFile{b->name, request.folder_b});
      ++b;
    } else {
      pairing.pairs.push_back(FilePair{a->name, InFolder(request.folder_a, a->name),
                                       InFolder(request.folder_b, b->name), a->number,
                                       b->number});
      ++a;
      ++b;
    }
  }
  return pairing;
}

// The four lists of the project report, one item per file pair.
struct ProjectLists {
  List2 file_labels{list2_create()};
  List2 a_numbers{list2_create()};
  List2 b_numbers{list2_create()};
  List2 status_names{list2_create()};

  void Add(const FilePair& pair) {
    // The status file of a pair bears the pair's name in the status folder.
    if (list2_append_to_end(file_labels.get(), pair.name.c_str(), 0) == 0 ||
        list2_append_to_end(a_numbers.get(), pair.name.c_str(), pair.number_a) == 0 ||
        list2_append_to_end(b_numbers.get(), pair.name.c_str(), pair.number_b) == 0 ||
        list2_append_to_end(status_names.get(), pair.name.c_str(), 0) == 0) {
      throw Failure("out of memory");
    }
  }
};

// Checks the files and the report; returns the HTML template when an HTML
// report is asked for.
std::optional<std::string> CheckArguments(const CompareProjectRequest& request,
                                          const ProjectPairing& pairing) {
  std::optional<std::string> html_template;
  // Files in one folder only are not read, but the report must not replace one.
  std::vector<std::string> inputs;
  if (request.html.report) {
    html_template = ChooseHtmlTemplate(request.html.template_file);
    inputs.push_back(*html_template);
  }
  for (const FilePair& pair : pairing.pairs) {
    CheckObjectFileInput(pair.file_a);
    CheckObjectFileInput(pair.file_b);
    inputs.push_back(pair.file_a);
    inputs.push_back(pair.file_b);
  }
  for (const OneSidedFile& file : pairing.one_sided) {
    inputs.push_back(InFolder(file.folder, file.name));
  }
  std::vector<std::string> outputs;
  if (html_template) {
    CheckWritableOutput(*request.html.report);
    outputs.push_back(*request.html.report);
  }
  CheckComparisonFiles(request.comparison, inputs, outputs);
  CheckOutputsApart(inputs, outputs);
  return html_template;
}

}  // namespace

int RunCommand(const CompareProjectRequest& request) {
  const ProjectPairing pairing = PairProjectFiles(request);
  const std::optional<std::string> html_template = CheckArguments(request, pairing);
  const ComparisonRules rules = ResolveComparisonRules(request.comparison);
  const std::optional<AcceptedDifferences> accepted =
      ReadAcceptedDifferences(request.comparison, /*project=*/true);
  const DiffModule& module = BindDiffModule();
  ApplyComparisonRules(module, rules);
  DifferenceOutputs differences(request.comparison,
                                {"compare-project", request.folder_a, request.folder_b, rules});
  DifferenceSink* sink = differences.wanted() ? &differences.sink() : nullptr;

  const ScratchFolder status_folder(std::filesystem::temp_directory_path(),
                                    kTemporaryFolderPrefix);
  ProjectLists lists;
  bool differ = !pairing.one_sided.empty();
  for (const FilePair& pair : pairing.pairs) {
    const std::string status_file = (status_folder.path() / pair.name).string();
    if (accepted) PutAcceptedInForce(module, accepted->For(pair.name));
    if (sink != nullptr) sink->BeginFile(pair.name);
    if (WriteStatusFile(module, pair.file_a, pair.file_b, status_file, sink)) differ = true;
    if (sink != nullptr) sink->EndFile();
    lists.Add(pair);
  }
  if (sink != nullptr) {
    for (const OneSidedFile& file : pairing.one_sided) {
      sink->FileOnlyIn(file.folder == request.folder_a ? Side::kA : Side::kB, file.name);
    }
  }
  differences.Finish();
  std::optional<StagedOutput> report;
  if (html_template) {
    const std::string status_prefix = status_folder.path().string() + "/";
    const std::string a_prefix = request.folder_a + "/";
    const std::string b_prefix = request.folder_b + "/";
    const HtmlReportRequest& html = request.html;
    report.emplace(*html.report);
    const int written = module.diff_ReportProjectHTML(
        lists.file_labels.get(), lists.a_numbers.get(), lists.b_numbers.get(),
        lists.status_names.get(), a_prefix.c_str(), b_prefix.c_str(), request.folder_a.c_str(),
        request.folder_b.c_str(), html.a_title.c_str(), html.b_title.c_str(),
        status_prefix.c_str(), report->writing_path().c_str(), html_template->c_str(),
        html.show_all ? 1 : 0, 0);
    ThrowIfModuleFailed(module, {{report->writing_path(), report->path()}});
    if (written == 0) throw HtmlReportFailure(report->path());
  }
  if (report) report->Commit();
  differences.Commit();
  // The module's report shows no trace of a file in one folder only.
  for (const OneSidedFile& file : pairing.one_sided) {
    ReportFailure(file.name + ": only in " + file.folder);
  }
  differences.PrintStat();
  return differ ? kDiffer : kSame;
}

}  // namespace odbdiff
