// The differences behind an HTML report's object blocks, with their value
// texts, for the page's script to read: its search over values, its marks of
// what changed and the accept file it writes of the differences a reviewer
// signed off (docs/html-template.md). odbdiff writes them into the report as
// a JSON script block, gathered from the comparison as it runs.
#ifndef ODBDIFF_OUTPUTS_HTML_REPORT_DIFFERENCES_H_
#define ODBDIFF_OUTPUTS_HTML_REPORT_DIFFERENCES_H_

#include <string>  // std::string

#include "outputs/difference_sink.h"  // DifferenceSink, Side

namespace odbdiff {

// Takes one file comparison's differences (no BeginFile).
class ReportDifferences final : public DifferenceSink {
 public:
  void BeginFile(const std::string&) override {}
  void EndFile() override {}
  void FileOnlyIn(Side, const std::string&) override {}
  void ObjectOnlyIn(Side side, const std::string& object) override;
  void ObjectSame(const std::string&) override {}
  void ObjectDiffers(const std::string& object) override;
  void SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) override;
  void SlotValuesDiffer(const std::string& slot, const SlotValue& a, const SlotValue& b) override;

  // The block as it goes into the report, ending with a newline:
  //   <script type="application/json" id="odbdiff-differences">
  //   {"files": [{"objects": [[STATUS, NAME, [[STATUS, SLOT, A, B], ...]], ...]}]}
  //   </script>
  // STATUS as in the JSON of differences; the objects in the comparison's
  // order, the slots of an object in byte-wise order; A and B the values in
  // the text form the module compares and accepts by, null on the side
  // without the slot. Names and values are written as the JSON of
  // differences writes names, and every "<" as \u003c.
  std::string ScriptBlock() const;

 private:
  void OpenObject(const char* status, const std::string& object);
  void CloseObject();

  std::string objects_;  // the JSON array's items, comma-separated
  bool object_open_ = false;
  bool first_slot_ = true;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_HTML_REPORT_DIFFERENCES_H_
