// What a comparison finds, handed on as it finds it: objects and slots in
// the comparison's order, each object's slots right after the object. The
// JSON of differences and the counts of --stat both take them this way.
#ifndef ODBDIFF_OUTPUTS_DIFFERENCE_SINK_H_
#define ODBDIFF_OUTPUTS_DIFFERENCE_SINK_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "inputs/object_model.h"  // SlotValue

namespace odbdiff {

enum class Side { kA, kB };

class DifferenceSink {
 public:
  virtual ~DifferenceSink() = default;

  // A project's file in both folders: the differences that follow until
  // EndFile are its own.
  virtual void BeginFile(const std::string& name) = 0;
  virtual void EndFile() = 0;
  // A project's file in one folder only.
  virtual void FileOnlyIn(Side side, const std::string& name) = 0;

  virtual void ObjectOnlyIn(Side side, const std::string& object) = 0;
  virtual void ObjectSame(const std::string& object) = 0;
  // An object of both files with a difference; its slots follow.
  virtual void ObjectDiffers(const std::string& object) = 0;
  virtual void SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) = 0;
  virtual void SlotValuesDiffer(const std::string& slot, const SlotValue& a,
                                const SlotValue& b) = 0;
};

// Hands everything on to each of several sinks, in order.
class DifferenceFanOut final : public DifferenceSink {
 public:
  void Add(DifferenceSink& sink) { sinks_.push_back(&sink); }

  void BeginFile(const std::string& name) override {
    for (DifferenceSink* sink : sinks_) sink->BeginFile(name);
  }
  void EndFile() override {
    for (DifferenceSink* sink : sinks_) sink->EndFile();
  }
  void FileOnlyIn(Side side, const std::string& name) override {
    for (DifferenceSink* sink : sinks_) sink->FileOnlyIn(side, name);
  }
  void ObjectOnlyIn(Side side, const std::string& object) override {
    for (DifferenceSink* sink : sinks_) sink->ObjectOnlyIn(side, object);
  }
  void ObjectSame(const std::string& object) override {
    for (DifferenceSink* sink : sinks_) sink->ObjectSame(object);
  }
  void ObjectDiffers(const std::string& object) override {
    for (DifferenceSink* sink : sinks_) sink->ObjectDiffers(object);
  }
  void SlotOnlyIn(Side side, const std::string& slot, const SlotValue& value) override {
    for (DifferenceSink* sink : sinks_) sink->SlotOnlyIn(side, slot, value);
  }
  void SlotValuesDiffer(const std::string& slot, const SlotValue& a,
                        const SlotValue& b) override {
    for (DifferenceSink* sink : sinks_) sink->SlotValuesDiffer(slot, a, b);
  }

 private:
  std::vector<DifferenceSink*> sinks_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_DIFFERENCE_SINK_H_
