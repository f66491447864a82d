// The value equality rules, written again from their description alone, for
// the fuzz targets to hold the engine's rules against.
#ifndef FUZZ_VALUE_RULE_MODEL_H_
#define FUZZ_VALUE_RULE_MODEL_H_

namespace fuzz {

enum class ModelRule { kTolerant, kNumeric, kExact };

// True when value texts `a` and `b` are equal under `rule` with the relative
// `tolerance` (a fraction). Identical texts always are. Tolerant: the leading
// numbers (atof) decide, within the tolerance of the larger magnitude; two
// texts that both read as zero are compared ignoring ASCII case. Numeric:
// both texts are a whole number, then nothing or one blank and units (not
// starting with a blank); the units are equal and the numbers equal, both
// NaN, or within the tolerance. Exact: only identical texts.
bool ModelValuesEqual(const char* a, const char* b, ModelRule rule = ModelRule::kTolerant,
                      double tolerance = 0.02);

}  // namespace fuzz

#endif  // FUZZ_VALUE_RULE_MODEL_H_
