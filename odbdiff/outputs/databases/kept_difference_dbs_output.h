// --keep-difference-dbs DIR: the comparison's three difference databases,
// made in a private folder inside DIR and renamed into place with the other
// outputs.
#ifndef ODBDIFF_OUTPUTS_DATABASES_KEPT_DIFFERENCE_DBS_OUTPUT_H_
#define ODBDIFF_OUTPUTS_DATABASES_KEPT_DIFFERENCE_DBS_OUTPUT_H_

#include <optional>  // std::optional
#include <string>    // std::string

#include "outputs/comparison_output.h"    // ComparisonOutput
#include "outputs/databases/kept_difference_dbs.h"  // KeptDifferenceDbs, DifferenceDbs

namespace odbdiff {

class KeptDifferenceDbsOutput final : public ComparisonOutput {
 public:
  explicit KeptDifferenceDbsOutput(std::string folder) : folder_(std::move(folder)) {}

  void CheckOutputs(std::vector<std::string>& outputs) override;
  void Stage(const ComparisonRules&) override { kept_.emplace(folder_); }
  void Commit() override { kept_->Commit(); }

  // Where the comparison makes them, once staged.
  const KeptDifferenceDbs& databases() const { return *kept_; }

 private:
  std::string folder_;
  std::optional<KeptDifferenceDbs> kept_;
};

}  // namespace odbdiff

#endif  // ODBDIFF_OUTPUTS_DATABASES_KEPT_DIFFERENCE_DBS_OUTPUT_H_
