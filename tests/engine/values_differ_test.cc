#include "diff/engine/values_differ.h"

#include <gtest/gtest.h>  // TEST, EXPECT_*

#include <array>   // std::array
#include <string>  // std::string

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

// One pair of texts through every rule. `verdicts` holds one character per
// rule of kRules, '=' for equal and 'x' for different.
struct RulePair {
  const char* a;
  const char* b;
  const char* verdicts;
};

constexpr std::array<ValueRule, 7> kRules = {{
    {ValueRuleKind::kTolerant, 0, 0},
    {ValueRuleKind::kTolerant, 2, 0.02},
    {ValueRuleKind::kTolerant, 10, 0.10},
    {ValueRuleKind::kNumeric, 0, 0},
    {ValueRuleKind::kNumeric, 2, 0.02},
    {ValueRuleKind::kNumeric, 10, 0.10},
    {ValueRuleKind::kExact, 2, 0.02},
}};

class ValueRulesTest : public ::testing::TestWithParam<RulePair> {};

TEST_P(ValueRulesTest, DecidesEqualityUnderEveryRule) {
  const RulePair& pair = GetParam();
  std::string verdicts;
  std::string reversed;
  for (const ValueRule& rule : kRules) {
    verdicts += values_differ(pair.a, pair.b, rule) == 0 ? '=' : 'x';
    reversed += values_differ(pair.b, pair.a, rule) == 0 ? '=' : 'x';
  }
  EXPECT_EQ(verdicts, pair.verdicts) << pair.a << " vs " << pair.b;
  EXPECT_EQ(reversed, pair.verdicts) << pair.b << " vs " << pair.a;
}

// Columns: tolerant 0 %, 2 %, 10 %; numeric 0 %, 2 %, 10 %; exact.
INSTANTIATE_TEST_SUITE_P(
    Rules, ValueRulesTest,
    ::testing::Values(RulePair{"100-P-001", "101-P-001", "x==xxxx"},
                      RulePair{"2019-03-01", "2024-11-30", "x==xxxx"},
                      RulePair{"1.2.3", "1.2.9", "===xxxx"},
                      RulePair{"4711", "4712", "x==x==x"},
                      RulePair{"Running", "RUNNING", "===xxxx"},
                      RulePair{"100 m3/h", "101 l/s", "x==xxxx"},
                      RulePair{"100 kg", "101 kg", "x==x==x"},
                      RulePair{"100 kg", "100 KG", "===xxxx"},
                      RulePair{"100 kg", "100", "===xxxx"},
                      RulePair{"100", "108", "xx=xx=x"},
                      RulePair{"-100", "-98", "x==x==x"},
                      RulePair{"nan", "nan", "======="},
                      RulePair{"nan", "-NaN", "xxx===x"},
                      RulePair{"nan kg", "nan g", "xxxxxxx"},
                      RulePair{"inf", "Infinity", "xxx===x"},
                      RulePair{"inf", "1e308", "xxxxxxx"},
                      RulePair{"12.5", "12.50", "======x"},
                      RulePair{"0", "-0.0", "xxx===x"},
                      RulePair{"+1.5e3", "1500.", "======x"},
                      RulePair{".5 m", "0.5 m", "======x"},
                      RulePair{"0x10", "16", "===xxxx"},       // hexadecimal is no whole number
                      RulePair{" 7.5", "7.5", "===xxxx"},      // nor one behind a blank
                      RulePair{"12.5 ", "12.5", "===xxxx"},    // a blank needs units behind it
                      RulePair{"5  kg", "5 kg", "===xxxx"},    // one blank, not two
                      RulePair{"1e", "1", "===xxxx"},          // an exponent needs digits
                      RulePair{"abc", "", "xxxxxxx"},
                      RulePair{"", "", "======="}));

TEST(ValuesDifferNullTest, NullReadsAsEmptyText) {
  EXPECT_EQ(values_differ(nullptr, ""), 0);
  EXPECT_NE(values_differ(nullptr, "1"), 0);
}

}  // namespace
}  // namespace diff::engine
