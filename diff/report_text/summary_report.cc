#include "diff/report_text/summary_report.h"

#include <cstdio>       // std::printf, std::FILE
#include <string>       // std::string
#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "diff/host/list_library.h"            // CStrList, the common objects
#include "diff/report_text/report_context.h"   // open_report_databases, write_object_file_names
#include "diff/outcome/call_outcome.h"         // fail, DIFF_ERROR_ARGUMENT
#include "diff/report_text/report_file.h"      // OutputFile, write_line
#include "diff/report_text/section_objects.h"  // the objects of each section

namespace diff {
namespace {

constexpr std::string_view kNameIndent = "     ";

// A section: an empty line, the heading, and an indented line per object;
// nothing at all when there is no object.
template <typename Name>
void write_section(std::FILE* file, std::string_view heading, const std::vector<Name>& objects) {
  if (objects.empty()) return;
  report_text::write_line(file, "");
  report_text::write_line(file, heading);
  std::string line;
  for (const Name& object : objects) {
    line.assign(kNameIndent);
    line.append(object);
    report_text::write_line(file, line);
  }
}

}  // namespace

int generate_summary_report(const char* report_path) {
  if (report_path == nullptr) fail(DIFF_ERROR_ARGUMENT, "GenSumReport: the report path is missing");
  report_text::require_finished_comparison();
  report_text::refuse_context_file(report_path);
  const report_text::ReportDatabases databases = report_text::open_report_databases();
  report_text::OutputFile report(report_path);
  std::printf("Generating summary report.\n");

  std::FILE* file = report.stream();
  report_text::write_object_file_names(file, databases);
  write_section(file, "Objects in A but not in B:", report_text::objects_only_in_a(databases));
  write_section(file, "Objects in B but not in A:", report_text::objects_only_in_b(databases));
  CStrList common;
  write_section(file, "Objects identical in A and B:",
                report_text::identical_objects(databases, common));
  write_section(file, "Objects that differ between A and B:",
                report_text::differing_objects(databases));
  report.commit();
  return 1;
}

}  // namespace diff
