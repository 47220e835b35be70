// Degrees, numbers and fields as the batch core reads and writes them.

#include "batch/LineFields.hpp"
#include "geodesy/DegreesText.hpp"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace kartoval {
namespace {

struct DegreesCase {
    std::string_view Text;
    AngleAxis Axis;
    bool West;
    TextProblem Problem;
    double Value;
};

// Values are exact sums of a few binary fractions, or compared to 1e-12
// degrees (5e-8 m on the ground), the rounding of d + m/60 + s/3600.
TEST(DegreesText, ReadsEverySpellingAndRefusesTheImpossible)
{
    constexpr auto Lon = AngleAxis::Longitude;
    constexpr auto Lat = AngleAxis::Latitude;
    constexpr auto None = TextProblem::None;
    const double seconds = 38.0 + 54.0 / 60.0 + 36.5 / 3600.0;
    // A value's size, not its exponent's sign, tells overflow from underflow.
    const std::string overflowWithNegativeExponent = std::string(320, '9') + "e-1";
    const std::string underflowWithoutExponent = "0." + std::string(330, '0') + "1";
    const std::string longPlus = "1." + std::string(70, '0') + "e+2";  // long, with a '+' exponent
    const std::vector<DegreesCase> cases{
        {"-77.5", Lon, false, None, -77.5},
        {overflowWithNegativeExponent, Lat, false, TextProblem::NotANumber, 0},
        {underflowWithoutExponent, Lat, false, None, 0.0},
        {" 77.5W ", Lon, false, None, -77.5},
        {"W77.5", Lon, false, None, -77.5},
        {"38.9s", Lat, false, None, -38.9},
        {"77°30'00\"W", Lon, false, None, -77.5},
        {"77d30'00\"W", Lon, false, None, -77.5},
        {"77:30:00W", Lon, false, None, -77.5},
        {"773000W", Lon, false, None, -77.5},
        {"385436.5N", Lat, false, None, seconds},
        {"38°54′36.5″N", Lat, false, None, seconds},
        {"-77°30.5'", Lon, false, None, -(77.0 + 30.5 / 60.0)},
        {"77.5", Lon, true, None, -77.5},
        {"77.5E", Lon, true, None, 77.5},
        {"1e-400", Lat, false, None, 0.0},
        {longPlus, Lat, false, None, 100.0},
        {"-77.5", Lon, true, TextProblem::MinusNotAllowed, 0},
        {"77°60'00\"W", Lon, false, TextProblem::MinutesTooLarge, 0},
        {"77°30'60\"W", Lon, false, TextProblem::SecondsTooLarge, 0},
        {"776000W", Lon, false, TextProblem::MinutesTooLarge, 0},
        {"77.5WW", Lon, false, TextProblem::TwoHemispheres, 0},
        {"N38.9S", Lat, false, TextProblem::TwoHemispheres, 0},
        {"-77.5W", Lon, false, TextProblem::TwoHemispheres, 0},
        {"38.9E", Lat, false, TextProblem::WrongHemisphere, 0},
        {"77.5°30'", Lon, false, TextProblem::NotANumber, 0},
        {"abc", Lon, false, TextProblem::NotANumber, 0},
        {"", Lon, false, TextProblem::NotANumber, 0},
        {"nan", Lat, false, TextProblem::NotANumber, 0},
        {"inf", Lat, false, TextProblem::NotANumber, 0},
        {"1e400", Lat, false, TextProblem::NotANumber, 0},
        {"35,1", Lat, false, TextProblem::NotANumber, 0},
        {std::string_view("3\0" "5", 3), Lat, false, TextProblem::NotANumber, 0},
    };
    for (const DegreesCase& c : cases) {
        double value = 0;
        EXPECT_EQ(ParseDegrees(c.Text, c.Axis, c.West, value), c.Problem) << c.Text;
        if (c.Problem == None) {
            EXPECT_NEAR(value, c.Value, 1e-12) << c.Text;
        }
    }
}

// Written on integers, fixed notation must equal to_chars's exactly: spread
// values of 1e-7 to 1e17 (past 2^53 units, where to_chars takes over), and
// values within two units in the last place of a decimal tie (n + 1/2) x
// 10^-d, where rounding the scaled value alone would go wrong.
TEST(DegreesText, FixedNotationMatchesToCharsForEveryDecimalCount)
{
    std::mt19937_64 random(20040);
    std::uniform_real_distribution<double> magnitude(-7.0, 17.0);
    std::uniform_real_distribution<double> tieDigits(0.0, 16.0);
    const auto check = [](double value, int decimals) {
        char buffer[400];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
        std::string expected(buffer, end);
        if (expected.find_first_of("123456789") == std::string::npos && expected[0] == '-') expected.erase(0, 1);
        std::string written;
        AppendFixed(written, value, decimals);
        return written == expected;
    };
    for (int decimals = 0; decimals <= 12; ++decimals) {
        for (int k = 0; k < 30'000; ++k) {
            const double sign = k % 2 == 0 ? 1 : -1;
            const double value = sign * std::pow(10.0, magnitude(random));
            ASSERT_TRUE(check(value, decimals)) << value << " with " << decimals;
            const double units = std::floor(std::pow(10.0, tieDigits(random)));
            double nearTie = sign * (units + 0.5) / std::pow(10.0, decimals);
            nearTie = std::nextafter(std::nextafter(nearTie, 0.0), 0.0);
            for (int step = 0; step < 5; ++step, nearTie = std::nextafter(nearTie, 2 * nearTie)) {
                ASSERT_TRUE(check(nearTie, decimals)) << nearTie << " with " << decimals;
            }
        }
    }
}

TEST(DegreesText, DmsCarriesRoundedSecondsIntoMinutesAndDegrees)
{
    const struct {
        double Degrees;
        AngleAxis Axis;
        int Decimals;
        const char* Text;
    } cases[]{
        {-77.5, AngleAxis::Longitude, 3, "77°30'00.000\"W"},
        {38.99999999999, AngleAxis::Latitude, 3, "39°00'00.000\"N"},
        {-0.0000000001, AngleAxis::Latitude, 2, "0°00'00.00\"N"},
        {38.0 + 54.0 / 60.0 + 36.5 / 3600.0, AngleAxis::Latitude, 1, "38°54'36.5\"N"},
    };
    for (const auto& c : cases) {
        std::string text;
        AppendDms(text, c.Degrees, c.Axis, c.Decimals);
        EXPECT_EQ(text, c.Text);
    }
}

TEST(DegreesText, DmCarriesRoundedMinutesIntoDegrees)
{
    std::string text;
    AppendDm(text, 29.0 + 45.0 / 60.0 + 37.44 / 3600.0, AngleAxis::Latitude, 4);  // 37.44" = 0.624'
    AppendDm(text, -(95.0 + 22.188 / 60.0), AngleAxis::Longitude, 3);
    AppendDm(text, 29.999999999, AngleAxis::Latitude, 4);
    AppendDm(text, -0.0000000001, AngleAxis::Longitude, 2);
    EXPECT_EQ(text, "29°45.6240'N" "95°22.188'W" "30°00.0000'N" "0°00.00'E");
}

TEST(LineFields, SplitsQuotesAndDelimiters)
{
    const struct {
        const char* Line;
        Delimiter Kind;
        std::vector<std::string> Values;  // empty with BadField set: refused
        long BadField = -1;
    } cases[]{
        {"  a \t b\tc\r ", Delimiter::Whitespace, {"a", "b", "c"}},
        {"1,\"x, y\",3", Delimiter::Comma, {"1", "x, y", "3"}},
        {"1;\"he said \"\"hi\"\"\";", Delimiter::Semicolon, {"1", "he said \"hi\"", ""}},
        {"a\t\tb c", Delimiter::Tab, {"a", "", "b c"}},
        {"1,\"open,3", Delimiter::Comma, {}, 1},
        {"1,\"x\"y,3", Delimiter::Comma, {}, 1},
    };
    for (const auto& c : cases) {
        std::vector<FieldSpan> fields;
        std::size_t bad = 0;
        const bool ok = SplitFields(c.Line, c.Kind, fields, bad);
        ASSERT_EQ(ok, c.BadField < 0) << c.Line;
        if (!ok) {
            EXPECT_EQ(bad, static_cast<std::size_t>(c.BadField)) << c.Line;
            continue;
        }
        std::vector<std::string> values;
        std::string scratch;
        for (const FieldSpan& f : fields) values.emplace_back(FieldValue(c.Line, f, scratch));
        EXPECT_EQ(values, c.Values) << c.Line;
    }
    EXPECT_EQ(DetectDelimiter("1;2,5;3"), Delimiter::Semicolon);
    EXPECT_EQ(DetectDelimiter("\"a;b\",1,2"), Delimiter::Comma);
    EXPECT_EQ(DetectDelimiter("SP1\tbig oak\t1\t2"), Delimiter::Tab);
    EXPECT_EQ(DetectDelimiter("1 2\t 3"), Delimiter::Whitespace);
}

}  // namespace
}  // namespace kartoval
