#include "module/pair_module_setup.h"  // SetUpModuleForPair, PairModule

#include <optional>  // std::optional, the accepted differences
#include <utility>   // std::move

#include "outputs/difference_outputs.h"  // ReadAcceptedDifferences
#include "request/accept_file.h"         // AcceptedDifferences, PutAcceptedInForce

namespace odbdiff {

PairModule SetUpModuleForPair(const ComparisonOptions& options) {
  ComparisonRules rules = ResolveComparisonRules(options);
  const std::optional<AcceptedDifferences> accepted =
      ReadAcceptedDifferences(options, /*project=*/false);
  const DiffModule& module = BindDiffModule();
  ApplyComparisonRules(module, rules);
  if (accepted) PutAcceptedInForce(module, accepted->For(""));
  return PairModule{std::move(rules), module};
}

}  // namespace odbdiff
