// Lambert conformal conic with two standard parallels: the worked example on
// Clarke 1866, its special points, round trips and points from PROJ. The
// formulas are exact (no series), so the grid tolerances are those of PROJ's
// printed values.

#include "tests/support/ClassicProjectionFunctions.hpp"
#include "geodesy/LambertConic.hpp"
#include "TestEllipsoids.hpp"

#include "support/RowNames.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace kartoval {
namespace {

using testing::kClarke1866;
using testing::kGrs1980;

using testing::PrintTo;

// The worked example's cone: parallels 33 and 45, origin 23 N 96 W, no false origin.
struct Cone {
    double a, e, falseEasting, falseNorthing, firstParallel, secondParallel, latitudeOfOrigin, centralMeridian;

    [[nodiscard]] double x(double lon, double lat) const
    {
        return LccEasting(lon, lat, e, a, falseEasting, falseNorthing, firstParallel, secondParallel,
                          latitudeOfOrigin, centralMeridian);
    }
    [[nodiscard]] double y(double lon, double lat) const
    {
        return LccNorthing(lon, lat, e, a, falseEasting, falseNorthing, firstParallel, secondParallel,
                           latitudeOfOrigin, centralMeridian);
    }
    [[nodiscard]] double lon(double x, double y) const
    {
        return LccLongitude(x, y, e, a, falseEasting, falseNorthing, firstParallel, secondParallel,
                            latitudeOfOrigin, centralMeridian);
    }
    [[nodiscard]] double lat(double x, double y) const
    {
        return LccLatitude(x, y, e, a, falseEasting, falseNorthing, firstParallel, secondParallel,
                           latitudeOfOrigin, centralMeridian);
    }
};

const Cone kExampleCone{kClarke1866.a, kClarke1866.e(), 0.0, 0.0, 33.0, 45.0, 23.0, -96.0};
// A state plane-like cone with a false origin (Pennsylvania North, NAD83).
const Cone kPennsylvaniaNorth{kGrs1980.a, kGrs1980.e(), 600000.0, 0.0, 41.95, 40.8833333333333,
                              40.1666666666667, -77.75};

// 1e-5 m (0.01 mm): PROJ's values are printed to 1e-6 m and the formulas are exact.
constexpr double kGridTolerance = 1e-5;  // metres
// The mended inverse iterates to 1e-12 rad (6e-11 degree); 1e-9 degree leaves room.
constexpr double kDegreeTolerance = 1e-9;

TEST(LambertConic, WorkedExampleForward)
{
    // PROJ: echo -75 35 | proj +proj=lcc +a=6378206.4 +rf=294.9786982 +lat_1=33 +lat_2=45
    //       +lat_0=23 +lon_0=-96 -f %.6f  ->  1894410.898357  1564649.478495
    EXPECT_NEAR(kExampleCone.x(-75.0, 35.0), 1894410.898357, kGridTolerance);
    EXPECT_NEAR(kExampleCone.y(-75.0, 35.0), 1564649.478495, kGridTolerance);
}

// Guards the mended convergence: two fixed passes gave 35.0000808 (9 m north).
TEST(LambertConic, WorkedExampleInverseConverges)
{
    const double x = kExampleCone.x(-75.0, 35.0);
    const double y = kExampleCone.y(-75.0, 35.0);
    EXPECT_NEAR(kExampleCone.lat(x, y), 35.0, kDegreeTolerance);
    EXPECT_NEAR(kExampleCone.lon(x, y), -75.0, kDegreeTolerance);
}

// The example's rounded grid values, against PROJ's inverse of the same
// (echo 1894410.898 1564649.478 | proj -I ... -f %.12f). The rounding moves
// the point 4e-9 degree, so 35 itself is not the answer here.
TEST(LambertConic, WorkedExampleRoundedValuesMatchProjInverse)
{
    EXPECT_NEAR(kExampleCone.lat(1894410.898, 1564649.478), 34.999999996380, 1e-10);  // degrees: PROJ's 12 decimals
    EXPECT_NEAR(kExampleCone.lon(1894410.898, 1564649.478), -75.000000005066, 1e-10);
}

TEST(LambertConic, GridOriginComesBackAsTheLatitudeOfOrigin)
{
    // Two fixed passes gave 23.00049 here.
    EXPECT_NEAR(kExampleCone.lat(0.0, 0.0), 23.0, kDegreeTolerance);
    EXPECT_NEAR(kExampleCone.lon(0.0, 0.0), -96.0, kDegreeTolerance);
}

TEST(LambertConic, MeanParallelRoundTrip)
{
    const double y = kExampleCone.y(-96.0, 39.0);
    EXPECT_NEAR(y, 1786634.186149, kGridTolerance);  // PROJ, as the worked example
    EXPECT_NEAR(kExampleCone.lat(0.0, y), 39.0, kDegreeTolerance);
}

TEST(LambertConic, CentralMeridianGivesTheFalseEastingExactly)
{
    for (const double latitude : {30.0, 40.1666666666667, 45.0}) {
        EXPECT_EQ(kPennsylvaniaNorth.x(-77.75, latitude), 600000.0) << latitude;
    }
}

TEST(LambertConic, OriginGivesTheFalseNorthing)
{
    const Cone shifted{kClarke1866.a, kClarke1866.e(), 600000.0, 50000.0, 33.0, 45.0, 23.0, -96.0};
    // 1e-9 m: rho and rho0 are the same expression; only rounding may differ.
    EXPECT_NEAR(shifted.y(-96.0, 23.0), 50000.0, 1e-9);
    EXPECT_EQ(shifted.x(-96.0, 23.0), 600000.0);
}

TEST(LambertConic, FalseEastingGivesBackTheCentralMeridian)
{
    for (const double northing : {-50000.0, 0.0, 250000.0}) {
        // 1e-12 degree: only the meridian's trip through radians.
        EXPECT_NEAR(kPennsylvaniaNorth.lon(600000.0, northing), -77.75, 1e-12) << northing;
    }
}

struct ConePoint {
    const char* name;
    double longitude, latitude, easting, northing;
};

class ExampleConeAgainstProj : public ::testing::TestWithParam<ConePoint> {};

// proj +proj=lcc +a=6378206.4 +rf=294.9786982 +lat_1=33 +lat_2=45 +lat_0=23 +lon_0=-96 -f %.6f
TEST_P(ExampleConeAgainstProj, ForwardAndBack)
{
    const ConePoint& p = GetParam();
    EXPECT_NEAR(kExampleCone.x(p.longitude, p.latitude), p.easting, kGridTolerance);
    EXPECT_NEAR(kExampleCone.y(p.longitude, p.latitude), p.northing, kGridTolerance);
    // 1e-9 degree covers PROJ's 1e-6 m rounding (1e-11 degree) and the iteration.
    EXPECT_NEAR(kExampleCone.lat(p.easting, p.northing), p.latitude, kDegreeTolerance);
    EXPECT_NEAR(kExampleCone.lon(p.easting, p.northing), p.longitude, kDegreeTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    LambertConic, ExampleConeAgainstProj,
    ::testing::Values(ConePoint{"NorthWest", -110.5, 48.25, -1080854.594488, 2899633.278761},
                      ConePoint{"SouthEast", -80.0, 25.0, 1644454.946125, 372772.487454},
                      ConePoint{"FarWest", -120.0, 30.0, -2304040.737250, 1095673.427189}),
    [](const ::testing::TestParamInfo<ConePoint>& info) { return std::string(info.param.name); });

class PennsylvaniaNorthAgainstProj : public ::testing::TestWithParam<ConePoint> {};

// proj +proj=lcc +ellps=GRS80 +lat_1=41.95 +lat_2=40.8833333333333
//      +lat_0=40.1666666666667 +lon_0=-77.75 +x_0=600000 +y_0=0 -f %.6f
TEST_P(PennsylvaniaNorthAgainstProj, ForwardAndBack)
{
    const ConePoint& p = GetParam();
    EXPECT_NEAR(kPennsylvaniaNorth.x(p.longitude, p.latitude), p.easting, kGridTolerance);
    EXPECT_NEAR(kPennsylvaniaNorth.y(p.longitude, p.latitude), p.northing, kGridTolerance);
    EXPECT_NEAR(kPennsylvaniaNorth.lat(p.easting, p.northing), p.latitude, kDegreeTolerance);
    EXPECT_NEAR(kPennsylvaniaNorth.lon(p.easting, p.northing), p.longitude, kDegreeTolerance);
}

// Parallels given north first: the cone constant must not depend on their order.
INSTANTIATE_TEST_SUITE_P(
    LambertConic, PennsylvaniaNorthAgainstProj,
    ::testing::Values(ConePoint{"Origin", -77.75, 40.1666666666667, 600000.0, 0.0},
                      ConePoint{"Scranton", -75.5, 41.5, 787837.335893, 150512.156392},
                      ConePoint{"Erie", -80.2, 42.1, 397355.148151, 217579.078018}),
    [](const ::testing::TestParamInfo<ConePoint>& info) { return std::string(info.param.name); });

// Forward and back over the whole conterminous US on the example cone. The
// mapping is exact and the inverse converged, so only rounding remains:
// measured 1.6e-13 degree.
TEST(LambertConic, RoundTripsAcrossTheCone)
{
    for (double latitude = 20.0; latitude <= 55.0; latitude += 5.0) {
        for (double longitude = -125.0; longitude <= -65.0; longitude += 10.0) {
            const double x = kExampleCone.x(longitude, latitude);
            const double y = kExampleCone.y(longitude, latitude);
            EXPECT_NEAR(kExampleCone.lat(x, y), latitude, kDegreeTolerance) << longitude << ", " << latitude;
            EXPECT_NEAR(kExampleCone.lon(x, y), longitude, kDegreeTolerance) << longitude << ", " << latitude;
        }
    }
}

// Guards the mended reduction: 285 is -75 a turn higher.
TEST(LambertConic, LongitudePast180IsTheSamePoint)
{
    // 1e-6 m: only the rounding of the reduced difference may differ.
    EXPECT_NEAR(kExampleCone.x(285.0, 35.0), kExampleCone.x(-75.0, 35.0), 1e-6);
    EXPECT_NEAR(kExampleCone.y(285.0, 35.0), kExampleCone.y(-75.0, 35.0), 1e-6);
}

// A cone whose meridian lies near the date line: a point across it comes back
// as its own longitude, not one past 180.
// The south pole lies at infinity on a northern cone. tan(pi/2) in doubles is
// only 1.6e16, which once gave a finite point there.
TEST(LambertConic, FarPoleIsNoFinitePoint)
{
    for (const double lon : {-96.0, -100.0}) {
        const double x = kExampleCone.x(lon, -90.0);
        const double y = kExampleCone.y(lon, -90.0);
        EXPECT_FALSE(std::isfinite(x) && std::isfinite(y)) << lon << ": " << x << " " << y;
    }
}

TEST(LambertConic, InverseLongitudeStaysInsideMinus180To180)
{
    const Cone aleutian{kClarke1866.a, kClarke1866.e(), 0.0, 0.0, 51.0, 53.0, 51.0, 176.0};
    const double x = aleutian.x(-178.0, 52.0);
    const double y = aleutian.y(-178.0, 52.0);
    EXPECT_GT(x, 0.0);  // east of the meridian, the short way round
    EXPECT_NEAR(aleutian.lon(x, y), -178.0, kDegreeTolerance);
    EXPECT_NEAR(aleutian.lat(x, y), 52.0, kDegreeTolerance);
}

// Equal standard parallels (a tangent cone) once gave 0/0 for n and NaN
// everywhere. Reference: echo "-100 45" | proj -f %.6f +proj=lcc +lat_1=40
// +lat_2=40 +lat_0=35 +lon_0=-96 +ellps=clrk66
TEST(LambertConic, TangentConeAgreesWithProj)
{
    const Cone tangent{kClarke1866.a, kClarke1866.e(), 0.0, 0.0, 40.0, 40.0, 35.0, -96.0};
    EXPECT_NEAR(tangent.x(-100.0, 45.0), -316521.984894, kGridTolerance);
    EXPECT_NEAR(tangent.y(-100.0, 45.0), 1118842.514939, kGridTolerance);
    EXPECT_NEAR(tangent.lon(-316521.984894, 1118842.514939), -100.0, kDegreeTolerance);
    EXPECT_NEAR(tangent.lat(-316521.984894, 1118842.514939), 45.0, kDegreeTolerance);
}

}  // namespace
}  // namespace kartoval
