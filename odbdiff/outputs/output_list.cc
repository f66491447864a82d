#include "outputs/output_list.h"  // OutputList

namespace odbdiff {

void OutputList::CheckInputs(std::vector<std::string>& inputs) {
  for (const auto& output : all_) output->CheckInputs(inputs);
}

void OutputList::CheckOutputs(std::vector<std::string>& outputs) {
  for (const auto& output : all_) output->CheckOutputs(outputs);
}

bool OutputList::ToStandardOutput() const {
  for (const auto& output : all_) {
    if (output->ToStandardOutput()) return true;
  }
  return false;
}

bool OutputList::UsesScratch() const {
  for (const auto& output : all_) {
    if (output->UsesScratch()) return true;
  }
  return false;
}

void OutputList::Stage(const ComparisonRules& rules) {
  for (const auto& output : all_) output->Stage(rules);
}

DifferencesWanted OutputList::Differences() {
  DifferencesWanted wanted;
  for (const auto& output : all_) {
    const DifferencesWanted differences = output->Differences();
    if (differences.sink == nullptr) continue;
    fan_out_.Add(*differences.sink);
    wanted.sink = &fan_out_;
    wanted.typed_values = wanted.typed_values || differences.typed_values;
  }
  return wanted;
}

void OutputList::ComparisonDone() {
  for (const auto& output : all_) output->ComparisonDone();
}

std::vector<std::function<void()>> OutputList::WritesFromContext(const ComparedPair& pair) {
  std::vector<std::function<void()>> writes;
  for (const auto& output : all_) {
    ComparisonOutput* writer = output.get();
    if (writer->WritesFromContext()) {
      writes.emplace_back([writer, &pair] { writer->WriteFromContext(pair); });
    }
  }
  return writes;
}

void OutputList::Write(const ComparedPair& pair) {
  for (const auto& output : all_) output->Write(pair);
}

void OutputList::Commit() {
  for (const auto& output : all_) output->Commit();
}

}  // namespace odbdiff
