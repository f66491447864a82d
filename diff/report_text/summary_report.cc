#include "diff/report_text/summary_report.h"

#include <cstdio>       // std::printf, std::FILE
#include <string>       // std::string
#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "diff/report_text/report_context.h"   // open_report_databases, write_object_file_names
#include "diff/report_text/report_file.h"      // create_report_file, write_line
#include "diff/report_text/section_objects.h"  // the objects of each section

namespace diff {
namespace {

constexpr std::string_view kNameIndent = "     ";

// A section: an empty line, the heading, and an indented line per object;
// nothing at all when there is no object.
void write_section(std::FILE* file, std::string_view heading,
                   const std::vector<std::string>& objects) {
  if (objects.empty()) return;
  report_text::write_line(file, "");
  report_text::write_line(file, heading);
  std::string line;
  for (const std::string& object : objects) {
    line.assign(kNameIndent);
    line.append(object);
    report_text::write_line(file, line);
  }
}

}  // namespace

int generate_summary_report(const char* report_path) {
  if (report_path == nullptr) return 0;
  const auto databases = report_text::open_report_databases();
  if (!databases) return 0;
  const report_text::ReportFile report = report_text::create_report_file(report_path);
  if (!report) return 0;
  std::printf("Generating summary report.\n");

  std::FILE* file = report.get();
  report_text::write_object_file_names(file, *databases);
  write_section(file, "Objects in A but not in B:", report_text::objects_only_in_a(*databases));
  write_section(file, "Objects in B but not in A:", report_text::objects_only_in_b(*databases));
  write_section(file, "Objects identical in A and B:",
                report_text::identical_objects(*databases));
  write_section(file, "Objects that differ between A and B:",
                report_text::differing_objects(*databases));
  // A write that failed has stopped the later lines; the report still counts
  // as written, and the file is closed when `report` goes.
  return 1;
}

}  // namespace diff
