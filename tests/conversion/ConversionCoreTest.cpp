// The conversion core on the shipped tables: the command line's spellings,
// the guards against grid values with no place on the Earth, the zone areas
// and the datum-ellipsoid rule, each once for every front end.

#include "conversion/ConversionRoute.hpp"
#include "conversion/SideProjection.hpp"
#include "support/Fakes.hpp"
#include "toolkit/Errors.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kartoval::testing {
namespace {

using ::testing::HasSubstr;

class Core : public ::testing::Test {
protected:
    FakeMessages messages;
    Platform platform{messages, KARTOVAL_DATA_DIR, '.'};
    Ellipsoid wgs84 = *FindEllipsoid(ReadEllipsoids(platform), "WGS 84");
    Ellipsoid grs80 = *FindEllipsoid(ReadEllipsoids(platform), "GRS 1980");
};

TEST_F(Core, SpellingsGiveTheirSides)
{
    const struct {
        const char* Text;
        const char* Label;
        const char* Ellipsoid;  // "" for none
    } rows[] = {
        {"geo", "degrees", ""},
        {"GEO:nad27", "NAD27 degrees", "Clarke 1866"},
        {"utm:29N", "UTM zone 29N", "WGS 84"},
        {"utm:14n:NAD83", "NAD83 UTM zone 14N", "GRS 1980"},
        {"nad27:\"texas south central\"", "NAD27 Texas South Central", "Clarke 1866"},
        {"nad83:'California zone 3'", "NAD83 California zone 3", "GRS 1980"},
        {"EPSG:32760", "WGS 84 UTM zone 60S", "WGS 84"},
        {"EPSG:26722", "NAD27 UTM zone 22N", "Clarke 1866"},  // the last code of each EPSG UTM block
        {"EPSG:26923", "NAD83 UTM zone 23N", "GRS 1980"},
        {"EPSG:25832", "UTM zone 32N", "GRS 1980"},           // ETRS89: GRS 1980, no datum of ours
        {"EPSG:6201", "NAD27 Michigan Central", "Clarke 1866 Michigan"},
        {"EPSG:4135", "Old Hawaiian degrees", "Clarke 1866"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Text);
        const CoordinateSide side = ParseSide(row.Text, platform);
        EXPECT_EQ(side.Label, row.Label);
        EXPECT_EQ(side.DatumEllipsoid.value_or(""), row.Ellipsoid);
        // Printed and read again: the same side.
        EXPECT_EQ(ParseSide(SideSpelling(side), platform).Label, side.Label);
    }
    for (const char* bad : {"utm:61N", "utm:29X", "geo:wgs72", "nad83:Texas Suoth Central", "EPSG:26724", "lambert"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW((void)ParseSide(bad, platform), UsageError);
    }
}

// Grid values a mistyped file gives: none of them is a place, each refused.
TEST_F(Core, GridValuesWithNoPlaceAreRefused)
{
    const struct {
        const char* From;
        double X, Y;
        const char* Says;
    } rows[] = {
        {"utm:29N", 500000, -4283604, "negative northing"},
        {"utm:29S", 500000, 10000001, "north of the equator"},
        {"nad83:Texas South Central", 600000, 1e8, "beyond the pole"},
        {"utm:29N", 1e11, 4000000, "outside the range"},
        {"utm:29N", 8e6, 4000000, "too far east or west"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Says);
        const ConversionRoute route(ParseSide(row.From, platform), DegreesSide(), grs80, platform);
        try {
            (void)route.Convert(row.X, row.Y);
            ADD_FAILURE() << "converted";
        } catch (const PointRangeError& error) {
            EXPECT_THAT(error.what(), HasSubstr(row.Says));
        }
    }
    // Longitude 180 has no value on zone 29's grid, 189 degrees from its meridian.
    const ConversionRoute forward(DegreesSide(), UtmSide(29, Hemisphere::North), wgs84, platform);
    EXPECT_THROW((void)forward.Convert(180.0, 38.0), PointRangeError);
}

TEST_F(Core, PointsBeyondTheAreaAreFlaggedWithTheirDistance)
{
    // Distances by hand: along the parallel from the nearest edge,
    // 111.195 km a degree times cos(latitude); 2 km covers the great circle.
    const struct {
        const char* To;
        double Lon, Lat;
        double Km;  // 0: inside
        const char* Direction;
    } rows[] = {
        {"utm:32N", -6.8, 4.9, 753.3, "west"},                  // 6.8 degrees west of 0 E
        {"utm:32N", 6.8, 4.9, 0, ""},
        {"utm:32N", 18.4, 4.9, 0, ""},                          // inside the half-degree margin
        {"nad83:Texas South Central", -81.5, 29.0, 1192.3, "east"},  // 12.26 degrees east of -93.76
        {"nad83:Texas South Central", -99.0, 29.5, 0, ""},
        {"nad27:Alaska zone 10", 179.0, 52.0, 0, ""},          // the Aleutians cross 180
        {"nad27:Alaska zone 10", 160.0, 52.0, 850.3, "west"},  // 12.42 degrees west of 172.42 E
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.To) + " " + std::to_string(row.Lon));
        const CoordinateSide side = ParseSide(row.To, platform);
        const auto area = SideArea(side, platform);
        ASSERT_TRUE(area);
        const auto miss = OutsideArea(*area, GeoPoint{row.Lon, row.Lat});
        ASSERT_EQ(miss.has_value(), row.Km > 0);
        if (!miss) continue;
        EXPECT_NEAR(miss->Kilometres, row.Km, 2.0);
        EXPECT_EQ(miss->Direction, row.Direction);
    }
}

TEST_F(Core, EllipsoidRuleIsOneForEveryFrontEnd)
{
    const CoordinateSide tx83 = ParseSide("nad83:Texas South Central", platform);
    const CoordinateSide tx27 = ParseSide("nad27:Texas South Central", platform);
    EXPECT_TRUE(EllipsoidFitsSide(tx83, "WGS 84"));  // 0.1 mm apart: passes for GRS 1980
    EXPECT_FALSE(EllipsoidFitsSide(tx27, "WGS 84"));
    EXPECT_EQ(EllipsoidNotice(tx27, "WGS 84").value_or(""),
              "Texas South Central (NAD27) is defined on Clarke 1866, not on WGS 84.");
    EXPECT_FALSE(EllipsoidNotice(UtmSide(14, Hemisphere::North), "Clarke 1866"));  // a UTM zone takes any

    // WGS 84 and NAD83 are one datum for the route, said once; NAD27 needs the shift.
    EXPECT_FALSE(NeedsDatumShift(ParseSide("EPSG:4326", platform), tx83));
    EXPECT_TRUE(TakesWgs84AsNad83(DegreesSide(), tx83));
    EXPECT_FALSE(TakesWgs84AsNad83(DegreesSide(), tx27));
    EXPECT_TRUE(NeedsDatumShift(ParseSide("geo:nad27", platform), tx83));
}

}  // namespace
}  // namespace kartoval::testing
