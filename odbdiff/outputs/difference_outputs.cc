#include "outputs/difference_outputs.h"  // DifferenceOutputs, ObservedComparison, ReadAcceptedDifferences

namespace odbdiff {

std::optional<AcceptedDifferences> ReadAcceptedDifferences(const ComparisonOptions& options,
                                                           bool project) {
  if (!options.accept) return std::nullopt;
  return ReadAcceptFile(*options.accept, project);
}

DifferenceOutputs::DifferenceOutputs(const ComparisonOptions& options,
                                     const DifferencesHeading& heading) {
  if (options.stat) {
    stat_.emplace();
    stat_->Stage(heading.rules);
    fan_out_.Add(*stat_->Differences().sink);
  }
  if (options.json) {
    json_.emplace(*options.json, heading);
    json_->Stage(heading.rules);
    fan_out_.Add(*json_->Differences().sink);
  }
}

void DifferenceOutputs::Finish() {
  if (json_) json_->ComparisonDone();
}

void DifferenceOutputs::Commit() {
  if (json_) json_->Commit();
}

void DifferenceOutputs::PrintStat() {
  if (stat_) stat_->Commit();
}

ObservedComparison::ObservedComparison(const DiffModule& module, const DifferencesWanted& wanted,
                                       const std::string& file_a, const std::string& file_b)
    : module_(module) {
  if (wanted.sink == nullptr) return;
  feed_.emplace(*wanted.sink, file_a, file_b, wanted.typed_values);
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
