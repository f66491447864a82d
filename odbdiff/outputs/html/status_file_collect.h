// The status file of a compared pair (docs/status-file.md) and the statuses
// of its objects, taken from the differences the comparison hands on as it
// runs, so that the HTML report needs no comparison of its own.
#ifndef ODBDIFF_OUTPUTS_HTML_STATUS_FILE_COLLECT_H_
#define ODBDIFF_OUTPUTS_HTML_STATUS_FILE_COLLECT_H_

#include <string>   // std::string
#include <utility>  // std::pair
#include <vector>   // std::vector

#include "module/module_binding.h"    // DiffModule
#include "outputs/difference_sink.h"  // DifferenceSink, Side
#include "outputs/html/report_statuses.h"  // ReportStatuses

namespace odbdiff {

// Takes a file comparison's differences (one file, no BeginFile) and then
// writes the status file that the pair's own comparison with
// diff_objects_ormo for every object would give, as far as the HTML report
// reads it: every object to report, in byte-wise order of the names, with
// the codes of its slots. With `every_slot` (a report that shows every
// slot) that is every object and slot; otherwise an object without a
// difference, and a slot whose values are equal, show nothing and are left
// out. Objects without a difference are counted in `statuses` as they come;
// the others are added to it when the file is written.
class StatusFileCollector final : public DifferenceSink {
 public:
  StatusFileCollector(bool every_slot, ReportStatuses& statuses)
      : every_slot_(every_slot), statuses_(statuses) {}

  void BeginFile(const std::string&) override {}
  void EndFile() override {}
  void FileOnlyIn(Side, const std::string&) override {}
  void ObjectOnlyIn(Side side, const std::string& object) override;
  void ObjectSame(const std::string& object) override;
  void ObjectDiffers(const std::string& object) override;
  void SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) override;
  void SlotValuesDiffer(const std::string& slot, const SlotValue& a, const SlotValue& b) override;

  // After the comparison, whose observer is no longer called: writes the
  // status file `status_file` of object files A and B and adds the objects
  // to `statuses`. Throws Failure when a file cannot be read or the status
  // file cannot be written.
  void Write(const DiffModule& module, const std::string& file_a, const std::string& file_b,
             const std::string& status_file);

 private:
  enum class Kind { kOnlyInA, kOnlyInB, kSame, kDiffers };
  struct Entry {
    Kind kind;
    std::string name;
    std::vector<std::pair<std::string, const char*>> codes;  // differing slots only
  };

  void AddCommon(Kind kind, const std::string& object);
  // The comparison hands on a run of objects only in A, then a run of those
  // only in B, before each object of both: merged, they come in byte-wise order.
  void MergeOneSidedRuns();

  bool every_slot_;
  ReportStatuses& statuses_;
  std::vector<Entry> entries_;
  std::vector<std::string> only_in_a_;
  std::vector<std::string> only_in_b_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_HTML_STATUS_FILE_COLLECT_H_
