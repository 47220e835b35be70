// One table of angle spellings for both front ends: point files and
// kartoval-convert (ParseDegrees) and the window's degree boxes
// (ReadDegreesBox). Houston, 29°45'37.44"N, is 29.7604 (37.44" = 0.0104°).

#include "single/DegreesBox.hpp"
#include "toolkit/Errors.hpp"

#include <gtest/gtest.h>

namespace kartoval {
namespace {

constexpr double kHouston = 29.0 + 45.0 / 60.0 + 37.44 / 3600.0;
constexpr auto Lat = AngleAxis::Latitude;
constexpr auto None = TextProblem::None;

TEST(DegreesBox, BothFrontEndsReadEverySpellingAlike)
{
    const struct {
        const char* Text;
        TextProblem Problem;
        double Degrees;
    } cases[]{
        {"29d45m37.44s N", None, kHouston}, {"29d45m37.44sN", None, kHouston}, {"29d 45m 37.44s", None, kHouston},
        {"29D45M37.44S", None, kHouston},  // the S of a number is its unit
        {"29d45m37.44sS", None, -kHouston}, {"S 29d45m37.44s", None, -kHouston}, {"29d45.624m N", None, kHouston},
        {"N 29 45.624", None, kHouston}, {"29\u00BA45\u203237.44\u2033N", None, kHouston},  // º ′ ″
        {"29 45 37.44S", None, -kHouston},  // blank-separated: South, as before
        {"29d45m37.44x", TextProblem::NotANumber, 0}, {"45m37.44s", TextProblem::NotANumber, 0},
        {"29d45s37m", TextProblem::NotANumber, 0}, {"29d60m00s N", TextProblem::MinutesTooLarge, 0},
        {"29d45m60s N", TextProblem::SecondsTooLarge, 0}, {"29d45m37.44sNS", TextProblem::TwoHemispheres, 0},
        {"-29d45m37.44s S", TextProblem::TwoHemispheres, 0}, {"29d45m37.44s E", TextProblem::WrongHemisphere, 0},
    };
    for (const auto& c : cases) {
        double value = 0.0;
        EXPECT_EQ(ParseDegrees(c.Text, Lat, false, value), c.Problem) << c.Text;
        if (c.Problem != None) {
            EXPECT_THROW((void)ReadDegreesBox(c.Text, "Latitude", Lat, '.'), ConvertError) << c.Text;
            continue;
        }
        // Three rounded terms summed: a few units of the last bit.
        EXPECT_NEAR(value, c.Degrees, 1e-12) << c.Text;
        EXPECT_NEAR(ReadDegreesBox(c.Text, "Latitude", Lat, '.'), c.Degrees, 1e-12) << c.Text;
    }
    // Plain numbers keep the user's separator and today's message; a faulty angle says what was expected.
    EXPECT_EQ(ReadDegreesBox("29,5", "Latitude", Lat, ','), 29.5);
    EXPECT_THROW((void)ReadDegreesBox("29.5", "Latitude", Lat, ','), ConvertError);
    try {
        (void)ReadDegreesBox("29d60m00s N", "Latitude", Lat, ',');
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), "Latitude: '29d60m00s N' has minutes of 60 or more: use 29d45m37.44s N, "
                                   "29°45'37.44\"N or 29,760400");
    }
}

}  // namespace
}  // namespace kartoval
