#include "difference_outputs.h"  // DifferenceOutputs, ObservedComparison, ReadAcceptedDifferences

#include "comparison_rules.h"  // ValueRuleLine
#include "standard_output.h"   // WriteStandardOutput

namespace odbdiff {

std::optional<AcceptedDifferences> ReadAcceptedDifferences(const ComparisonOptions& options,
                                                           bool project) {
  if (!options.accept) return std::nullopt;
  return ReadAcceptFile(*options.accept, project);
}

DifferenceOutputs::DifferenceOutputs(const ComparisonOptions& options,
                                     const DifferencesHeading& heading)
    : stat_(options.stat), value_rule_line_(ValueRuleLine(heading.rules)) {
  fan_out_.Add(counts_);
  if (options.json) {
    json_output_.emplace(*options.json);
    json_writer_.emplace(json_output_->writing_path(), json_output_->path(), heading);
    fan_out_.Add(*json_writer_);
  }
}

void DifferenceOutputs::Finish() {
  if (json_writer_) json_writer_->Finish();
}

void DifferenceOutputs::Commit() {
  if (json_output_) json_output_->Commit();
}

void DifferenceOutputs::PrintStat() const {
  if (stat_) WriteStandardOutput(StatLines(counts_.counts()) + value_rule_line_);
}

ObservedComparison::ObservedComparison(const DiffModule& module, DifferenceOutputs& outputs,
                                       const std::string& file_a, const std::string& file_b)
    : module_(module) {
  if (!outputs.wanted()) return;
  feed_.emplace(outputs.sink(), file_a, file_b, outputs.typed_values());
  module_.diff_set_event_observer(&EventFeed::Observe, &*feed_);
}

ObservedComparison::~ObservedComparison() {
  if (feed_) module_.diff_set_event_observer(nullptr, nullptr);
}

void ObservedComparison::Finish(const std::vector<PathShown>& shown) {
  if (feed_) feed_->RethrowFailure();
  ThrowIfModuleFailed(module_, shown);
  if (feed_) feed_->Finish();
}

}  // namespace odbdiff
