// The value equality rules shared by every comparison.
#ifndef DIFF_ENGINE_VALUES_DIFFER_H_
#define DIFF_ENGINE_VALUES_DIFFER_H_

#include "diff/engine/value_rule.h"  // ValueRule

namespace diff::engine {

// 0 when the value texts `a` and `b` are equal under `rule`, nonzero when
// they differ. A null text counts as "". Texts identical byte for byte are
// equal under every rule. Otherwise, with t the rule's tolerance (a fraction):
//
// Tolerant: the leading numbers x and y of the texts decide (read as atof
// reads them; units and other text behind a number play no part): when both
// are zero, the texts are equal exactly when they are equal ignoring the case
// of ASCII letters; else they are equal when |x - y| <= t * max(|x|, |y|),
// that is when they differ by at most t of the larger magnitude.
//
// Numeric: texts that are both numbers as a whole (read_whole_number), with
// units equal byte for byte, are equal when their numbers are (x == y, so
// 12.5 and 12.50), when both are NaN, or when |x - y| <= t * max(|x|, |y|);
// an infinity equals only the same infinity. Every other pair differs.
//
// Exact: every pair of texts that are not identical differs.
int values_differ(const char* a, const char* b, const ValueRule& rule = ValueRule{});

}  // namespace diff::engine

#endif  // DIFF_ENGINE_VALUES_DIFFER_H_
