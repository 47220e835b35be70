// Hotine oblique Mercator, variant A: the worked example of IOGP Guidance
// Note 7-2, and Alaska zone 1 on both datums against PROJ's omerc +no_uoff
// (the committed table made by tools/make_om_table.sh).

#include "geodesy/Angles.hpp"
#include "geodesy/HotineOm.hpp"
#include "ReferenceTable.hpp"
#include "TestEllipsoids.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kartoval {
namespace {

using testing::kClarke1866;
using testing::kGrs1980;

double dms(double d, double m, double s) { return d + m / 60.0 + s / 3600.0; }

// Timbalai 1948 / R.S.O. Borneo on Everest 1830 (1967 definition).
const EllipsoidParams kEverest1967{6377298.556, EccentricityFromInverseFlattening(300.8017)};
OmParams borneo(double rectifiedToSkew, double falseEasting, double falseNorthing)
{
    return {4.0, 115.0, dms(53, 18, 56.9537), rectifiedToSkew, 0.99984, falseEasting, falseNorthing};
}
const double kLat = dms(5, 23, 14.1129);
const double kLon = dms(115, 48, 19.8196);

TEST(HotineOm, GuidanceNoteWorkedExample)
{
    // With no rotation and no false origin the grid is Hotine's (v, u), which
    // the note gives to the millimetre: v = -69702.787, u = 901334.257.
    const HotineOm unrotated(kEverest1967, borneo(0.0, 0.0, 0.0));
    const GridPoint vu = unrotated.Forward(kLon, kLat);
    EXPECT_NEAR(vu.Easting, -69702.787, 0.001);  // metres: the note's rounding
    EXPECT_NEAR(vu.Northing, 901334.257, 0.001);

    // The note's grid (variant B, origin at the centre) is variant A's moved
    // by uc = 738096.09 along the initial line: E = 679245.73, N = 596562.78
    // to the centimetre, as uc is given.
    const double gammac = dms(53, 7, 48.3685);
    const double uc = 738096.09;
    const HotineOm grid(kEverest1967, borneo(gammac, 590476.87 - uc * std::sin(gammac * kDegreesToRadians),
                                             442857.65 - uc * std::cos(gammac * kDegreesToRadians)));
    const GridPoint en = grid.Forward(kLon, kLat);
    EXPECT_NEAR(en.Easting, 679245.73, 0.01);  // metres
    EXPECT_NEAR(en.Northing, 596562.78, 0.01);
    // Back: 5 23 14.113 N, 115 48 19.820 E to the note's thousandth of a second.
    const GeoPoint back = grid.Inverse(679245.73, 596562.78);
    EXPECT_NEAR(back.Latitude, dms(5, 23, 14.113), 0.0006 / 3600.0);
    EXPECT_NEAR(back.Longitude, dms(115, 48, 19.820), 0.0006 / 3600.0);
}

// NGS's own State Plane calculator gives 740933.648 742902.522 for 58.5 N,
// 135 W in Alaska zone 1 of 1983 (as quoted on PROJ's mailing list, May 2006),
// to its millimetre.
TEST(HotineOm, AlaskaZoneOneAgreesWithNgs)
{
    const HotineOm om({kGrs1980.a, kGrs1980.e()}, {57.0, -133.66666666666666, 323.1301023611111,
                                                  323.1301023611111, 0.9999, 5000000.0, -5000000.0});
    const GridPoint g = om.Forward(-135.0, 58.5);
    EXPECT_NEAR(g.Easting, 740933.648, 0.0006);  // metres
    EXPECT_NEAR(g.Northing, 742902.522, 0.0006);
}

constexpr double kUsSurveyFoot = 1200.0 / 3937.0;  // metres
constexpr double kMetresPerDegree = 111320.0;      // to turn angles into ground distance

TEST(HotineOm, AlaskaZoneOneAgreesWithProj)
{
    const auto rows = testing::ReadReferenceTable(KARTOVAL_OM_TABLE, true);
    ASSERT_EQ(rows.size(), 128U) << "table " << KARTOVAL_OM_TABLE << " unreadable or cut short";
    for (const auto& row : rows) {
        ASSERT_EQ(row.Numbers.size(), 6U);
        const struct {
            std::string datum;
            double lat, lon, x, y, k, gamma;
        } r{row.Word, row.Numbers[0], row.Numbers[1], row.Numbers[2], row.Numbers[3], row.Numbers[4], row.Numbers[5]};
        SCOPED_TRACE(r.datum + " " + std::to_string(r.lat) + " " + std::to_string(r.lon));
        const bool nad27 = r.datum == "NAD27";
        const double unit = nad27 ? kUsSurveyFoot : 1.0;
        const EllipsoidParams ellipsoid = nad27 ? EllipsoidParams{kClarke1866.a / unit, kClarke1866.e()}
                                                : EllipsoidParams{kGrs1980.a, kGrs1980.e()};
        const double falseOrigin = nad27 ? 16404166.67 : 5000000.0;  // as the zone tables give it
        const HotineOm om(ellipsoid, {57.0, -133.66666666666666, 323.1301023611111, 323.1301023611111, 0.9999,
                                      falseOrigin, -falseOrigin});
        // PROJ prints to the micrometre; 1 mm is the agreement asked for.
        const GridPoint g = om.Forward(r.lon, r.lat);
        EXPECT_NEAR(g.Easting * unit, r.x * unit, 0.001);
        EXPECT_NEAR(g.Northing * unit, r.y * unit, 0.001);
        const GeoPoint p = om.Inverse(r.x, r.y);
        EXPECT_NEAR((p.Latitude - r.lat) * kMetresPerDegree, 0.0, 0.001);
        EXPECT_NEAR((p.Longitude - r.lon) * kMetresPerDegree * std::cos(r.lat * kDegreesToRadians), 0.0, 0.001);
        // proj -V prints scale and convergence (from numeric derivatives) to 8 decimals.
        const PointFactors f = om.Factors(r.lon, r.lat);
        EXPECT_NEAR(f.Scale, r.k, 1e-8);
        EXPECT_NEAR(f.Convergence, r.gamma, 1e-7);  // degrees
        // Nothing but rounding is lost on the way round: 1e-11 degree is a micrometre.
        const GeoPoint back = om.Inverse(g.Easting, g.Northing);
        EXPECT_NEAR(back.Latitude, r.lat, 1e-11);
        EXPECT_NEAR(back.Longitude, r.lon, 1e-11);
    }
}

}  // namespace
}  // namespace kartoval
