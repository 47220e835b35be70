// Number texts as the edit boxes and the data tables read and show them.
// Conversions of decimal text are exact operations (correctly rounded), so the
// numeric comparisons here are exact: a tolerance would hide a parser that
// rounds twice.

#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"
#include "toolkit/VisibleText.hpp"

#include "support/RowNames.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <string>

namespace kartoval {
namespace {

using testing::PrintTo;

struct ReadCase {
    const char* name;
    const char* text;
    char separator;
    double expected;
};

class StrToFloatAccepts : public ::testing::TestWithParam<ReadCase> {};

TEST_P(StrToFloatAccepts, ReadsTheValue)
{
    const ReadCase& c = GetParam();
    EXPECT_EQ(StrToFloat(c.text, c.separator), c.expected) << "text '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, StrToFloatAccepts,
    ::testing::Values(ReadCase{"Plain", "12.5", '.', 12.5},
                      ReadCase{"Negative", "-12.5", '.', -12.5},
                      ReadCase{"ExplicitPlus", "+3", '.', 3.0},
                      ReadCase{"Zero", "0", '.', 0.0},
                      ReadCase{"DecimalTenth", "0.1", '.', 0.1},
                      ReadCase{"Exponent", "1e3", '.', 1000.0},
                      ReadCase{"CapitalNegativeExponent", "1E-3", '.', 0.001},
                      ReadCase{"SignedMantissaAndExponent", "-2.5e+2", '.', -250.0},
                      ReadCase{"BlanksTabCrAround", "  7.25\t\r", '.', 7.25},
                      ReadCase{"LineFeedsAround", "\n42\n", '.', 42.0},
                      ReadCase{"TrailingSeparator", "1.", '.', 1.0},
                      ReadCase{"LeadingSeparator", ".5", '.', 0.5},
                      ReadCase{"NegativeLeadingSeparator", "-.5", '.', -0.5},
                      ReadCase{"CommaLocale", "1,5", ',', 1.5},
                      ReadCase{"CommaLocaleWithExponent", "-0,25e1", ',', -2.5},
                      ReadCase{"CommaLocaleWhole", "500000", ',', 500000.0},
                      ReadCase{"ManyDigits", "4484124.43442342", '.', 4484124.43442342},
                      // Far below anything a grid or an angle can hold: read as zero, not refused.
                      ReadCase{"UnderflowReadsZero", "1e-400", '.', 0.0}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

struct RefuseCase {
    const char* name;
    const char* text;
    char separator;
};

class StrToFloatRefuses : public ::testing::TestWithParam<RefuseCase> {};

TEST_P(StrToFloatRefuses, ThrowsConvertErrorQuotingTheText)
{
    const RefuseCase& c = GetParam();
    try {
        const double value = StrToFloat(c.text, c.separator);
        ADD_FAILURE() << "'" << c.text << "' read as " << value;
    } catch (const ConvertError& error) {
        EXPECT_EQ(std::string(error.what()), QuotedText(c.text) + " is not a valid floating point value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, StrToFloatRefuses,
    ::testing::Values(RefuseCase{"Empty", "", '.'},
                      RefuseCase{"BlanksOnly", "  \t ", '.'},
                      RefuseCase{"Letters", "abc", '.'},
                      RefuseCase{"TrailingLetters", "12abc", '.'},
                      RefuseCase{"CommaUnderPointLocale", "1,5", '.'},
                      RefuseCase{"PointUnderCommaLocale", "1.5", ','},
                      RefuseCase{"ExponentWithoutDigits", "1e", '.'},
                      RefuseCase{"ExponentSignWithoutDigits", "1e+", '.'},
                      RefuseCase{"DoubleMinus", "--1", '.'},
                      RefuseCase{"PlusMinus", "+-1", '.'},
                      RefuseCase{"TwoSeparators", "1.2.3", '.'},
                      RefuseCase{"ThousandsBlank", "1 000", '.'},
                      RefuseCase{"ThousandsComma", "1,000.5", '.'},
                      RefuseCase{"ExponentOnly", "e5", '.'},
                      RefuseCase{"SeparatorOnly", ".", '.'},
                      RefuseCase{"SignOnly", "-", '.'},
                      RefuseCase{"Overflow", "1e400", '.'},
                      RefuseCase{"NegativeOverflow", "-1e400", '.'},
                      RefuseCase{"Infinity", "inf", '.'},
                      RefuseCase{"NotANumberWord", "nan", '.'},
                      RefuseCase{"Hexadecimal", "0x10", '.'},
                      RefuseCase{"TypeSuffix", "1.5f", '.'}),
    [](const ::testing::TestParamInfo<RefuseCase>& info) { return std::string(info.param.name); });

// The edges of double. Every text has one correctly rounded value (or none),
// so the expected values are compared exactly, sign of zero included; they
// were checked against Python's float(), which rounds correctly.
TEST(NumberText, EdgesOfDouble)
{
    using Limits = std::numeric_limits<double>;
    const std::string nines(320, '9');
    const std::string tinyZeros = "0." + std::string(330, '0') + "1";
    const std::string oneIn400Digits = "1" + std::string(399, '0') + "e-399";
    const std::string tenthIn400Digits = "0.1" + std::string(397, '0') + "1";
    // 2^53 + 1 lies halfway between two doubles: a tie goes to the even one,
    // anything past it, however far down the digits, goes up.
    const std::string pastTie = "9007199254740993." + std::string(380, '0') + "1";
    const struct {
        std::string text;
        std::optional<double> expected;  // nothing: refused
    } cases[] = {
        {"1.7976931348623157e308", Limits::max()},
        {"1.7976931348623158e308", Limits::max()},  // below the halfway point to the next power of two
        {"1.7976931348623159e308", std::nullopt},
        {"-1.7976931348623159e308", std::nullopt},
        {"1e309", std::nullopt},
        {nines + "e-1", std::nullopt},  // about 1e319: overflow whatever the exponent's sign
        {"0." + nines + "e310", std::nullopt},
        {"1e99999999999999999999", std::nullopt},
        {"4.9406564584124654e-324", Limits::denorm_min()},
        {"2.4703282292062328e-324", Limits::denorm_min()},  // just past half the smallest subnormal
        {"2.4703282292062327e-324", 0.0},                   // just below it
        {"2.2250738585072014e-308", Limits::min()},
        {"1e-331", 0.0},
        {tinyZeros, 0.0},
        {"-" + tinyZeros, -0.0},
        {"1e-99999999999999999999", 0.0},
        {"0e99999999999999999999", 0.0},
        {oneIn400Digits, 1.0},
        {tenthIn400Digits, 0.1},
        {"9007199254740993", 9007199254740992.0},
        {pastTie, 9007199254740994.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        const std::optional<double> read = TryStrToFloat(c.text);
        ASSERT_EQ(read.has_value(), c.expected.has_value());
        if (!read) continue;
        EXPECT_EQ(*read, *c.expected);
        EXPECT_EQ(std::signbit(*read), std::signbit(*c.expected));
        EXPECT_EQ(FileStrToFloat(c.text, ','), *read);  // the file reader's fast path agrees
    }
}

// The window's error report shows what(); the commands rely on the error being
// a CommandError so that one handler catches every command failure.
TEST(NumberText, ConvertErrorIsACommandError)
{
    EXPECT_THROW((void)StrToFloat("abc"), CommandError);
}

struct FileReadCase {
    const char* name;
    const char* text;
    char separator;
    double expected;
};

class FileStrToFloatAccepts : public ::testing::TestWithParam<FileReadCase> {};

TEST_P(FileStrToFloatAccepts, ReadsTheValue)
{
    const FileReadCase& c = GetParam();
    EXPECT_EQ(FileStrToFloat(c.text, c.separator), c.expected) << "text '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, FileStrToFloatAccepts,
    ::testing::Values(FileReadCase{"PointUnderPointLocale", "6378137.5", '.', 6378137.5},
                      FileReadCase{"PointUnderCommaLocale", "6378137.5", ',', 6378137.5},
                      FileReadCase{"CommaUnderCommaLocale", "6378137,5", ',', 6378137.5},
                      FileReadCase{"BlanksAround", " 298.257223563\r", ',', 298.257223563},
                      FileReadCase{"Exponent", "-1.25E2", '.', -125.0}),
    [](const ::testing::TestParamInfo<FileReadCase>& info) { return std::string(info.param.name); });

TEST(NumberText, FileStrToFloatRefusesACommaUnderAPointLocale)
{
    EXPECT_THROW((void)FileStrToFloat("6378137,5", '.'), ConvertError);
}

// Short plain decimals are read without from_chars; they must still give
// its double bit for bit (both round once, so no tolerance): random digits,
// 1 to 19 of them with the point anywhere, so that the integer of the digits
// falls below, near and above 2^53, and the edges written out.
TEST(NumberText, PlainDecimalsReadAsFromCharsReadsThem)
{
    const auto check = [](const std::string& text) {
        double expected = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        const std::optional<double> read = TryStrToFloat(text);
        const double fileRead = FileStrToFloat(text, ',');
        const std::optional<double> quick = QuickPlainDecimal(text);
        return read && std::memcmp(&*read, &expected, sizeof expected) == 0 &&
               (!quick || std::memcmp(&*quick, &expected, sizeof expected) == 0) &&
               std::memcmp(&fileRead, &expected, sizeof expected) == 0;
    };
    for (const char* text : {"9007199254740992", "9007199254740993", "-900719925474099.3", "-0.0", "5.", "-.5",
                             "0.0000000000000000000001", "1234567890123456789", "12345678901234567890"}) {
        EXPECT_TRUE(check(text)) << text;
    }
    std::mt19937_64 random(19);
    std::string text;
    for (int k = 0; k < 1'000'000; ++k) {
        const auto digits = static_cast<int>(1 + random() % 19);
        const auto point = static_cast<int>(random() % static_cast<unsigned>(digits + 2));
        text = random() % 2 == 0 ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            if (d == point) text += '.';
            text += static_cast<char>('0' + random() % 10);
        }
        ASSERT_TRUE(check(text)) << text;
    }
}

TEST(NumberText, FileStrToFloatRefusesGarbageWithTheSameMessage)
{
    try {
        (void)FileStrToFloat("abc", ',');
        ADD_FAILURE() << "'abc' was read";
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid floating point value");
    }
}

struct ShowCase {
    const char* name;
    double value;
    char separator;
    const char* expected;
};

class FloatToStrShows : public ::testing::TestWithParam<ShowCase> {};

TEST_P(FloatToStrShows, GeneralFormat)
{
    const ShowCase& c = GetParam();
    EXPECT_EQ(FloatToStr(c.value, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, FloatToStrShows,
    ::testing::Values(
        // 0.30000000000000004: the 17th digit is beyond the 15 shown.
        ShowCase{"SumOfTenths", 0.1 + 0.2, '.', "0.3"},
        ShowCase{"Whole", 500000.0, '.', "500000"},
        ShowCase{"WholeHundred", 100.0, '.', "100"},
        ShowCase{"Zero", 0.0, '.', "0"},
        ShowCase{"NegativeZero", -0.0, '.', "0"},
        ShowCase{"Negative", -73.5, '.', "-73.5"},
        ShowCase{"OneThird", 1.0 / 3.0, '.', "0.333333333333333"},
        ShowCase{"TwoThirdsRoundsUp", 2.0 / 3.0, '.', "0.666666666666667"},
        ShowCase{"FifteenSignificant", 123456.789012345678, '.', "123456.789012346"},
        ShowCase{"GridValue", 4484124.43442342, '.', "4484124.43442342"},
        ShowCase{"SmallestFixed", 0.00001, '.', "0.00001"},
        ShowCase{"BelowSmallestFixed", 0.000009, '.', "9E-6"},
        ShowCase{"SmallExponent", 1.5e-6, '.', "1.5E-6"},
        ShowCase{"NegativeSmallExponent", -1.5e-6, '.', "-1.5E-6"},
        ShowCase{"FifteenIntegerDigits", 999999999999999.0, '.', "999999999999999"},
        ShowCase{"FourteenIntegerDigits", 1e14, '.', "100000000000000"},
        ShowCase{"SixteenIntegerDigits", 1e15, '.', "1E15"},
        ShowCase{"LargeExponent", 1e20, '.', "1E20"},
        ShowCase{"LargeWithDigits", 1234567890123456789.0, '.', "1.23456789012346E18"},
        ShowCase{"CommaDecimals", 12.35, ',', "12,35"},
        ShowCase{"CommaWhole", 500000.0, ',', "500000"},
        ShowCase{"CommaExponent", 1.5e-6, ',', "1,5E-6"},
        ShowCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), '.', "NAN"},
        ShowCase{"PlusInfinity", std::numeric_limits<double>::infinity(), '.', "INF"},
        ShowCase{"MinusInfinity", -std::numeric_limits<double>::infinity(), '.', "-INF"}),
    [](const ::testing::TestParamInfo<ShowCase>& info) { return std::string(info.param.name); });

// What the boxes show must read back as the number shown (to 15 digits), in
// either locale: the output steps read every box they have just written.
TEST(NumberText, FloatToStrReadsBackWithinFifteenDigits)
{
    for (const double value : {4484124.43442342, -73.500000004521, 1.5e-6, 0.1 + 0.2, 6378206.4 * 3.28083333333333}) {
        for (const char separator : {'.', ','}) {
            const double back = StrToFloat(FloatToStr(value, separator), separator);
            // 15 significant digits: the relative error is at most half a unit of the 15th digit.
            EXPECT_NEAR(back, value, std::fabs(value) * 5e-15) << FloatToStr(value, separator);
        }
    }
}

struct FixedCase {
    const char* name;
    double value;
    int decimals;
    const char* expected;
};

class FixedToStrShows : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedToStrShows, FixedNotationWithAPoint)
{
    const FixedCase& c = GetParam();
    EXPECT_EQ(FixedToStr(c.value, c.decimals), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, FixedToStrShows,
    ::testing::Values(FixedCase{"ShotPoint", 101.0, 6, "101.000000"},
                      FixedCase{"FalseEasting", 500000.0, 6, "500000.000000"},
                      FixedCase{"NegativeLongitude", -77.5, 6, "-77.500000"},
                      FixedCase{"RoundsTheSeventhDecimal", 1234567.1234567, 6, "1234567.123457"},
                      FixedCase{"TinyPositive", 1e-7, 6, "0.000000"},
                      FixedCase{"LargeNoExponent", 1e20, 2, "100000000000000000000.00"},
                      FixedCase{"TwoDecimals", 0.25, 2, "0.25"}),
    [](const ::testing::TestParamInfo<FixedCase>& info) { return std::string(info.param.name); });

struct TrimCase {
    const char* name;
    std::string text;
    std::string expected;
};

class TrimRemoves : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimRemoves, CodesUpTo32AtBothEnds)
{
    const TrimCase& c = GetParam();
    EXPECT_EQ(Trim(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    NumberText, TrimRemoves,
    ::testing::Values(TrimCase{"Blanks", "  abc  ", "abc"},
                      TrimCase{"TabCrLf", "\t\r\nabc\r\n", "abc"},
                      TrimCase{"OtherControlCodes", std::string("\x01\x1f") + "abc" + "\x1f", "abc"},
                      TrimCase{"InnerBlanksStay", " Clarke 1866 ", "Clarke 1866"},
                      TrimCase{"InnerTabStays", "a\tb", "a\tb"},
                      TrimCase{"Empty", "", ""},
                      TrimCase{"BlanksOnly", " \t \r", ""},
                      TrimCase{"DeleteCodeKept", "\x7f" "a" "\x7f", "\x7f" "a" "\x7f"},
                      // Bytes of 128 and above are letters of the file's code page (a no-break
                      // space, accented letters), not blanks: a signed-char comparison would eat them.
                      TrimCase{"HighBytesKept", "\xa0\xe9t\xe9\xff", "\xa0\xe9t\xe9\xff"},
                      TrimCase{"HighBytesInsideBlanks", " \xe9 ", "\xe9"}),
    [](const ::testing::TestParamInfo<TrimCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kartoval
