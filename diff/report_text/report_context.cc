#include "diff/report_text/report_context.h"

#include <string>  // std::string, the lines being built

#include "diff/filediff/comparison_context.h"  // context_handle, diff_context_open
#include "diff/report_text/report_file.h"      // write_line

namespace diff::report_text {
namespace {

std::string name_line(const char* prefix, const char* name) {
  std::string line(prefix);
  if (name != nullptr) line.append(name);
  return line;
}

}  // namespace

std::optional<ReportDatabases> open_report_databases() {
  if (!context_is_complete()) return std::nullopt;
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
