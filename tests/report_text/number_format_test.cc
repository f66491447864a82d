#include "diff/report_text/number_format.h"

#include <gtest/gtest.h>  // TEST_P, EXPECT_EQ

#include <limits>  // std::numeric_limits for infinity and NaN

namespace diff::report_text {
namespace {

struct Formatted {
  double number;
  const char* text;
};

class GcvtFormatTest : public ::testing::TestWithParam<Formatted> {};

TEST_P(GcvtFormatTest, WritesNineSignificantDigits) {
  EXPECT_EQ(format_number(GetParam().number), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    FixedNotation, GcvtFormatTest,
    ::testing::Values(Formatted{12.5, "12.5"}, Formatted{100, "100."}, Formatted{0, "0."},
                      Formatted{123456789, "123456789"},  // nine digits before the point: none
                      Formatted{0.5, "0.5"}, Formatted{-2.5, "-2.5"},
                      Formatted{0.1234567894, "0.123456789"},   // rounded down at the ninth digit
                      Formatted{12345.67891, "12345.6789"},
                      Formatted{99999.99999, "100000."},        // rounding carries into a new digit
                      Formatted{-0.0, "0."}));

INSTANTIATE_TEST_SUITE_P(
    ExponentNotation, GcvtFormatTest,
    ::testing::Values(Formatted{0.001, "1.e-003"}, Formatted{0.05, "5.e-002"},
                      Formatted{1e12, "1.e+012"},
                      Formatted{999999999.5, "1.e+009"},  // rounds to ten digits before the point
                      Formatted{1234567890, "1.23456789e+009"},
                      Formatted{-0.00125, "-1.25e-003"}, Formatted{1.5e300, "1.5e+300"},
                      Formatted{5e-324, "4.94065646e-324"}));

INSTANTIATE_TEST_SUITE_P(
    NotFinite, GcvtFormatTest,
    ::testing::Values(Formatted{std::numeric_limits<double>::infinity(), "inf"},
                      Formatted{-std::numeric_limits<double>::infinity(), "-inf"},
                      Formatted{std::numeric_limits<double>::quiet_NaN(), "nan"}));

}  // namespace
}  // namespace diff::report_text
