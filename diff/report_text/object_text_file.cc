#include "diff/report_text/object_text_file.h"

#include <cstdio>  // std::fprintf, std::FILE

#include "diff/engine/marked_side_cursor.h"    // MarkedSideCursor
#include "diff/filediff/comparison_context.h"  // context_files
#include "diff/outcome/call_outcome.h"         // fail, DIFF_ERROR_ARGUMENT
#include "diff/outcome/file_identity.h"        // refuse_output_naming_input
#include "diff/report_text/report_file.h"      // OutputFile

namespace diff {
namespace {

void write_row(std::FILE* file, const char* a_slot, const char* a_value, const char* b_slot,
               const char* b_value) {
  std::fprintf(file, "%12s%32s%12s%32s\n", a_slot, a_value, b_slot, b_value);
}

}  // namespace

int write_object_text_file(list2 a_slots, list2 a_values, list2 b_slots, list2 b_values,
                           const char* report_path) {
  if (report_path == nullptr) {
    fail(DIFF_ERROR_ARGUMENT, "diff_object_WriteTextFile: the report path is missing");
  }
  refuse_output_naming_input(report_path, context_files());
  report_text::OutputFile report(report_path);
  std::FILE* file = report.stream();
  std::fprintf(file, "%14s%51s\n", "A", "B");
  std::fprintf(file, "%15s%51s\n", "---", "---");
  std::fprintf(file, "%9s%17s%31s%17s\n\n", "Slots", "Values", "Slots", "Values");

  engine::MarkedSideCursor a(a_slots, a_values);
  engine::MarkedSideCursor b(b_slots, b_values);
  while (a.has_current() || b.has_current()) {
    while (a.has_current() && a.current_one_sided()) {
      write_row(file, a.slot(), a.value(), "", "");
      a.advance();
    }
    while (b.has_current() && b.current_one_sided()) {
      write_row(file, "", "", b.slot(), b.value());
      b.advance();
    }
    if (a.has_current() || b.has_current()) {
      write_row(file, a.slot(), a.value(), b.slot(), b.value());
    }
    a.advance();
    b.advance();
  }
  report.commit();
  return 0;
}

}  // namespace diff
