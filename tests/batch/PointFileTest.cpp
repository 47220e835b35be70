// The pieces of the point file format: cutting a line into fields and
// writing a number.

#include "batch/PointFields.hpp"
#include "batch/PointNumberText.hpp"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace kartoval {
namespace {

TEST(SplitPointFields, SeparatorsAndTrimming)
{
    const struct {
        const char* name;
        std::string line;
        std::vector<std::string> fields;
    } cases[] = {
        {"empty", "", {}},
        {"blanks only", " \t\r\x01", {}},
        {"one field", "  101\r", {"101"}},
        {"runs of tabs and spaces", "\t101 \t 77.5\t\t38.9  ", {"101", "77.5", "38.9"}},
        {"commas and semicolons stay in a field", "1,5;2 3", {"1,5;2", "3"}},
        // Control characters are no separators, but are trimmed at a field's ends.
        {"control character inside", "a\x01z b", {"a\x01z", "b"}},
        {"control character at the ends", "a\x01 \x02z", {"a", "z"}},
        {"only ten fields", "1 2 3 4 5 6 7 8 9 10 11 12", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PointFields fields = SplitPointFields(c.line);
        ASSERT_EQ(fields.Count, static_cast<int>(c.fields.size()));
        for (std::size_t j = 0; j < c.fields.size(); ++j) EXPECT_EQ(fields.Field[j], c.fields[j]);
    }
}

TEST(AppendPointNumber, SixDecimalsNeverNegativeZero)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {101.0, "101.000000"},
        {500000.0, "500000.000000"},
        {-77.5, "-77.500000"},
        {-0.0, "0.000000"},
        {-4e-7, "0.000000"},  // rounds to zero: no sign
        {-6e-7, "-0.000001"},
        {0.0078125, "0.007812"},  // an exact tie goes to the even digit
        {0.0234375, "0.023438"},
        {8999999999.9999995, "9000000000.000000"},
        {1e20, "100000000000000000000.000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string out = "x";
        AppendPointNumber(out, c.value);
        EXPECT_EQ(out, std::string("x") + c.text);
    }
}

// The general fixed conversion, with the sign of a zero result dropped.
std::string referenceText(double value)
{
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 6);
    std::string text(buffer.data(), result.ptr);
    if (text.front() == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

TEST(AppendPointNumber, RoundsAsTheGeneralConversion)
{
    // The integer rounding must give the general conversion's digits for
    // every value: random magnitudes, exact ties (multiples of 2^-7 to 2^-10)
    // and the doubles on both sides of decimal half-way points.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-8.0, 11.0);
    std::uniform_int_distribution<std::int64_t> integer(0, 999999999);
    std::vector<double> values;
    for (int k = 0; k < 100000; ++k) {
        const double sign = (k % 2 == 0) ? 1.0 : -1.0;
        values.push_back(sign * std::pow(10.0, exponent(random)));
        values.push_back(sign * std::ldexp(static_cast<double>(integer(random)), -7 - k % 4));
        const std::string halfway = std::to_string(integer(random) % 100000) + "." +
                                    std::to_string(100000 + integer(random) % 900000) + "5";
        double middle = 0.0;
        std::from_chars(halfway.data(), halfway.data() + halfway.size(), middle);
        values.push_back(std::nextafter(middle, 0.0));
        values.push_back(middle);
        values.push_back(std::nextafter(middle, 1e300));
    }
    int mismatches = 0;
    for (const double value : values) {
        std::string out;
        AppendPointNumber(out, value);
        if (out != referenceText(value) && ++mismatches <= 5) {
            ADD_FAILURE() << std::hexfloat << value << ": " << out << " instead of " << referenceText(value);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace kartoval
