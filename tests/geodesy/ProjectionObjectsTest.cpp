// The projection objects: the one-line wrappers pass every argument to its
// place, cones opening south and tangent cones convert both ways as PROJ does,
// scale factor and convergence agree with GeographicLib, and parameter sets
// can't be handed over in the wrong order.

#include "geodesy/GridProjection.hpp"
#include "tests/support/ClassicProjectionFunctions.hpp"
#include "TestEllipsoids.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

namespace kartoval {
namespace {

using testing::kClarke1866;
using testing::kGrs1980;
using testing::kWgs84;

static_assert(std::is_constructible_v<TransverseMercator, EllipsoidParams, TmParams>);
static_assert(!std::is_constructible_v<TransverseMercator, TmParams, EllipsoidParams>);
static_assert(!std::is_constructible_v<TransverseMercator, EllipsoidParams, LccParams>);
static_assert(std::is_constructible_v<LambertConformalConic, EllipsoidParams, LccParams>);
static_assert(!std::is_constructible_v<LambertConformalConic, LccParams, EllipsoidParams>);
static_assert(!std::is_constructible_v<LambertConformalConic, EllipsoidParams, TmParams>);
static_assert(!std::is_constructible_v<GridProjection, TmParams, EllipsoidParams>);
static_assert(!std::is_convertible_v<GeoPoint, GridPoint> && !std::is_convertible_v<GridPoint, GeoPoint>);
static_assert(!std::is_invocable_v<decltype(&ExpectedTmSeriesError), GeoPoint>);

EllipsoidParams params(const testing::TestEllipsoid& ellipsoid, double unitsPerMetre = 1.0)
{
    return {ellipsoid.a * unitsPerMetre, ellipsoid.e()};
}

// Every value distinct, so a wrapper that passed one argument in another's
// place would differ. The wrappers build the same object, hence exact equality.
TEST(ProjectionObjects, WrappersPassEveryArgumentToItsPlace)
{
    const EllipsoidParams ellipsoid = params(kClarke1866, 3.28083333333333);
    for (const TmParams z : {TmParams{-87.5, 30.25, 0.999933, 600000.5, 12345.5},
                             TmParams{-9.0, 0.0, 0.9996, 500000.0, 10000000.0}}) {
        const TransverseMercator tm(ellipsoid, z);
        const GridPoint g = tm.Forward(-86.75, 31.5);
        const double a = ellipsoid.SemiMajorAxis;
        const double e = ellipsoid.Eccentricity;
        EXPECT_EQ(g.Easting, TmEasting(-86.75, 31.5, z.CentralMeridian, a, z.FalseEasting, z.ScaleFactor, e));
        EXPECT_EQ(g.Northing, TmNorthing(-86.75, 31.5, z.CentralMeridian, z.LatitudeOfOrigin, a, e, z.FalseNorthing,
                                         z.ScaleFactor));
        const GeoPoint p = tm.Inverse(g.Easting, g.Northing);
        EXPECT_EQ(p.Latitude, TmLatitude(g.Northing, g.Easting, z.CentralMeridian, z.LatitudeOfOrigin, a,
                                         z.FalseEasting, z.ScaleFactor, e, z.FalseNorthing));
        EXPECT_EQ(p.Longitude, TmLongitude(g.Northing, g.Easting, z.CentralMeridian, z.LatitudeOfOrigin, a,
                                           z.FalseEasting, z.ScaleFactor, e, z.FalseNorthing));
    }
    for (const LccParams z : {LccParams{-96.5, 23.25, 33.5, 45.75, 600000.5, 50000.25},
                              LccParams{-170.0, -14.25, -14.5, -14.5, 500000.0, 312234.5}}) {
        const LambertConformalConic lcc(ellipsoid, z);
        const double lon = z.CentralMeridian + 1.25;
        const double lat = z.LatitudeOfOrigin + 2.5;
        const GridPoint g = lcc.Forward(lon, lat);
        const double a = ellipsoid.SemiMajorAxis;
        const double e = ellipsoid.Eccentricity;
        const auto args = [&](auto f, double x, double y) {
            return f(x, y, e, a, z.FalseEasting, z.FalseNorthing, z.FirstParallel, z.SecondParallel,
                     z.LatitudeOfOrigin, z.CentralMeridian);
        };
        EXPECT_EQ(g.Easting, args(LccEasting, lon, lat));
        EXPECT_EQ(g.Northing, args(LccNorthing, lon, lat));
        const GeoPoint p = lcc.Inverse(g.Easting, g.Northing);
        EXPECT_EQ(p.Latitude, args(LccLatitude, g.Easting, g.Northing));
        EXPECT_EQ(p.Longitude, args(LccLongitude, g.Easting, g.Northing));
    }
}

struct ConeCase {
    const char* name;
    testing::TestEllipsoid ellipsoid;
    double unitsPerMetre;
    LccParams zone;
    double longitude, latitude, easting, northing;  // PROJ: proj +proj=lcc ... -f %.6f
    double scale, convergence;                      // GeographicLib: ConicProj -c lat1 lat2 -l lon0
};

void PrintTo(const ConeCase& c, std::ostream* out) { *out << c.name; }

class Cones : public ::testing::TestWithParam<ConeCase> {};

// PROJ prints six decimals: 1e-6 of the grid unit covers that rounding. Back
// to 1e-10 degree (10 micrometres), far below the forward rounding's effect.
// Scale and convergence come from exact formulas: 1e-12.
TEST_P(Cones, ConvertBothWaysAsProjAndGeographicLib)
{
    const ConeCase& c = GetParam();
    const LambertConformalConic cone(params(c.ellipsoid, c.unitsPerMetre), c.zone);
    const GridPoint g = cone.Forward(c.longitude, c.latitude);
    EXPECT_NEAR(g.Easting, c.easting, 1e-6);
    EXPECT_NEAR(g.Northing, c.northing, 1e-6);
    const GeoPoint p = cone.Inverse(c.easting, c.northing);
    EXPECT_NEAR(p.Longitude, c.longitude, 1e-10);
    EXPECT_NEAR(p.Latitude, c.latitude, 1e-10);
    const PointFactors f = cone.Factors(c.longitude, c.latitude);
    EXPECT_NEAR(f.Scale, c.scale, 1e-12);
    EXPECT_NEAR(f.Convergence, c.convergence, 1e-12);
}

// American Samoa 1962 Lambert (EPSG 3102): a tangent cone south of the
// equator, in US survey feet (+units=us-ft, 3937/1200 feet a metre).
constexpr double kUsFoot = 3937.0 / 1200.0;
constexpr LccParams kSamoa{-170.0, -14.2666666666667, -14.2666666666667, -14.2666666666667,
                           152400.30480061 * kUsFoot, 95169.3116586539 * kUsFoot};
constexpr LccParams kSouthSecant{-65.0, -35.0, -30.0, -40.0, 500000.0, 1000000.0};
constexpr LccParams kNorthTangent{10.0, 40.0, 40.0, 40.0, 200000.0, 300000.0};

INSTANTIATE_TEST_SUITE_P(
    LambertConic, Cones,
    ::testing::Values(
        ConeCase{"SamoaWest", kClarke1866, kUsFoot, kSamoa, -170.5, -14.0, 322775.155494, 408837.044791,
                 1.0000107577028863, 0.1232176102269391},
        ConeCase{"SamoaEast", kClarke1866, kUsFoot, kSamoa, -169.5, -14.5, 676834.544123, 227348.942767,
                 1.0000082425978198, -0.1232176102269391},
        ConeCase{"SouthSecantNear", kGrs1980, 1.0, kSouthSecant, -60.0, -32.0, 971135.192376, 1319827.964494,
                 0.9976014813733139, -2.8716018612013272},
        ConeCase{"SouthSecantFar", kGrs1980, 1.0, kSouthSecant, -70.0, -45.0, 101181.994146, -121875.955190,
                 1.0120508192865112, 2.8716018612013272},
        ConeCase{"NorthTangent", kGrs1980, 1.0, kNorthTangent, 13.0, 41.0, 452396.387922, 415297.660879,
                 1.0001524887584623, 1.9283628290596178}),
    [](const auto& info) { return std::string(info.param.name); });

// Near its apex a cone's inverse must not step past the pole, which the
// point checks would refuse as a latitude beyond 90.
TEST(ProjectionObjects, ConeInverseStopsAtThePole)
{
    for (const LccParams& zone : {kNorthTangent, kSouthSecant}) {
        const LambertConformalConic cone(params(kGrs1980), zone);
        const double pole = zone.FirstParallel > 0.0 ? 90.0 : -90.0;
        const GridPoint apex = cone.Forward(zone.CentralMeridian, pole);
        for (const double offset : {1e-9, 1e-6, 1e-3}) {
            const double latitude = cone.Inverse(apex.Easting + offset, apex.Northing).Latitude;
            EXPECT_LE(std::abs(latitude), 90.0) << offset;
            EXPECT_NEAR(latitude, pole, 1e-9) << offset;  // a millimetre is 1e-8 degree
        }
    }
}

struct TmFactorCase {
    const char* name;
    double latitude, longitude, centralMeridian;
    double convergence, scale;  // GeoConvert -c -p 6 -z <zone> (exact mapping)
};

// The series against the exact mapping, up to 3 degrees from the meridian: the
// convergence series' fifth-order term lacks its e'^2 parts, which leaves up
// to 2e-8 degree (0.07 milliarcsecond); the scale parts by below 1e-10.
// Hence 5e-8 degree and 1e-9.
TEST(ProjectionObjects, TransverseMercatorFactorsMatchGeographicLib)
{
    constexpr TmFactorCase cases[] = {
        {"zone20North", 32.0, -60.0, -63.0, 1.59081855193, 1.0005907852549},
        {"zone34South", -33.9, 18.4, 21.0, 1.45083291153, 1.0003125936817},
        {"zone27Iceland", 64.0, -18.5, -21.0, 2.24726016560, 0.9997830285904},
        {"zone20West", 10.0, -64.5, -63.0, -0.26053113288, 0.9999344910210},
    };
    for (const TmFactorCase& c : cases) {
        const TransverseMercator tm(params(kWgs84), {c.centralMeridian, 0.0, 0.9996, 500000.0, 0.0});
        const PointFactors f = tm.Factors(c.longitude, c.latitude);
        EXPECT_NEAR(f.Convergence, c.convergence, 5e-8) << c.name;
        EXPECT_NEAR(f.Scale, c.scale, 1e-9) << c.name;
    }
}

TEST(ProjectionObjects, DistanceFromCentralMeridianAndExpectedError)
{
    const GridProjection tm(params(kWgs84), TmParams{-75.0, 0.0, 0.9996, 500000.0, 0.0});
    // 1e-12 degree: the distance goes through radians and back.
    EXPECT_NEAR(*tm.DistanceFromCentralMeridian(-73.5), 1.5, 1e-12);
    EXPECT_NEAR(*tm.DistanceFromCentralMeridian(286.5), 1.5, 1e-12);  // the same place written east
    EXPECT_NEAR(*tm.DistanceFromCentralMeridian(-80.0), 5.0, 1e-12);
    const GridProjection lcc(params(kWgs84), kNorthTangent);
    EXPECT_FALSE(lcc.DistanceFromCentralMeridian(12.0).has_value());

    // The sizes measured against the exact mapping, within a factor of 1.5.
    struct Size {
        double degrees, metres;
    };
    for (const Size s : {Size{2.0, 0.001}, Size{5.0, 0.0135}, Size{8.0, 0.37}, Size{10.0, 1.8}, Size{25.0, 1482.0}}) {
        EXPECT_GT(ExpectedTmSeriesError(s.degrees), s.metres / 1.5) << s.degrees;
        EXPECT_LT(ExpectedTmSeriesError(-s.degrees), s.metres * 1.5) << s.degrees;
    }
    EXPECT_GT(ExpectedTmSeriesError(45.0), ExpectedTmSeriesError(40.0));
}

}  // namespace
}  // namespace kartoval
