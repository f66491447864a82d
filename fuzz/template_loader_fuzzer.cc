// The HTML template loader on any bytes: the bytes are loaded as a template,
// then an object report is written with them from a small comparison. No
// crash and no sanitizer report, whatever the template holds.
#include <cstddef>           // std::size_t
#include <cstdint>           // std::uint8_t
#include <initializer_list>  // the texts of a list
#include <string>            // std::string

#include "diff/diff.h"     // diff_getObjectTemplate, diff_ReportObjectHTML, diff_list2
#include "scratch_file.h"  // ScratchPath, WriteScratchFile, RemoveScratchFile

namespace {

list2 MakeList(std::initializer_list<const char*> texts) {
  list2 list = list2_create();
  for (const char* text : texts) list2_append_to_end(list, text, 0);
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string template_path = fuzz::ScratchPath("template.html");
  static const std::string report_path = fuzz::ScratchPath("report.html");
  fuzz::WriteScratchFile(template_path, data, size);
  diff_getObjectTemplate(template_path.c_str());

  // Slots on both sides with equal and different values, slots on one side
  // only, and texts that need escaping.
  list2 inputs[4] = {MakeList({"flow", "name", "only_a"}), MakeList({"12 kg", "<P&1>", "x"}),
                     MakeList({"name", "flow", "only_b"}), MakeList({"pump", "12.1 kg", "\"y\""})};
  list2 sorted[4] = {};
  diff_list2(inputs[0], inputs[1], inputs[2], inputs[3], &sorted[0], &sorted[1], &sorted[2],
             &sorted[3]);
  for (const int show_all : {0, 1}) {
    fuzz::RemoveScratchFile(report_path);
    diff_ReportObjectHTML("P-101", "File A", "File B", sorted[0], sorted[1], sorted[2],
                          sorted[3], report_path.c_str(), template_path.c_str(), show_all,
                          /*nested=*/0);
  }
  for (list2 list : inputs) list2_delete(list);
  for (list2 list : sorted) list2_delete(list);
  return 0;
}
