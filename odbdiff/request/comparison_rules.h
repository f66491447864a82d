// The rules of a comparison as odbdiff puts them in force: the value rule
// and the ignore patterns, from the rules file (--rules) and the command
// line together. The same keys name them in a rules file and in the "rules"
// member of the JSON of differences.
#ifndef ODBDIFF_REQUEST_COMPARISON_RULES_H_
#define ODBDIFF_REQUEST_COMPARISON_RULES_H_

#include <string>  // std::string
#include <vector>  // std::vector

#include "module/module_binding.h"  // DiffModule
#include "request/command_line.h"   // ComparisonOptions
#include "request/slot_rule_options.h"  // SlotRule

namespace odbdiff {

// odbdiff's default value rule is numeric, not the module's tolerant rule: a
// user runs odbdiff to see what changed, and the tolerant rule takes texts
// such as "100-P-001" and "101-P-001" or "1.2.3" and "1.2.9" for equal.
struct ComparisonRules {
  std::string value_rule = "numeric";       // "value-rule": tolerant, numeric or exact
  double tolerance_percent = 2.0;           // "tolerance"
  std::vector<std::string> ignore_objects;  // "ignore-objects": object globs
  std::vector<std::string> ignore_slots;    // "ignore-slots": [OBJECT_GLOB:]SLOT_GLOB
  std::vector<SlotRule> slot_rules;         // "slot-rules", the file's then the command line's
};

// The rules file's rules with the command line's added (its value rule and
// tolerance take the file's place, its patterns and slot rules follow the
// file's); the settings a slot rule leaves out are the run's. Throws
// Failure naming the file and the JSON pointer of the fault when the rules
// file cannot be read or is not valid.
ComparisonRules ResolveComparisonRules(const ComparisonOptions& options);

// The line that tells the value rule in force, closed by a newline, in the
// words of the JSON's "rules": "value rule: numeric, tolerance 2 %", or
// "value rule: exact", which has no tolerance; "; 3 slot rules" follows the
// rule when there are slot rules.
std::string ValueRuleLine(const ComparisonRules& rules);

// Puts `rules` in force in the module, after putting every default back.
// Throws Failure with the module's message when it refuses one.
void ApplyComparisonRules(const DiffModule& module, const ComparisonRules& rules);

}  // namespace odbdiff

#endif  // ODBDIFF_REQUEST_COMPARISON_RULES_H_
