// The counts of a comparison, as --stat prints them and the JSON of
// differences ends with them.
#ifndef ODBDIFF_OUTPUTS_TEXT_DIFFERENCE_COUNTS_H_
#define ODBDIFF_OUTPUTS_TEXT_DIFFERENCE_COUNTS_H_

#include <cstdint>  // std::uint64_t
#include <string>   // std::string

#include "outputs/difference_sink.h"  // DifferenceSink, Side

namespace odbdiff {

struct Counts {
  std::uint64_t objects_identical = 0;
  std::uint64_t objects_differing = 0;
  std::uint64_t objects_only_in_a = 0;
  std::uint64_t objects_only_in_b = 0;
  std::uint64_t slots_only_in_a = 0;
  std::uint64_t slots_only_in_b = 0;
  std::uint64_t slots_values_differ = 0;

  // Objects left in A and B after the ignore rules and the accepted
  // differences: an accepted one-sided object counts as absent.
  std::uint64_t objects_in_a() const {
    return objects_identical + objects_differing + objects_only_in_a;
  }
  std::uint64_t objects_in_b() const {
    return objects_identical + objects_differing + objects_only_in_b;
  }

  Counts& operator+=(const Counts& other);
};

// Counts what a comparison finds; over all files of a project.
class DifferenceCounts final : public DifferenceSink {
 public:
  const Counts& counts() const { return counts_; }

  void BeginFile(const std::string&) override {}
  void EndFile() override {}
  void FileOnlyIn(Side, const std::string&) override {}
  void ObjectOnlyIn(Side side, const std::string&) override {
    ++(side == Side::kA ? counts_.objects_only_in_a : counts_.objects_only_in_b);
  }
  void ObjectSame(const std::string&) override { ++counts_.objects_identical; }
  void ObjectDiffers(const std::string&) override { ++counts_.objects_differing; }
  void SlotOnlyIn(Side side, const std::string&, const SlotValue&) override {
    ++(side == Side::kA ? counts_.slots_only_in_a : counts_.slots_only_in_b);
  }
  void SlotValuesDiffer(const std::string&, const SlotValue&, const SlotValue&) override {
    ++counts_.slots_values_differ;
  }

 private:
  Counts counts_;
};

// The lines of --stat, each closed by a newline:
//   objects in A: N
//   objects in B: N
//   objects identical: N
//   objects differing: N
//   objects only in A: N
//   objects only in B: N
//   slots only in A: N
//   slots only in B: N
//   slots with values that differ: N
std::string StatLines(const Counts& counts);

// The same counts as one JSON object on one line, keys as docs/json-output.md
// names them ("objects-in-a", ...).
std::string CountsJson(const Counts& counts);

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_TEXT_DIFFERENCE_COUNTS_H_
