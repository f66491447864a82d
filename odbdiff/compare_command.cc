// odbdiff compare A.odb B.odb: compares two object files with the diff module
// and writes the reports asked for: the text reports from the comparison
// context, the HTML report from a status file of the pair.
#include <filesystem>    // std::filesystem::path, temp_directory_path, create_directory
#include <optional>      // std::optional
#include <string>        // std::string
#include <system_error>  // std::error_code
#include <vector>        // std::vector

#include "commands.h"                   // RunCommand
#include "diff/host/list_library.h"     // CStrList
#include "diff/host/object_database.h"  // CvxODB
#include "failure.h"                    // Failure, kSame, kDiffer
#include "html_report.h"                // CheckPairAndReports, HtmlReportFailure
#include "input_checks.h"               // the checks of inputs and outputs
#include "module_binding.h"             // BindDiffModule, DiffModule
#include "module_output.h"              // ChooseOutputMode, ModuleOutput
#include "scratch_folder.h"             // ScratchFolder
#include "status_file_write.h"          // WriteStatusFile

namespace odbdiff {
namespace {

namespace fs = std::filesystem;

// Names of the three difference databases inside their folder.
struct DifferenceDbs {
  explicit DifferenceDbs(const fs::path& folder)
      : a((folder / "a-differences.odb").string()),
        b((folder / "b-differences.odb").string()),
        combined((folder / "combined-differences.odb").string()) {}

  std::vector<std::string> all() const { return {a, b, combined}; }

  std::string a;
  std::string b;
  std::string combined;
};

// The number of distinct object names in A and B: the module prints one
// "Processing Object" line for each.
std::size_t CountObjects(const std::string& file_a, const std::string& file_b) {
  CvxODB database_a(0, file_a.c_str(), 0);
  CvxODB database_b(0, file_b.c_str(), 0);
  CStrList names_a;
  CStrList names_b;
  // Both files passed the input checks; a bar counted short only ends early.
  database_a.Open(1);
  database_b.Open(1);
  database_a.GetObjects(&names_a);
  database_b.GetObjects(&names_b);
  std::size_t total = static_cast<std::size_t>(names_a.GetLength());
  for (int position = 0; position < names_b.GetLength(); ++position) {
    if (names_a.IsMember(names_b.GetTextAt(position)) == 0) ++total;
  }
  return total;
}

// Ends the module's comparison context whichever way the comparison ends:
// deletes the difference databases unless they are kept, then releases the
// context.
class ComparisonContext {
 public:
  ComparisonContext(const DiffModule& module, bool keep_difference_dbs)
      : module_(module), keep_difference_dbs_(keep_difference_dbs) {}
  ComparisonContext(const ComparisonContext&) = delete;
  ComparisonContext& operator=(const ComparisonContext&) = delete;
  ~ComparisonContext() {
    // A difference database that could not be deleted sits in the private
    // folder, which is removed with all it holds.
    if (!keep_difference_dbs_) module_.DeleteDiffObjs();
    module_.DiffTerminate();
  }

 private:
  const DiffModule& module_;
  bool keep_difference_dbs_;
};

// Checks the arguments; returns the HTML template when an HTML report is asked for.
std::optional<std::string> CheckArguments(const CompareRequest& request) {
  CheckedFiles checked = CheckPairAndReports(request.file_a, request.file_b, request.html,
                                             {request.text_report, request.summary,
                                              request.html.report});
  if (request.kept_folder) {
    CheckFolderOutput(*request.kept_folder);
    for (const std::string& database : DifferenceDbs(*request.kept_folder).all()) {
      // In a folder still to be made there is nothing to check.
      if (fs::is_directory(*request.kept_folder)) CheckObjectFileOutput(database);
      checked.outputs.push_back(database);
    }
  }
  CheckOutputsApart(checked.inputs, checked.outputs);
  return checked.html_template;
}

// The HTML report of the pair, from its status file made in `folder`.
void WriteHtmlReport(const DiffModule& module, const CompareRequest& request,
                     const std::string& html_template, const fs::path& folder) {
  const std::string status_file = (folder / "status.odb").string();
  WriteStatusFile(module, request.file_a, request.file_b, status_file);
  const HtmlReportRequest& html = request.html;
  if (module.diff_ReportFileHTML(request.file_a.c_str(), request.file_b.c_str(),
                                 status_file.c_str(), request.file_a.c_str(),
                                 request.file_b.c_str(), html.a_title.c_str(),
                                 html.b_title.c_str(), html.report->c_str(),
                                 html_template.c_str(), html.show_all ? 1 : 0, 0) == 0) {
    throw HtmlReportFailure(*html.report);
  }
}

}  // namespace

int RunCommand(const CompareRequest& request) {
  const std::optional<std::string> html_template = CheckArguments(request);
  const DiffModule& module = BindDiffModule();

  // Holds the difference databases unless they are kept, and the status file.
  std::optional<ScratchFolder> scratch;
  if (!request.kept_folder || html_template) {
    scratch.emplace(fs::temp_directory_path(), "odbdiff-");
  }
  fs::path folder;
  if (request.kept_folder) {
    folder = *request.kept_folder;
    std::error_code error;
    fs::create_directory(folder, error);
    if (error) throw Failure(*request.kept_folder, "cannot make the folder: " + error.message());
  } else {
    folder = scratch->path();
  }
  const DifferenceDbs databases(folder);

  const OutputMode mode = ChooseOutputMode(request.quiet, request.verbose);
  const std::size_t total =
      mode == OutputMode::kProgressBar ? CountObjects(request.file_a, request.file_b) : 0;

  int differ = 0;
  std::optional<Failure> trouble;  // the first report that failed; the others still run
  {
    ModuleOutput output(mode, total);
    {
      const ComparisonContext context(module, request.kept_folder.has_value());
      differ = module.diff_objfiles_ormo(request.file_a.c_str(), request.file_b.c_str(),
                                         databases.a.c_str(), databases.b.c_str(),
                                         databases.combined.c_str(), 0);
      if (request.text_report && module.GenTextReport(request.text_report->c_str()) == 0) {
        trouble.emplace(*request.text_report, "the diff module could not write the text report");
      }
      if (request.summary && module.GenSumReport(request.summary->c_str()) == 0 && !trouble) {
        trouble.emplace(*request.summary, "the diff module could not write the summary report");
      }
    }
    output.Finish();
  }
  if (html_template) {
    // Like a text report, it is written after a failed one, which is still
    // the one reported.
    try {
      WriteHtmlReport(module, request, *html_template, scratch->path());
    } catch (const Failure& failure) {
      if (!trouble) trouble = failure;
    }
  }
  if (trouble) throw *trouble;
  return differ != 0 ? kDiffer : kSame;
}

}  // namespace odbdiff
