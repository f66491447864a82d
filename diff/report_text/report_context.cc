#include "diff/report_text/report_context.h"

#include <string>  // std::string, the lines being built

#include "diff/filediff/comparison_context.h"  // context_handle, diff_context_open
#include "diff/outcome/call_outcome.h"         // fail, DIFF_ERROR_ARGUMENT
#include "diff/outcome/file_identity.h"        // refuse_output_naming_input
#include "diff/report_text/report_file.h"      // write_line

namespace diff::report_text {
namespace {

std::string name_line(const char* prefix, const char* name) {
  std::string line(prefix);
  if (name != nullptr) line.append(name);
  return line;
}

}  // namespace

void require_finished_comparison() {
  if (!context_is_complete()) fail(DIFF_ERROR_ARGUMENT, "no comparison to report");
  if (!context_comparison_finished()) {
    fail(DIFF_ERROR_ARGUMENT,
         "no finished comparison to report: the last one failed or its difference databases "
         "were deleted");
  }
}

void refuse_context_file(const char* report_path) {
  refuse_output_naming_input(report_path, context_files());
}

ReportDatabases open_report_databases() {
  diff_context_open();
  return ReportDatabases{
      *context_handle(ContextSlot::kObjectFileA),
      *context_handle(ContextSlot::kObjectFileB),
      *context_handle(ContextSlot::kADifferenceDb),
      *context_handle(ContextSlot::kBDifferenceDb),
      *context_handle(ContextSlot::kCombinedDifferenceDb),
  };
}

void write_object_file_names(std::FILE* file, const ReportDatabases& databases) {
  write_line(file, name_line("A = ", databases.object_file_a.DB()));
  write_line(file, name_line("B = ", databases.object_file_b.DB()));
}

}  // namespace diff::report_text
