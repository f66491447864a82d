#include "diff/report_html/project_report.h"

#include <cstdint>  // std::int64_t
#include <cstdio>   // std::FILE
#include <string>   // std::string
#include <vector>   // std::vector

#include "diff/outcome/file_identity.h"           // NamedInput
#include "diff/report_html/file_report.h"         // write_file_report
#include "diff/report_html/project_file_names.h"  // project_file_name
#include "diff/report_html/report_document.h"     // begin_document, finish_document
#include "diff/report_html/report_file.h"         // append_phase
#include "diff/report_html/report_path_check.h"   // refuse_report_path
#include "diff/report_html/section_instance.h"    // write_section_instance

namespace diff {
namespace {

// The text of item i; empty when the list is shorter.
const char* item_text(list2 list, int i) {
  const char* text = list2_get_item(list, i, nullptr);
  return text != nullptr ? text : "";
}

// The data word of item i; 0 when the list is shorter.
std::int64_t item_number(list2 list, int i) {
  std::int64_t number = 0;
  list2_get_item(list, i, &number);
  return number;
}

// The names of one file of the project.
struct ProjectFile {
  std::string a_file;
  std::string b_file;
  std::string status_file;
  const char* label;
};

std::vector<ProjectFile> project_files(list2 file_labels, list2 a_numbers, list2 b_numbers,
                                       list2 status_names, const char* a_prefix,
                                       const char* b_prefix, const char* status_prefix) {
  std::vector<ProjectFile> files;
  const int file_count = list2_length(file_labels);
  for (int i = 0; i < file_count; ++i) {
    files.push_back({report_html::project_file_name(a_prefix, item_number(a_numbers, i)),
                     report_html::project_file_name(b_prefix, item_number(b_numbers, i)),
                     std::string(status_prefix != nullptr ? status_prefix : "") +
                         item_text(status_names, i),
                     item_text(file_labels, i)});
  }
  return files;
}

// Every file that the report reads, for the check of the report path.
std::vector<NamedInput> inputs_of(const std::vector<ProjectFile>& files) {
  std::vector<NamedInput> inputs;
  for (const ProjectFile& file : files) {
    inputs.push_back({"a file A of the project", file.a_file.c_str()});
    inputs.push_back({"a file B of the project", file.b_file.c_str()});
    inputs.push_back({"a status file of the project", file.status_file.c_str()});
  }
  return inputs;
}

}  // namespace

int report_project_html(const ComparisonRules& rules, list2 file_labels, list2 a_numbers,
                        list2 b_numbers, list2 status_names, const char* a_prefix,
                        const char* b_prefix, const char* a_project,
                        const char* b_project, const char* a_title, const char* b_title,
                        const char* status_prefix, const char* report_path,
                        const char* template_path, int show_all, int nested) {
  using report_html::FileReportOutcome;
  using report_html::Section;
  const std::vector<ProjectFile> files = project_files(
      file_labels, a_numbers, b_numbers, status_names, a_prefix, b_prefix, status_prefix);
  report_html::refuse_report_path(report_path, nested == 0 ? template_path : nullptr,
                                  inputs_of(files));
  if (nested == 0 && !report_html::begin_document(template_path, report_path)) return 0;
  const bool started = report_html::append_phase(report_path, [&](std::FILE* file) {
    report_html::write_section_instance(file, Section::kProjectStart,
                                        {{"_APROJ_ ", a_project}, {"_BPROJ_", b_project}});
  });
  if (!started) return 0;

  // A file the loader cannot open is skipped; one whose block cannot be
  // written fails the report, which still goes on with the other files.
  bool files_written = true;
  for (const ProjectFile& file : files) {
    const FileReportOutcome outcome = report_html::write_file_report(
        rules, file.a_file.c_str(), file.b_file.c_str(), file.status_file.c_str(),
        file.label, file.label, a_title, b_title, report_path, template_path, show_all != 0,
        /*nested=*/true, /*unopened_file=*/nullptr);
    if (outcome == FileReportOutcome::kFailed) files_written = false;
  }

  const bool ended = report_html::append_phase(report_path, [](std::FILE* file) {
    report_html::write_section_instance(file, Section::kProjectEnd, {});
  });
  if (!ended || (nested == 0 && !report_html::finish_document(report_path))) return 0;
  return files_written ? 1 : 0;
}

}  // namespace diff
