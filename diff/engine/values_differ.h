// The value equality rule shared by every comparison.
#ifndef DIFF_ENGINE_VALUES_DIFFER_H_
#define DIFF_ENGINE_VALUES_DIFFER_H_

namespace diff::engine {

// 0 when the value texts `a` and `b` are equal, nonzero when they differ.
//
// Texts identical byte for byte are equal. Otherwise the leading numbers x
// and y of the texts decide (read as atof reads them; units and other text
// behind a number play no part): when both are zero, the texts are equal
// exactly when they are equal ignoring the case of ASCII letters; else they
// are equal when |x - y| <= 0.02 * max(|x|, |y|), that is when they differ by
// at most 2 % of the larger magnitude. A null text counts as "".
int values_differ(const char* a, const char* b);

}  // namespace diff::engine

#endif  // DIFF_ENGINE_VALUES_DIFFER_H_
