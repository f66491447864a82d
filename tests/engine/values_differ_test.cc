#include "diff/engine/values_differ.h"

#include <gtest/gtest.h>  // TEST, EXPECT_*

namespace diff::engine {
namespace {

struct ValuePair {
  const char* a;
  const char* b;
  bool equal;
};

class ValuesDifferTest : public ::testing::TestWithParam<ValuePair> {};

TEST_P(ValuesDifferTest, DecidesEqualityBothWays) {
  const ValuePair& pair = GetParam();
  EXPECT_EQ(values_differ(pair.a, pair.b) == 0, pair.equal) << pair.a << " vs " << pair.b;
  EXPECT_EQ(values_differ(pair.b, pair.a) == 0, pair.equal) << pair.b << " vs " << pair.a;
}

INSTANTIATE_TEST_SUITE_P(
    Tolerance, ValuesDifferTest,
    ::testing::Values(ValuePair{"100", "98", true},      // exactly 2 % of the larger
                      ValuePair{"100", "97.9", false},
                      ValuePair{"100", "102", true},     // 2 is below 2 % of 102
                      ValuePair{"100", "102.1", false},
                      ValuePair{"1e3", "1000", true},
                      ValuePair{"0x10", "16", true},      // hexadecimal reads as atof reads it
                      ValuePair{"  7.5", "7.5", true},    // leading blanks skipped
                      ValuePair{"12.5 m", "12.5 ft", true}));  // units play no part

INSTANTIATE_TEST_SUITE_P(
    Zero, ValuesDifferTest,
    ::testing::Values(ValuePair{"0", "0.001", false},
                      ValuePair{"abc", "ABC", true},     // both read as zero: texts ignoring case
                      ValuePair{"abc", "abd", false},
                      ValuePair{"", "", true},
                      ValuePair{"", "0", false},
                      ValuePair{"0", "0.0", false},
                      ValuePair{"0 kg", "0 KG", true},
                      ValuePair{"\xC3\xA9", "\xC3\x89", false}));  // only ASCII letters fold

INSTANTIATE_TEST_SUITE_P(
    Magnitudes, ValuesDifferTest,
    ::testing::Values(ValuePair{"-100", "-98", true},
                      ValuePair{"-100", "-50", false},   // not equal, although -50 is larger
                      ValuePair{"-5", "0", false},
                      ValuePair{"-1", "1", false},
                      ValuePair{"1e308", "-1e308", false}));

INSTANTIATE_TEST_SUITE_P(
    NotANumber, ValuesDifferTest,
    ::testing::Values(ValuePair{"inf", "inf", true},     // identical texts are always equal
                      ValuePair{"nan", "nan", true},
                      ValuePair{"inf", "INF", false},    // same reading, but inf - inf is no number
                      ValuePair{"inf", "1e308", false},
                      ValuePair{"nan", "1", false}));

TEST(ValuesDifferNullTest, NullReadsAsEmptyText) {
  EXPECT_EQ(values_differ(nullptr, ""), 0);
  EXPECT_NE(values_differ(nullptr, "1"), 0);
}

}  // namespace
}  // namespace diff::engine
