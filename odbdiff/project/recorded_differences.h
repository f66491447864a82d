// A pair's differences kept in a file: a worker process records what its
// comparison hands on, and the parent hands the records on to its own
// outputs afterwards, pair after pair in the project's order, so that the
// JSON of differences and the counts come out as from one process.
#ifndef ODBDIFF_PROJECT_RECORDED_DIFFERENCES_H_
#define ODBDIFF_PROJECT_RECORDED_DIFFERENCES_H_

#include <cstdio>  // std::FILE
#include <string>  // std::string

#include "inputs/object_model.h"      // SlotValue
#include "outputs/difference_sink.h"  // DifferenceSink, Side

namespace odbdiff {

class DifferenceRecorder final : public DifferenceSink {
 public:
  // Makes the file at `path`. Throws Failure when it cannot be made.
  explicit DifferenceRecorder(const std::string& path);
  DifferenceRecorder(const DifferenceRecorder&) = delete;
  DifferenceRecorder& operator=(const DifferenceRecorder&) = delete;
  ~DifferenceRecorder() override;

  // Completes the file. Throws Failure when it cannot be written in full.
  void Close();

  void BeginFile(const std::string& name) override;
  void EndFile() override;
  void FileOnlyIn(Side side, const std::string& name) override;
  void ObjectOnlyIn(Side side, const std::string& object) override;
  void ObjectSame(const std::string& object) override;
  void ObjectDiffers(const std::string& object) override;
  void SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) override;
  void SlotValuesDiffer(const std::string& slot, const SlotValue& a, const SlotValue& b) override;

 private:
  void Tag(char tag);
  void Text(const std::string& text);
  void Value(const SlotValue& value);

  std::string path_;
  std::FILE* file_;
};

// Hands everything recorded in the file at `path` on to `sink`, in order.
// Throws Failure when the file cannot be read or is cut short.
void ReplayDifferences(const std::string& path, DifferenceSink& sink);

}  // namespace odbdiff

#endif  // ODBDIFF_PROJECT_RECORDED_DIFFERENCES_H_
