// The value equality rule, written again from its description alone, for the
// fuzz targets to hold the engine's rule against.
#ifndef FUZZ_VALUE_RULE_MODEL_H_
#define FUZZ_VALUE_RULE_MODEL_H_

namespace fuzz {

// True when value texts `a` and `b` are equal: identical texts are; else the
// leading numbers (atof) decide, within 2 % of the larger magnitude; two
// texts that both read as zero are compared ignoring ASCII case.
bool ModelValuesEqual(const char* a, const char* b);

}  // namespace fuzz

#endif  // FUZZ_VALUE_RULE_MODEL_H_
