#include "geodesy/Angles.hpp"
#include "geodesy/PointChecks.hpp"
#include "toolkit/Errors.hpp"

#include "support/RowNames.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

namespace kartoval {
namespace {

using testing::PrintTo;

// Both values are given to 10 and 16 digits; the square root of 2f - f^2 is
// good to a few units of the last bit, so 1e-15 is far below any doubt.
TEST(Angles, EccentricityOfKnownEllipsoids)
{
    EXPECT_NEAR(EccentricityFromInverseFlattening(294.9786982), 0.0822718542, 1e-10);
    EXPECT_NEAR(EccentricityFromInverseFlattening(298.257223563), 0.0818191908426215, 1e-15);
}

struct DifferenceCase {
    const char* name;
    double longitude;
    double centralMeridian;
    double expectedDegrees;
};

class LongitudeDifferenceReduces : public ::testing::TestWithParam<DifferenceCase> {};

TEST_P(LongitudeDifferenceReduces, IntoMinus180To180)
{
    const DifferenceCase& c = GetParam();
    // 1e-14 rad: a few units of the last bit of angles up to 2 pi.
    EXPECT_NEAR(LongitudeDifference(c.longitude, c.centralMeridian), c.expectedDegrees * kDegreesToRadians, 1e-14);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, LongitudeDifferenceReduces,
    ::testing::Values(DifferenceCase{"Ordinary", -73.5, -75.0, 1.5},
                      DifferenceCase{"WrittenPast180", 286.5, -75.0, 1.5},
                      DifferenceCase{"WrittenBelowMinus360", -433.5, -75.0, 1.5},
                      DifferenceCase{"EastAcrossTheDateLine", -179.5, 177.0, 3.5},
                      DifferenceCase{"WestAcrossTheDateLine", 179.5, -177.0, -3.5},
                      DifferenceCase{"Plus180BecomesMinus180", 180.0, 0.0, -180.0},
                      DifferenceCase{"Minus180Stays", 0.0, 180.0, -180.0},
                      DifferenceCase{"OffByWholeTurn", 363.0, 3.0, 0.0}),
    [](const ::testing::TestParamInfo<DifferenceCase>& info) { return std::string(info.param.name); });

struct NormalCase {
    const char* name;
    double longitude;
    double expected;
};

class NormalizeLongitudeBrings : public ::testing::TestWithParam<NormalCase> {};

TEST_P(NormalizeLongitudeBrings, IntoMinus180ExclusiveTo180Inclusive)
{
    const NormalCase& c = GetParam();
    // Exact: whole turns of 360 are representable, so the reduction adds no error.
    EXPECT_EQ(NormalizeLongitude(c.longitude), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Angles, NormalizeLongitudeBrings,
                         ::testing::Values(NormalCase{"Plus180Stays", 180.0, 180.0},
                                           NormalCase{"Minus180BecomesPlus180", -180.0, 180.0},
                                           NormalCase{"JustPast180", 181.0, -179.0},
                                           NormalCase{"ThreeHalfTurns", 540.0, 180.0},
                                           NormalCase{"MinusThreeHalfTurns", -540.0, 180.0},
                                           NormalCase{"AlmostATurn", 359.0, -1.0},
                                           NormalCase{"TwoTurnsAndAHalfDegree", 720.5, 0.5},
                                           NormalCase{"ZeroStays", 0.0, 0.0},
                                           NormalCase{"InsideStays", -179.5, -179.5}),
                         [](const ::testing::TestParamInfo<NormalCase>& info) { return std::string(info.param.name); });

TEST(PointChecks, LatitudesInsideTheRangeAreAccepted)
{
    for (const double latitude : {-90.0, -45.5, 0.0, 89.999999, 90.0}) {
        EXPECT_NO_THROW(CheckLatitude(latitude)) << latitude;
    }
}

struct LatitudeCase {
    const char* name;
    double latitude;
    char separator;
    const char* message;
};

class CheckLatitudeRefuses : public ::testing::TestWithParam<LatitudeCase> {};

TEST_P(CheckLatitudeRefuses, NamingTheValue)
{
    const LatitudeCase& c = GetParam();
    try {
        CheckLatitude(c.latitude, c.separator);
        ADD_FAILURE() << "latitude " << c.latitude << " accepted";
    } catch (const PointRangeError& error) {
        EXPECT_STREQ(error.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    PointChecks, CheckLatitudeRefuses,
    ::testing::Values(LatitudeCase{"NinetyFive", 95.0, '.', "Latitude 95 is outside -90..90"},
                      LatitudeCase{"JustBelowSouthPole", -90.5, '.', "Latitude -90.5 is outside -90..90"},
                      LatitudeCase{"CommaLocale", -90.5, ',', "Latitude -90,5 is outside -90..90"},
                      LatitudeCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), '.',
                                   "Latitude NAN is outside -90..90"}),
    [](const ::testing::TestParamInfo<LatitudeCase>& info) { return std::string(info.param.name); });

TEST(PointChecks, GridResultsMustBeFinite)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NO_THROW(CheckGridResult(500000.0, -1e7));
    for (const auto& [x, y] : {std::pair{inf, 0.0}, std::pair{0.0, -inf}, std::pair{nan, 0.0}, std::pair{0.0, nan}}) {
        try {
            CheckGridResult(x, y);
            ADD_FAILURE() << x << ", " << y << " accepted";
        } catch (const PointRangeError& error) {
            EXPECT_STREQ(error.what(), "The point is outside the range of the projection");
        }
    }
}

TEST(PointChecks, GeographicResultsMustBeRealPoints)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NO_THROW(CheckGeographicResult(-90.0, 180.0));
    EXPECT_NO_THROW(CheckGeographicResult(90.0, -179.9));
    for (const auto& [latitude, longitude] :
         {std::pair{90.0001, 0.0}, std::pair{-180.04, 3.0}, std::pair{nan, 0.0}, std::pair{45.0, nan}}) {
        try {
            CheckGeographicResult(latitude, longitude);
            ADD_FAILURE() << latitude << ", " << longitude << " accepted";
        } catch (const PointRangeError& error) {
            EXPECT_STREQ(error.what(), "The point is outside the range of the projection");
        }
    }
}

}  // namespace
}  // namespace kartoval
