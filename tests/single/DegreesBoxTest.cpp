// One table of angle spellings, read by both front ends: the point files and
// kartoval-convert (ParseDegrees) and the window's Latitude and Longitude
// boxes (ReadDegreesBox). Houston, 29°45'37.44"N 95°22'11.28"W, is
// 29.7604, -95.3698 in decimal degrees (37.44" = 0.0104°, 11.28" =
// 0.003133...°, 22.188' = 22'11.28").

#include "geodesy/DegreesText.hpp"
#include "single/DegreesBox.hpp"
#include "toolkit/Errors.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kartoval {
namespace {

constexpr double kLatitude = 29.0 + 45.0 / 60.0 + 37.44 / 3600.0;
constexpr double kLongitude = -(95.0 + 22.0 / 60.0 + 11.28 / 3600.0);
// Sums of three rounded doubles: a few units of the last bit.
constexpr double kTolerance = 1e-12;

struct Spelling {
    std::string_view Text;
    AngleAxis Axis;
    TextProblem Problem;
    double Degrees;
};

constexpr auto Lat = AngleAxis::Latitude;
constexpr auto Lon = AngleAxis::Longitude;
constexpr auto None = TextProblem::None;

const Spelling kSpellings[] = {
    {"29d45m37.44s N", Lat, None, kLatitude},
    {"29d45m37.44sN", Lat, None, kLatitude},
    {"29d 45m 37.44s", Lat, None, kLatitude},
    {"29D45M37.44S", Lat, None, kLatitude},  // the S of a number's unit, not South
    {"29d45m37.44sS", Lat, None, -kLatitude},
    {"S 29d45m37.44s", Lat, None, -kLatitude},
    {"95d22.188m W", Lon, None, kLongitude},
    {"95d22m11.28sW", Lon, None, kLongitude},
    {"N 29 45.624", Lat, None, kLatitude},
    {"29°45.624'N", Lat, None, kLatitude},
    {"29\u00BA45\u203237.44\u2033N", Lat, None, kLatitude},  // º ′ ″
    {"29°45'37.44\"N", Lat, None, kLatitude},
    {"29 45 37.44S", Lat, None, -kLatitude},  // blank-separated: S is South, as before
    {"29d45m37.44x", Lat, TextProblem::NotANumber, 0},
    {"45m37.44s", Lat, TextProblem::NotANumber, 0},        // minutes without degrees
    {"29d45s37m", Lat, TextProblem::NotANumber, 0},        // units out of order
    {"29d45.5m37s", Lat, TextProblem::NotANumber, 0},      // a fraction before the last number
    {"29d60m00s N", Lat, TextProblem::MinutesTooLarge, 0},
    {"29d45m60s N", Lat, TextProblem::SecondsTooLarge, 0},
    {"29d45m37.44sNS", Lat, TextProblem::TwoHemispheres, 0},
    {"-29d45m37.44s S", Lat, TextProblem::TwoHemispheres, 0},
    {"29d45m37.44s E", Lat, TextProblem::WrongHemisphere, 0},
    {"95d22.188m N", Lon, TextProblem::WrongHemisphere, 0},
};

TEST(DegreesBox, BothFrontEndsReadEverySpellingAlike)
{
    for (const Spelling& c : kSpellings) {
        double value = 0.0;
        EXPECT_EQ(ParseDegrees(c.Text, c.Axis, false, value), c.Problem) << c.Text;
        if (c.Problem == None) {
            EXPECT_NEAR(value, c.Degrees, kTolerance) << c.Text;
            EXPECT_NEAR(ReadDegreesBox(c.Text, "Latitude", c.Axis, '.'), c.Degrees, kTolerance) << c.Text;
        } else {
            EXPECT_THROW((void)ReadDegreesBox(c.Text, "Latitude", c.Axis, '.'), ConvertError) << c.Text;
        }
    }
}

TEST(DegreesBox, PlainNumbersAndTheirMessagesStayAsTheyWere)
{
    const auto message = [](std::string_view text, char separator) {
        try {
            (void)ReadDegreesBox(text, "Latitude", AngleAxis::Latitude, separator);
        } catch (const ConvertError& error) {
            return std::string(error.what());
        }
        return std::string("read");
    };
    EXPECT_EQ(ReadDegreesBox("29,5", "Latitude", Lat, ','), 29.5);
    // A point where the user's separator is a comma is refused, as it always was.
    EXPECT_EQ(message("29.5", ','), "Latitude: '29.5' is not a valid floating point value");
    EXPECT_EQ(message("abc", '.'), "Latitude: 'abc' is not a valid floating point value");
    EXPECT_EQ(message("29d45m37.44x", '.'), "Latitude: '29d45m37.44x' is not a valid floating point value");
    EXPECT_EQ(message("29d60m00s N", ','),
              "Latitude: '29d60m00s N' has minutes of 60 or more: use 29d45m37.44s N, 29°45'37.44\"N or 29,760400");
}

}  // namespace
}  // namespace kartoval
