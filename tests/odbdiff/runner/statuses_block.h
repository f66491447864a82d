// The pieces of odbdiff's statuses and differences blocks in an HTML report, for the
// expected reports of the tests.
#ifndef DIFF_TESTS_ODBDIFF_STATUSES_BLOCK_H_
#define DIFF_TESTS_ODBDIFF_STATUSES_BLOCK_H_

#include <string>  // std::string, std::to_string

namespace odbdiff_test {

inline constexpr char kStatusesOpen[] =
    "<script type=\"application/json\" id=\"odbdiff-statuses\">\n";
inline constexpr char kDifferencesOpen[] =
    "<script type=\"application/json\" id=\"odbdiff-differences\">\n";

// The counts as the block and the JSON of differences write them, in the
// order of --stat.
inline std::string CountsText(int in_a, int in_b, int identical, int differing, int only_a,
                              int only_b, int slots_only_a, int slots_only_b, int values) {
  const auto n = [](int count) { return std::to_string(count); };
  return "{\"objects-in-a\": " + n(in_a) + ", \"objects-in-b\": " + n(in_b) +
         ", \"objects-identical\": " + n(identical) + ", \"objects-differing\": " + n(differing) +
         ", \"objects-only-in-a\": " + n(only_a) + ", \"objects-only-in-b\": " + n(only_b) +
         ", \"slots-only-in-a\": " + n(slots_only_a) +
         ", \"slots-only-in-b\": " + n(slots_only_b) + ", \"slots-values-differ\": " + n(values) +
         "}";
}

}  // namespace odbdiff_test

#endif  // DIFF_TESTS_ODBDIFF_STATUSES_BLOCK_H_
