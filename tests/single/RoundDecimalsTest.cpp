// Rounding of the boxes' results: half away from zero, judged on the shortest
// decimal text of the value. Results are compared exactly with the double
// nearest to the decimal they stand for: what the box then shows is that
// decimal, and nothing else.

#include "single/RoundDecimals.hpp"

#include "support/RowNames.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace kartoval {
namespace {

using testing::PrintTo;

struct RoundCase {
    const char* name;
    double value;
    int decimals;
    double expected;
};

class RoundDecimalsGives : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundDecimalsGives, TheRoundedDecimal)
{
    const RoundCase& c = GetParam();
    const double rounded = RoundDecimals(c.value, c.decimals);
    EXPECT_EQ(rounded, c.expected);
    EXPECT_EQ(std::signbit(rounded), std::signbit(c.expected)) << "a rounded zero must show no minus";
}

INSTANTIATE_TEST_SUITE_P(
    RoundDecimals, RoundDecimalsGives,
    ::testing::Values(
        // Truncation used to give 12.34 for the first two.
        RoundCase{"HalfGoesUp", 12.3456, 2, 12.35},
        RoundCase{"AboveHalfGoesUp", 12.3459, 2, 12.35},
        RoundCase{"ThirdDigitSix", 12.3466, 2, 12.35},
        RoundCase{"ThirdDigitFour", 12.3446, 2, 12.34},
        RoundCase{"NegativeAwayFromZero", -0.0071, 2, -0.01},
        RoundCase{"NegativeHalfAwayFromZero", -12.345, 2, -12.35},
        RoundCase{"HalfOfTheLastPlace", 0.005, 2, 0.01},
        // 2.675 and 1.005 are stored just below the decimal; their text is what counts.
        RoundCase{"BinaryJustBelowHalf", 2.675, 2, 2.68},
        RoundCase{"BinaryJustBelowHalfSmall", 1.005, 2, 1.01},
        RoundCase{"ExactBinaryHalf", 0.125, 2, 0.13},
        RoundCase{"OneDecimalUp", 1.19, 1, 1.2},
        RoundCase{"OneDecimalDown", 1.71, 1, 1.7},
        RoundCase{"WholeValue", 500000.0, 2, 500000.0},
        RoundCase{"SixDecimals", 45.1234567, 6, 45.123457},
        RoundCase{"NegativeRoundsToZero", -0.001, 2, 0.0},
        RoundCase{"NegativeZeroStaysPlainZero", -0.0, 2, 0.0},
        RoundCase{"TinyRoundsToZero", 1e-10, 6, 0.0},
        RoundCase{"HalfOfAMillionth", 5e-7, 6, 1e-6},
        RoundCase{"BelowHalfOfAMillionth", 4.9e-7, 6, 0.0},
        RoundCase{"CarryIntoTheUnits", 0.9999995, 6, 1.0},
        RoundCase{"CarryIntoTheTens", 9.995, 2, 10.0},
        RoundCase{"CarryIntoTheHundreds", 99.995, 2, 100.0},
        RoundCase{"NegativeCarry", -9.995, 2, -10.0},
        RoundCase{"SumOfTenths", 0.1 + 0.2, 6, 0.3},
        RoundCase{"GridNorthing", 4484124.434424, 2, 4484124.43},
        RoundCase{"NineDigitsAndAHalf", 123456789.125, 2, 123456789.13},
        // Past the reach of a 32-bit digit of the place 10^10.
        RoundCase{"ElevenIntegerDigits", 12345678901.234567, 2, 12345678901.23},
        RoundCase{"HugeUnchanged", 1e20, 2, 1e20},
        RoundCase{"LargeUnchanged", 2.5e19, 2, 2.5e19},
        RoundCase{"NegativeHugeUnchanged", -3.75e25, 6, -3.75e25}),
    [](const ::testing::TestParamInfo<RoundCase>& info) { return std::string(info.param.name); });

TEST(RoundDecimals, ValuesThatAreNotFiniteComeBackUnchanged)
{
    EXPECT_TRUE(std::isnan(RoundDecimals(std::numeric_limits<double>::quiet_NaN(), 2)));
    EXPECT_EQ(RoundDecimals(std::numeric_limits<double>::infinity(), 6), std::numeric_limits<double>::infinity());
    EXPECT_EQ(RoundDecimals(-std::numeric_limits<double>::infinity(), 2), -std::numeric_limits<double>::infinity());
}

// Rounding twice changes nothing: the boxes are rounded at every click and
// must not creep.
TEST(RoundDecimals, RoundingAgainChangesNothing)
{
    for (const double value : {12.3456, -0.0071, 2.675, 45.1234567, 4484124.434424, 0.9999995}) {
        for (const int decimals : {2, 6}) {
            const double once = RoundDecimals(value, decimals);
            EXPECT_EQ(RoundDecimals(once, decimals), once) << value << " at " << decimals;
        }
    }
}

}  // namespace
}  // namespace kartoval
