// What an HTML report's object blocks stand for: the status of every object
// that gets a block (differs, only in A, only in B, identical) and the
// counts of --stat, for each file section of the report. odbdiff writes them
// into the report as a JSON script block that the template's script reads
// (docs/html-template.md), since the module's blocks alone cannot tell an
// object only in A from one in both files whose only differences are slots
// only in A.
#ifndef ODBDIFF_OUTPUTS_HTML_REPORT_STATUSES_H_
#define ODBDIFF_OUTPUTS_HTML_REPORT_STATUSES_H_

#include <cstdint>      // std::uint64_t
#include <string>       // std::string
#include <string_view>  // std::string_view
#include <vector>       // std::vector

#include "outputs/text/difference_counts.h"  // Counts

namespace odbdiff {

// The slots of an object by their status codes (docs/status-file.md).
struct SlotCodes {
  std::uint64_t values_differ = 0;  // 0
  std::uint64_t values_equal = 0;   // 1
  std::uint64_t only_in_a = 0;      // 3
  std::uint64_t only_in_b = 0;      // 4

  std::uint64_t differing() const { return values_differ + only_in_a + only_in_b; }
};

class ReportStatuses {
 public:
  // `show_all` as the report is written: then every object of a status file
  // gets a block, else only one with a slot that differs.
  explicit ReportStatuses(bool show_all) : show_all_(show_all) {}

  // Starts the next file section; the objects added after it are its own.
  void BeginFile();
  // An object of the current file's status file, in the status file's order.
  void AddObject(std::string_view name, bool in_a, bool in_b, const SlotCodes& slots);

  // The block as it goes into the report, ending with a newline:
  //   <script type="application/json" id="odbdiff-statuses">
  //   {"counts": C, "files": [{"counts": C, "objects": [[KIND, NAME], ...]}, ...]}
  //   </script>
  // C as in the JSON of differences; KIND "differs", "only-a", "only-b" or
  // "same"; NAME as the JSON of differences writes names. Every "<" is
  // written \u003c, so that no name can end the script element.
  std::string ScriptBlock() const;

 private:
  struct File {
    Counts counts;
    std::string objects;  // the JSON array's items, comma-separated
  };

  bool show_all_;
  std::vector<File> files_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_HTML_REPORT_STATUSES_H_
