// The module's events of one file comparison handed to the outputs that
// want them, while this lives.
#ifndef ODBDIFF_MODULE_OBSERVED_COMPARISON_H_
#define ODBDIFF_MODULE_OBSERVED_COMPARISON_H_

#include <optional>  // std::optional
#include <string>    // std::string
#include <vector>    // std::vector

#include "module/difference_feed.h"     // EventFeed
#include "module/module_binding.h"      // DiffModule, PathShown
#include "outputs/comparison_output.h"  // DifferencesWanted

namespace odbdiff {

class ObservedComparison {
 public:
  // Throws Failure when A or B cannot be opened for the typed values.
  ObservedComparison(const DiffModule& module, const DifferencesWanted& wanted,
                     const std::string& file_a, const std::string& file_b);
  ObservedComparison(const ObservedComparison&) = delete;
  ObservedComparison& operator=(const ObservedComparison&) = delete;
  ~ObservedComparison();

  // Right after the comparison, before any other call of the module (each
  // call forgets the outcome of the one before, unsetting the observer
  // too): rethrows what stopped it from the outputs, if anything did, else
  // the module's failure with `shown` for the paths it names, else hands on
  // what the outputs still wait for.
  void Finish(const std::vector<PathShown>& shown);

 private:
  const DiffModule& module_;
  std::optional<EventFeed> feed_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_MODULE_OBSERVED_COMPARISON_H_
