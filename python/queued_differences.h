// The DifferenceSink of a comparison run for Python: each difference goes
// into the queue as the comparison finds it, an object of one file only
// with its slots and values, read from its file as the object comes.
#ifndef ODBDIFF_PYTHON_QUEUED_DIFFERENCES_H_
#define ODBDIFF_PYTHON_QUEUED_DIFFERENCES_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "difference_queue.h"           // DifferenceQueue
#include "inputs/object_file_read.h"     // ObjectFileReader
#include "module/module_binding.h"      // DiffModule
#include "outputs/difference_sink.h"    // DifferenceSink, Side

namespace odbdiff::python {

class QueuedDifferences final : public DifferenceSink {
 public:
  // The slots of one-sided objects leave out those `module`'s ignore rules
  // cover, as odbdiff's --json does.
  QueuedDifferences(DifferenceQueue& queue, const std::string& file_a, const std::string& file_b,
                    const DiffModule& module);

  void BeginFile(const std::string&) override {}
  void EndFile() override {}
  void FileOnlyIn(Side, const std::string&) override {}
  void ObjectOnlyIn(Side side, const std::string& object) override;
  // A long run of equal objects ends early once the reader has gone.
  void ObjectSame(const std::string&) override { queue_.ThrowIfCancelled(); }
  void ObjectDiffers(const std::string& object) override { object_ = object; }
  void SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) override;
  void SlotValuesDiffer(const std::string& slot, const SlotValue& a, const SlotValue& b) override;

 private:
  DifferenceQueue& queue_;
  ObjectFileReader a_;  // the files, for the slots of one-sided objects
  ObjectFileReader b_;
  const DiffModule& module_;
  std::string object_;  // the differing object whose slots come now
};

}  // namespace odbdiff::python

#endif  // ODBDIFF_PYTHON_QUEUED_DIFFERENCES_H_
