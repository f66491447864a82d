// The JSON of differences (docs/json-output.md), written as the comparison
// goes: each object is written when the next begins, so that memory does not
// grow with the number of differences, and the text reaches the file in
// large buffered writes.
#ifndef ODBDIFF_OUTPUTS_JSON_JSON_DIFFERENCES_WRITE_H_
#define ODBDIFF_OUTPUTS_JSON_JSON_DIFFERENCES_WRITE_H_

#include <cstdio>    // std::FILE
#include <optional>  // std::optional
#include <string>    // std::string

#include "inputs/object_file_read.h"         // ObjectFileReader, the slots of one-sided objects

#include "outputs/text/difference_counts.h"  // Counts, DifferenceCounts
#include "outputs/difference_sink.h"    // DifferenceSink, Side
#include "request/comparison_rules.h"   // ComparisonRules

namespace odbdiff {

// What the document says of the comparison before its differences, and
// where the slots of the objects in one file only are read.
struct DifferencesHeading {
  std::string command;  // "compare", "compare-object" or "compare-project"
  std::string a;        // the paths as given
  std::string b;
  ComparisonRules rules;
  std::string read_a;  // the files as read (local copies of pipes); a project's folders
  std::string read_b;
};

class JsonDifferencesWriter final : public DifferenceSink {
 public:
  // Writes to `writing_path`; messages name `shown`. Throws Failure when the
  // file cannot be made.
  JsonDifferencesWriter(const std::string& writing_path, std::string shown,
                        const DifferencesHeading& heading);
  JsonDifferencesWriter(const JsonDifferencesWriter&) = delete;
  JsonDifferencesWriter& operator=(const JsonDifferencesWriter&) = delete;
  ~JsonDifferencesWriter() override;

  void BeginFile(const std::string& name) override;
  void EndFile() override;
  void FileOnlyIn(Side side, const std::string& name) override;
  // Lists the object's slots with their values, read from its file; throws
  // Failure when they cannot be read.
  void ObjectOnlyIn(Side side, const std::string& object) override;
  void ObjectSame(const std::string& object) override;
  void ObjectDiffers(const std::string& object) override;
  void SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) override;
  void SlotValuesDiffer(const std::string& slot, const SlotValue& a,
                        const SlotValue& b) override;

  // Writes the counts over everything and the end of the document, and
  // closes the file. Throws Failure when a write failed.
  void Finish();

 private:
  void CloseObject();
  void BeginEntry(const std::string& name, const char* status);
  void BeginSlot(const std::string& slot, const char* status);
  void AppendOneSidedSlots(Side side, const std::string& object);
  void FlushWhenFull();
  void Flush();

  std::string shown_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  bool project_;
  const char* indent_;         // of an object entry: deeper inside a project's file
  bool wrote_entry_ = false;   // in the current "objects" array
  bool wrote_file_ = false;    // in "files"
  bool in_object_ = false;     // a differing object's "slots" array is open
  bool wrote_slot_ = false;    // in that array
  std::string pending_file_;   // the project's file whose objects come now
  std::string read_a_;
  std::string read_b_;
  std::optional<ObjectFileReader> reader_a_;  // opened with the first one-sided object
  std::optional<ObjectFileReader> reader_b_;  // of the file (of a project's pair)
  DifferenceCounts file_counts_;
  Counts total_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_JSON_JSON_DIFFERENCES_WRITE_H_
