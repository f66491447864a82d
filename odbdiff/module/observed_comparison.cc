#include "module/observed_comparison.h"  // ObservedComparison

namespace odbdiff {

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
