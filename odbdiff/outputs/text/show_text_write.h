// The text that `odbdiff show` and `odbdiff git-diff` print: a readable,
// slot-level difference of two object files, laid out like a unified diff.
//
//   --- plant_a.odb                  heading lines, as the command gives them
//   +++ plant_b.odb
//   @@ object Pump-12 @@             an object of both files that differs
//   - flow: 12.5 m3/h                a slot's value in A ...
//   + flow: 13 m3/h                  ... and in B, when they differ
//   + media: [                       a slot only in B, a list
//   +   "sand",
//   +   "anthracite"
//   + ]
//   - seal: "packing"                a slot only in A (slots in byte-wise name order)
//   - object Tank-3                  an object only in A, with its slots
//   -   volume: 40 m3
//   + object Valve-7                 an object only in B
//   objects: 1 differing, 1 only in A, 1 only in B, 5 identical; slots: ...
//                                    the counts, on one line (docs/odbdiff.md)
//
// Texts are quoted as JSON quotes them, numbers are shown in their shortest
// exact form followed by their units, lists one item a line. DEL and the C1
// controls are escaped too (\u007f), and names and units that hold a
// control character or bytes that are not UTF-8 (or start with '"' or '{')
// are quoted as texts are: nothing in a file can act on the terminal, and
// every slot keeps to its lines. With --explain, a line that starts with two
// blanks follows the two lines of each slot whose values differ: the rule
// that judged them and what it compared. With colour,
// heading lines are bold, object headers cyan, lines of A red and lines of B
// green.
//
// Where a slot's two values differ, the text shows what changed in them:
//   - tag: "pump 26.0[-1-].tar"      the changed part of two texts, between
//   + tag: "pump 26.0{+2+}.tar"      [- -] and {+ +} (in reverse video with
//                                    colour), when they have a part in common
//   + flow: 13 m3/h  (+0.5 m3/h, +4 %)   the difference of two numbers
//     media: [                       two lists item by item, equal runs folded
//       … 9 items the same …         but for one item next to each change
//       "sand",
//   -   "anthracite",
//   +   "garnet",
//     ]
#ifndef ODBDIFF_OUTPUTS_TEXT_SHOW_TEXT_WRITE_H_
#define ODBDIFF_OUTPUTS_TEXT_SHOW_TEXT_WRITE_H_

#include <optional>  // std::optional
#include <string>    // std::string
#include <vector>    // std::vector

#include "inputs/object_file_read.h"    // ObjectFileReader, the slots of one-sided objects
#include "inputs/object_model.h"        // SlotValue
#include "module/module_binding.h"      // DiffModule, its ignore rules
#include "outputs/text/difference_counts.h"  // DifferenceCounts, the counts line
#include "outputs/difference_sink.h"    // DifferenceSink, Side

namespace odbdiff {

// What the text names and where the slots of one-sided objects are read.
struct ShowSources {
  std::vector<std::string> heading;  // the lines that open the text
  std::string file_a;                // the object files to read
  std::string file_b;
  bool explain = false;  // after each differing slot, the rule that judged it
};

class ShowTextWriter final : public DifferenceSink {
 public:
  // `module` leaves out the slots of one-sided objects that its ignore rules
  // cover.
  ShowTextWriter(ShowSources sources, bool color, const DiffModule& module);

  // A comparison of two object files has no project files.
  void BeginFile(const std::string&) override {}
  void EndFile() override {}
  void FileOnlyIn(Side, const std::string&) override {}

  // Each throws Failure when the slots of a one-sided object cannot be read.
  void ObjectOnlyIn(Side side, const std::string& object) override;
  void ObjectSame(const std::string& object) override;
  void ObjectDiffers(const std::string& object) override;
  void SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) override;
  void SlotValuesDiffer(const std::string& slot, const SlotValue& a, const SlotValue& b) override;

  const Counts& counts() const { return counts_.counts(); }
  // The whole text, closed by the counts line.
  std::string Finish();

 private:
  // Appends `line` (without its newline) in `color` (none: nullptr) when
  // colours are on.
  void AppendLine(const char* color, const std::string& line);
  // Appends the line that tells how the values of `slot` were judged.
  void AppendExplanation(const std::string& slot, const SlotValue& a, const SlotValue& b);
  // Appends the lines of a slot, each after `mark` and `indent`.
  void AppendSlot(Side side, const std::string& indent, const std::string& slot,
                  const SlotValue& value);
  // The lines of a slot whose values differ that show what changed, when the
  // values are two lists, two texts with a part in common, or two numbers
  // with the same units. False, with nothing appended, for other values.
  bool AppendListChange(const std::string& slot, const SlotValue& a, const SlotValue& b);
  bool AppendTextChange(const std::string& slot, const SlotValue& a, const SlotValue& b);
  bool AppendNumberChange(const std::string& slot, const SlotValue& a, const SlotValue& b);

  ShowSources sources_;
  bool color_;
  const DiffModule& module_;
  std::string object_;  // the object whose slots are being written
  std::optional<ObjectFileReader> reader_a_;  // opened with the first one-sided object
  std::optional<ObjectFileReader> reader_b_;
  DifferenceCounts counts_;
  std::string text_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_TEXT_SHOW_TEXT_WRITE_H_
