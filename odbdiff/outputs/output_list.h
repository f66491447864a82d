// The outputs a command chose, taken through the steps of comparison_output.h
// together, each step for every output in the order chosen.
#ifndef ODBDIFF_OUTPUTS_OUTPUT_LIST_H_
#define ODBDIFF_OUTPUTS_OUTPUT_LIST_H_

#include <functional>  // std::function of a write
#include <memory>      // std::unique_ptr
#include <string>      // std::string
#include <vector>      // std::vector

#include "outputs/comparison_output.h"  // ComparisonOutput, ComparedPair
#include "outputs/difference_sink.h"    // DifferenceFanOut

namespace odbdiff {

class OutputList {
 public:
  void Add(std::unique_ptr<ComparisonOutput> output) { all_.push_back(std::move(output)); }

  // Checks what every output reads and writes: its inputs join `inputs`,
  // then its outputs join `outputs`.
  void Check(std::vector<std::string>& inputs, std::vector<std::string>& outputs) {
    CheckInputs(inputs);
    CheckOutputs(outputs);
  }
  void CheckInputs(std::vector<std::string>& inputs);
  void CheckOutputs(std::vector<std::string>& outputs);
  bool ToStandardOutput() const;
  bool UsesScratch() const;
  void Stage(const ComparisonRules& rules);
  // What the comparison hands on: to every output that wants its differences.
  DifferencesWanted Differences();
  void ComparisonDone();
  // The writes from the difference databases, to run while they stand.
  std::vector<std::function<void()>> WritesFromContext(const ComparedPair& pair);
  void Write(const ComparedPair& pair);
  void Commit();

 private:
  std::vector<std::unique_ptr<ComparisonOutput>> all_;
  DifferenceFanOut fan_out_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_OUTPUT_LIST_H_
