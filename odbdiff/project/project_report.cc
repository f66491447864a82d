#include "project/project_report.h"  // WriteProjectReport, OneSidedFilesBlock

#include "module/owned_list2.h"          // List2
#include "outputs/html/html_report.h"         // WriteHtmlReportWithOwnBlocks, HtmlReportFailure
#include "outputs/html/report_statuses.h"     // ReportStatuses
#include "outputs/staged_output.h"       // StagedOutput
#include "platform/failure.h"            // Failure
#include "project/project_file_links.h"  // ProjectFileLinks
#include "project/status_file_read.h"    // ReadStatusFile

namespace odbdiff {
namespace {

// The four lists of the module's project report, one item per file pair.
struct ProjectLists {
  List2 file_labels{list2_create()};
  List2 a_numbers{list2_create()};
  List2 b_numbers{list2_create()};
  List2 status_names{list2_create()};

  // The status file goes whole into its list; the report's status prefix is
  // empty.
  void Add(const FilePair& pair, const std::string& status_file) {
    if (list2_append_to_end(file_labels.get(), pair.name.c_str(), 0) == 0 ||
        list2_append_to_end(a_numbers.get(), pair.name.c_str(), pair.number_a) == 0 ||
        list2_append_to_end(b_numbers.get(), pair.name.c_str(), pair.number_b) == 0 ||
        list2_append_to_end(status_names.get(), status_file.c_str(), 0) == 0) {
      throw Failure("out of memory");
    }
  }
};

std::string EscapeHtml(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&#39;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

}  // namespace

std::string OneSidedFilesBlock(const std::vector<OneSidedFile>& files) {
  std::string block =
      "<section class=\"one-folder-only\">\n<h2>Files in one folder only</h2>\n<ul>\n";
  for (const OneSidedFile& file : files) {
    block += "<li><span class=\"file-name\">" + EscapeHtml(file.name) + "</span>: only in " +
             EscapeHtml(file.folder) + "</li>\n";
  }
  return block + "</ul>\n</section>\n";
}

void WriteProjectReport(const DiffModule& module, const ProjectReportInput& input,
                        const HtmlReportRequest& html, const std::string& html_template,
                        const StagedOutput& report) {
  ProjectLists lists;
  ReportStatuses statuses(html.show_all);
  for (std::size_t index = 0; index < input.pairing.pairs.size(); ++index) {
    const FilePair& pair = input.pairing.pairs[index];
    lists.Add(pair, input.status_files[index]);
    statuses.BeginFile();
    ReadStatusFile(input.status_files[index], pair.file_a, pair.file_b,
                   [&](const StatusFileObject& object) {
                     statuses.AddObject(object.name, object.in_a, object.in_b, object.codes);
                   });
  }
  std::string own_blocks;
  if (!input.pairing.one_sided.empty()) own_blocks = OneSidedFilesBlock(input.pairing.one_sided);
  own_blocks += statuses.ScriptBlock();
  const ProjectFileLinks links(input.pairing, input.folder_a, input.folder_b);
  std::vector<PathShown> shown{{report.writing_path(), report.path()}};
  shown.insert(shown.end(), links.shown().begin(), links.shown().end());
  const char* writing_path = report.writing_path().c_str();
  WriteHtmlReportWithOwnBlocks(module, report, html_template, [&] {
    const int written = module.diff_ReportProjectHTML(
        lists.file_labels.get(), lists.a_numbers.get(), lists.b_numbers.get(),
        lists.status_names.get(), links.a_prefix().c_str(), links.b_prefix().c_str(),
        input.folder_a.c_str(), input.folder_b.c_str(), html.a_title.c_str(),
        html.b_title.c_str(), "", writing_path, html_template.c_str(), html.show_all ? 1 : 0, 1);
    ThrowIfModuleFailed(module, shown);
    if (written == 0) throw HtmlReportFailure(report.path());
  }, own_blocks);
}

}  // namespace odbdiff
