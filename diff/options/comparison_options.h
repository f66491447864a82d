// The comparison options that the host sets through the module's entry
// points, checked before they are put in force.
#ifndef DIFF_OPTIONS_COMPARISON_OPTIONS_H_
#define DIFF_OPTIONS_COMPARISON_OPTIONS_H_

namespace diff {

// diff_set_value_rule: puts `rule` (a DIFF_VALUE_RULE_ code) with
// `tolerance_percent` in force. Returns 1; fails with DIFF_ERROR_ARGUMENT,
// changing nothing, for an unknown rule or a tolerance outside [0, 100).
int set_value_rule_option(int rule, double tolerance_percent);

// diff_get_value_rule: the rule in force, its tolerance through
// `tolerance_percent` when not null.
int value_rule_option(double* tolerance_percent);

// diff_reset_options: puts every default back in force. Returns 1.
int reset_comparison_options();

}  // namespace diff

#endif  // DIFF_OPTIONS_COMPARISON_OPTIONS_H_
