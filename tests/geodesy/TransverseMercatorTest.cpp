// Transverse Mercator: the closed series checked against a worked example,
// against its own definition at the special points, round trips, and UTM
// points from PROJ's exact transverse Mercator.

#include "geodesy/Angles.hpp"
#include "tests/support/ClassicProjectionFunctions.hpp"
#include "geodesy/TransverseMercator.hpp"
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
using testing::kUtmFalseEasting;
using testing::kUtmK0;
using testing::kUtmSouthFalseNorthing;
using testing::kWgs84;
using testing::TestEllipsoid;

using testing::PrintTo;

// The worked example is given to the millimetre; PROJ's exact mapping gives
// 127106.467394 / 4484124.434423 for it, and the series lands within 0.2 mm of
// that. Half a millimetre covers the rounding of the given values.
constexpr double kWorkedExampleTolerance = 0.0005;  // metres

TEST(TransverseMercator, WorkedExampleForward)
{
    const double e = kClarke1866.e();
    EXPECT_NEAR(TmEasting(-73.5, 40.5, -75.0, kClarke1866.a, 0.0, kUtmK0, e), 127106.467, kWorkedExampleTolerance);
    EXPECT_NEAR(TmNorthing(-73.5, 40.5, -75.0, 0.0, kClarke1866.a, e, 0.0, kUtmK0), 4484124.435,
                kWorkedExampleTolerance);
}

TEST(TransverseMercator, WorkedExampleInverse)
{
    const double e = kClarke1866.e();
    // 1e-8 degree (about 1 mm): the given grid values are rounded to 1 mm.
    EXPECT_NEAR(TmLatitude(4484124.435, 127106.467, -75.0, 0.0, kClarke1866.a, 0.0, kUtmK0, e, 0.0), 40.5, 1e-8);
    EXPECT_NEAR(TmLongitude(4484124.435, 127106.467, -75.0, 0.0, kClarke1866.a, 0.0, kUtmK0, e, 0.0), -73.5, 1e-8);
}

TEST(TransverseMercator, CentralMeridianGivesTheFalseEastingExactly)
{
    const double e = kWgs84.e();
    for (const double latitude : {-80.0, -10.0, 0.0, 45.0, 84.0}) {
        EXPECT_EQ(TmEasting(3.0, latitude, 3.0, kWgs84.a, kUtmFalseEasting, kUtmK0, e), kUtmFalseEasting) << latitude;
    }
}

// Meridian arc lengths from PROJ (+proj=tmerc +k=1 on the central meridian,
// exact to 1e-6 m). The e^6 series is good to well under a millimetre.
TEST(TransverseMercator, CentralMeridianGivesTheMeridianArc)
{
    const double e = kWgs84.e();
    // echo 0 45 | proj +proj=tmerc +ellps=WGS84 +k=1 +lon_0=0 -f %.6f
    EXPECT_NEAR(TmNorthing(0.0, 45.0, 0.0, 0.0, kWgs84.a, e, 0.0, 1.0), 4984944.377978, 0.001);  // metres
    EXPECT_NEAR(MeridianDistance(45.0, kWgs84.a, e), 4984944.377978, 0.001);                   // metres
}

TEST(TransverseMercator, LatitudeOfOriginGivesTheFalseNorthingExactly)
{
    const double e = kGrs1980.e();
    EXPECT_EQ(TmNorthing(-120.5, 31.0, -120.5, 31.0, kGrs1980.a, e, 100000.0, 0.9999), 100000.0);
    EXPECT_EQ(TmNorthing(3.0, 0.0, 3.0, 0.0, kGrs1980.a, e, 0.0, kUtmK0), 0.0);
}

TEST(TransverseMercator, FalseEastingGivesBackTheCentralMeridian)
{
    const double e = kWgs84.e();
    for (const double northing : {0.0, 4484124.435, 9300000.0}) {
        // 1e-12 degree: only the round trip of the meridian through radians.
        EXPECT_NEAR(TmLongitude(northing, kUtmFalseEasting, 3.0, 0.0, kWgs84.a, kUtmFalseEasting, kUtmK0, e, 0.0), 3.0,
                    1e-12)
            << northing;
    }
}

// Latitude -10 on the central meridian of a southern zone: the false northing
// lifts the negative meridian arc above zero. PROJ gives 8894587.508699
// (echo 15 -10 | proj +proj=utm +zone=33 +south +ellps=WGS84 -f %.6f).
TEST(TransverseMercator, SouthernPointBelowTheSouthernFalseNorthing)
{
    const double e = kWgs84.e();
    const double south = TmNorthing(15.0, -10.0, 15.0, 0.0, kWgs84.a, e, kUtmSouthFalseNorthing, kUtmK0);
    const double north = TmNorthing(15.0, 10.0, 15.0, 0.0, kWgs84.a, e, 0.0, kUtmK0);
    EXPECT_LT(south, kUtmSouthFalseNorthing);
    EXPECT_NEAR(south, 8894587.508699, 0.001);  // metres: the series' arc is good to well under 1 mm
    // 1e-6 m: the hemispheres are mirror images, only rounding differs.
    EXPECT_NEAR(south, kUtmSouthFalseNorthing - kUtmK0 * std::fabs(MeridianDistance(-10.0, kWgs84.a, e)), 1e-6);
    EXPECT_NEAR(south, kUtmSouthFalseNorthing - north, 1e-6);
}

// The series in a state plane-like zone with a latitude of origin and false
// origin, against PROJ:
// proj +proj=tmerc +lat_0=31 +lon_0=-120.5 +k=0.9999 +x_0=200000 +y_0=100000 +ellps=GRS80 -f %.6f
TEST(TransverseMercator, ZoneWithFalseOriginMatchesProj)
{
    const double e = kGrs1980.e();
    struct Row {
        double longitude, latitude, easting, northing;
    };
    for (const Row& r : {Row{-119.25, 33.75, 315810.148396, 405628.505035},
                         Row{-121.9, 29.5, 64253.766677, -65451.654182}}) {
        SCOPED_TRACE(::testing::Message() << r.longitude << ", " << r.latitude);
        // 1 mm: the closed series against PROJ's exact mapping, 1.4 degrees from the meridian.
        EXPECT_NEAR(TmEasting(r.longitude, r.latitude, -120.5, kGrs1980.a, 200000.0, 0.9999, e), r.easting, 0.001);
        EXPECT_NEAR(TmNorthing(r.longitude, r.latitude, -120.5, 31.0, kGrs1980.a, e, 100000.0, 0.9999), r.northing,
                    0.001);
        // 2e-8 degree (2 mm): the inverse series of the same method.
        EXPECT_NEAR(TmLatitude(r.northing, r.easting, -120.5, 31.0, kGrs1980.a, 200000.0, 0.9999, e, 100000.0),
                    r.latitude, 2e-8);
        EXPECT_NEAR(TmLongitude(r.northing, r.easting, -120.5, 31.0, kGrs1980.a, 200000.0, 0.9999, e, 100000.0),
                    r.longitude, 2e-8);
    }
}

struct UtmCase {
    const char* name;
    int zone;
    bool south;
    double longitude;
    double latitude;
    double easting;   // from PROJ
    double northing;  // from PROJ
};

class UtmAgainstProj : public ::testing::TestWithParam<UtmCase> {};

// Values made with PROJ 9.1.1 (Debian proj-bin), its exact transverse Mercator:
//   echo LON LAT | proj +proj=utm +zone=N [+south] +ellps=WGS84 -f %.4f
// Tolerance 1 mm: the closed series differs from the exact mapping by at most
// 0.93 mm over these points (zone 32, latitude 70, 2.9 degrees off the meridian).
TEST_P(UtmAgainstProj, ForwardAndBack)
{
    const UtmCase& c = GetParam();
    const double e = kWgs84.e();
    const double cm = 6.0 * c.zone - 183.0;
    const double fn = c.south ? kUtmSouthFalseNorthing : 0.0;
    EXPECT_NEAR(TmEasting(c.longitude, c.latitude, cm, kWgs84.a, kUtmFalseEasting, kUtmK0, e), c.easting, 0.001);
    EXPECT_NEAR(TmNorthing(c.longitude, c.latitude, cm, 0.0, kWgs84.a, e, fn, kUtmK0), c.northing, 0.001);
    // 1e-8 degree is about 1 mm on the ground: the same budget going back.
    EXPECT_NEAR(TmLatitude(c.northing, c.easting, cm, 0.0, kWgs84.a, kUtmFalseEasting, kUtmK0, e, fn), c.latitude,
                1e-8);
    const double longitude = TmLongitude(c.northing, c.easting, cm, 0.0, kWgs84.a, kUtmFalseEasting, kUtmK0, e, fn);
    EXPECT_NEAR(longitude * std::cos(c.latitude * kDegreesToRadians),
                c.longitude * std::cos(c.latitude * kDegreesToRadians), 1e-8);
}

INSTANTIATE_TEST_SUITE_P(
    TransverseMercator, UtmAgainstProj,
    ::testing::Values(UtmCase{"Zone18NewYork", 18, false, -73.5, 40.5, 627103.0873, 4484335.4017},
                      UtmCase{"Zone31Netherlands", 31, false, 4.5, 52.0, 602972.9817, 5762100.4897},
                      UtmCase{"Zone32FarNorthEdge", 32, false, 11.9, 70.0, 610660.4649, 7768505.4523},
                      UtmCase{"Zone1WestEdge", 1, false, -179.0, 10.0, 280766.8612, 1106077.1297},
                      UtmCase{"Zone60Latitude84", 60, false, 179.5, 84.0, 529166.1961, 9328726.7551},
                      UtmCase{"Zone17NearEquator", 17, false, -80.0, 0.5, 611276.4412, 55273.5119},
                      UtmCase{"Zone33South", 33, true, 16.0, -25.0, 600913.0267, 7234680.0560},
                      UtmCase{"Zone60South", 60, true, 179.5, -45.0, 697038.3282, 5014008.9826},
                      UtmCase{"Zone23SouthRio", 23, true, -43.2, -22.9, 684623.6733, 7466421.4007},
                      UtmCase{"Zone19SouthLatitude80", 19, true, -70.0, -79.5, 479656.7716, 1174046.4069}),
    [](const ::testing::TestParamInfo<UtmCase>& info) { return std::string(info.param.name); });

class TmRoundTrip : public ::testing::TestWithParam<TestEllipsoid> {};

// Forward and back over zones round the globe, latitudes -80..84, offsets up
// to 3 degrees either side, both false northings. The forward and inverse
// series are truncated differently; the largest disagreement measured is
// 5.8e-9 degree (0.6 mm) at latitude 84 and 3 degrees off the meridian, so
// 1e-8 degree (about 1 mm) is the budget.
TEST_P(TmRoundTrip, ComesBackWithin1e8Degree)
{
    const TestEllipsoid& ellipsoid = GetParam();
    const double e = ellipsoid.e();
    for (const double cm : {-177.0, -75.0, 3.0, 177.0}) {
        for (const double latitude : {-80.0, -45.0, -10.0, 0.0, 10.0, 40.5, 60.0, 84.0}) {
            for (const double offset : {-3.0, -1.5, 0.0, 0.7, 3.0}) {
                for (const double fn : {0.0, kUtmSouthFalseNorthing}) {
                    const double longitude = cm + offset;
                    SCOPED_TRACE(::testing::Message() << "cm " << cm << " lat " << latitude << " lon " << longitude
                                                    << " fn " << fn);
                    const double x = TmEasting(longitude, latitude, cm, ellipsoid.a, kUtmFalseEasting, kUtmK0, e);
                    const double y = TmNorthing(longitude, latitude, cm, 0.0, ellipsoid.a, e, fn, kUtmK0);
                    const double backLat =
                        TmLatitude(y, x, cm, 0.0, ellipsoid.a, kUtmFalseEasting, kUtmK0, e, fn);
                    const double backLon =
                        TmLongitude(y, x, cm, 0.0, ellipsoid.a, kUtmFalseEasting, kUtmK0, e, fn);
                    EXPECT_NEAR(backLat, latitude, 1e-8);
                    // The difference across the date line counts as the short way round;
                    // scaled by cos(latitude) so that 1e-8 stays about 1 mm at 84 degrees.
                    const double dLon = std::remainder(backLon - longitude, 360.0);
                    EXPECT_NEAR(dLon * std::cos(latitude * kDegreesToRadians), 0.0, 1e-8);
                    EXPECT_GT(backLon, -180.0);
                    EXPECT_LE(backLon, 180.0);
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TransverseMercator, TmRoundTrip, ::testing::Values(kWgs84, kClarke1866),
                         [](const ::testing::TestParamInfo<TestEllipsoid>& info) {
                             return std::string(info.param.name);
                         });

// Guards the mended reduction: 286.5 is -73.5 written a turn higher, and must
// not be fed to the series as 361.5 degrees off the meridian.
TEST(TransverseMercator, LongitudePast180IsTheSamePoint)
{
    const double e = kClarke1866.e();
    const double a = kClarke1866.a;
    for (const double written : {286.5, -433.5}) {
        // 1e-6 m: only the rounding of the reduced difference may differ.
        EXPECT_NEAR(TmEasting(written, 40.5, -75.0, a, 0.0, kUtmK0, e), TmEasting(-73.5, 40.5, -75.0, a, 0.0, kUtmK0, e),
                    1e-6)
            << written;
        EXPECT_NEAR(TmNorthing(written, 40.5, -75.0, 0.0, a, e, 0.0, kUtmK0),
                    TmNorthing(-73.5, 40.5, -75.0, 0.0, a, e, 0.0, kUtmK0), 1e-6)
            << written;
    }
}

// Zone 60 (meridian 177) just east of the date line: the point at -179.5 lies
// 3.5 degrees east of the meridian, and the longitude comes back as -179.5,
// not 180.5.
TEST(TransverseMercator, InverseLongitudeStaysInsideMinus180To180)
{
    const double e = kWgs84.e();
    const double a = kWgs84.a;
    const double x = TmEasting(-179.5, 10.0, 177.0, a, kUtmFalseEasting, kUtmK0, e);
    const double y = TmNorthing(-179.5, 10.0, 177.0, 0.0, a, e, 0.0, kUtmK0);
    EXPECT_GT(x, kUtmFalseEasting);
    // 1e-8 degree: the series' round trip budget above.
    EXPECT_NEAR(TmLongitude(y, x, 177.0, 0.0, a, kUtmFalseEasting, kUtmK0, e, 0.0), -179.5, 1e-8);

    // On the date line itself either 180 or a hair above -180 names the meridian;
    // never a value outside (-180, 180].
    const double xLine = TmEasting(180.0, 10.0, 177.0, a, kUtmFalseEasting, kUtmK0, e);
    const double yLine = TmNorthing(180.0, 10.0, 177.0, 0.0, a, e, 0.0, kUtmK0);
    const double onLine = TmLongitude(yLine, xLine, 177.0, 0.0, a, kUtmFalseEasting, kUtmK0, e, 0.0);
    EXPECT_GT(onLine, -180.0);
    EXPECT_LE(onLine, 180.0);
    EXPECT_NEAR(std::remainder(onLine - 180.0, 360.0), 0.0, 1e-8);
}

}  // namespace
}  // namespace kartoval
