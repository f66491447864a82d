// What compare, compare-object and show do before they compare one pair: read
// the rules and the accepted differences, so that a faulty file is refused
// before the module is loaded, then bind the module and put both in force.
#ifndef ODBDIFF_MODULE_PAIR_MODULE_SETUP_H_
#define ODBDIFF_MODULE_PAIR_MODULE_SETUP_H_

#include "module/module_binding.h"     // DiffModule
#include "request/command_line.h"      // ComparisonOptions
#include "request/comparison_rules.h"  // ComparisonRules

namespace odbdiff {

struct PairModule {
  ComparisonRules rules;  // as put in force
  const DiffModule& module;
};

// Throws Failure when the rules or the accept file are not valid, or when the
// module cannot be loaded or refuses them.
PairModule SetUpModuleForPair(const ComparisonOptions& options);

}  // namespace odbdiff

#endif  // ODBDIFF_MODULE_PAIR_MODULE_SETUP_H_
