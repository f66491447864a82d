// A small pair of object files in JSON form with one object only in A
// (tank), one only in B (motor), one that differs (pump: a slot only in A,
// and a flow within the tolerance) and one identical (valve).
#ifndef DIFF_TESTS_ODBDIFF_SAMPLE_PAIR_H_
#define DIFF_TESTS_ODBDIFF_SAMPLE_PAIR_H_

namespace odbdiff_test {

inline constexpr char kSampleA[] = R"({
  "valve": {"state": "open", "size": {"number": 50, "units": "mm"}},
  "pump": {"flow": {"number": 12.5, "units": "m3/h"}, "seal": "lip"},
  "tank": {"volume": {"number": 10, "units": "m3"}}
})";

inline constexpr char kSampleB[] = R"({
  "pump": {"flow": {"number": 12.6, "units": "m3/h"}},
  "motor": {"power": {"number": 7.5, "units": "kW"}},
  "valve": {"state": "open", "size": {"number": 50, "units": "mm"}}
})";

}  // namespace odbdiff_test

#endif  // DIFF_TESTS_ODBDIFF_SAMPLE_PAIR_H_
