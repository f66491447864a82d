// The outputs of a comparison that take its differences one by one: the JSON
// of differences (--json) and the counts (--stat), fed as the comparison goes
// and left out entirely when neither is asked for; the module's events of a
// file comparison handed to them; and the accepted differences (--accept),
// read before anything is compared.
#ifndef ODBDIFF_OUTPUTS_DIFFERENCE_OUTPUTS_H_
#define ODBDIFF_OUTPUTS_DIFFERENCE_OUTPUTS_H_

#include <optional>  // std::optional
#include <string>    // std::string
#include <vector>    // std::vector

#include "module/difference_feed.h"          // EventFeed
#include "module/module_binding.h"           // DiffModule, PathShown
#include "outputs/comparison_output.h"       // DifferencesWanted
#include "outputs/difference_sink.h"         // DifferenceSink, DifferenceFanOut
#include "outputs/json_differences_write.h"  // DifferencesHeading
#include "outputs/json_output.h"             // JsonOutput
#include "outputs/stat_output.h"             // StatOutput
#include "request/accept_file.h"             // AcceptedDifferences
#include "request/command_line.h"            // ComparisonOptions

namespace odbdiff {

// The accept file's differences when --accept is given. Throws Failure when
// the file is not valid.
std::optional<AcceptedDifferences> ReadAcceptedDifferences(const ComparisonOptions& options,
                                                           bool project);

// The JSON of differences and the counts of --stat for the commands that
// feed them alongside outputs of their own.
class DifferenceOutputs {
 public:
  // Stages the JSON when --json is given. Throws Failure when it cannot be made.
  DifferenceOutputs(const ComparisonOptions& options, const DifferencesHeading& heading);

  // Hands the differences to `sink` too, which lives at least as long as
  // this; with `typed_values` it takes the values as the files hold them (a
  // text that shows them), else it looks at names only.
  void Add(DifferenceSink& sink, bool typed_values) {
    fan_out_.Add(sink);
    added_ = true;
    typed_values_ = typed_values_ || typed_values;
  }

  // True when --json, --stat or an added sink wants the differences.
  bool wanted() const { return json_.has_value() || stat_.has_value() || added_; }
  // True when values must be read as the files hold them.
  bool typed_values() const { return json_.has_value() || typed_values_; }
  DifferenceSink& sink() { return fan_out_; }
  // What the comparison hands on: to nothing when nothing wants it.
  DifferencesWanted wanted_differences() {
    return {wanted() ? &fan_out_ : nullptr, typed_values()};
  }

  // Completes the JSON of differences. Throws Failure when it cannot be written.
  void Finish();
  // Puts the JSON of differences into place.
  void Commit();
  // Prints the counts and the value rule's line on standard output with --stat.
  void PrintStat();

 private:
  bool added_ = false;
  bool typed_values_ = false;
  std::optional<JsonOutput> json_;
  std::optional<StatOutput> stat_;
  DifferenceFanOut fan_out_;
};

// The module's events of one file comparison fed to the outputs while this
// lives, when they want them.
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

#endif  // ODBDIFF_OUTPUTS_DIFFERENCE_OUTPUTS_H_
