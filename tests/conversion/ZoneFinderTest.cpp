// The zone finder against the published UTM zone rule (6-degree bands from
// 180W; 32V widened to 3E; 31X/33X/35X/37X over 0E..42E) and the EPSG
// areas of use in zone_areas.txt.

#include "conversion/ConversionRoute.hpp"
#include "conversion/SideProjection.hpp"
#include "conversion/ZoneFinder.hpp"
#include "support/Fakes.hpp"

#include <gtest/gtest.h>

namespace kartoval::testing {
namespace {

class Finder : public ::testing::Test {
protected:
    FakeMessages messages;
    Platform platform{messages, KARTOVAL_DATA_DIR, '.'};
    Ellipsoid grs80 = *FindEllipsoid(ReadEllipsoids(platform), "GRS 1980");

    std::vector<std::string> names(const std::vector<FoundZone>& zones)
    {
        std::vector<std::string> out;
        for (const FoundZone& zone : zones) out.push_back(zone.Side.Label);
        return out;
    }
};

TEST_F(Finder, UtmZoneByTheRule)
{
    const struct {
        double Lat, Lon;
        const char* Zone;  // "" for none
    } rows[] = {
        {0.0, -180.0, "UTM zone 1N"},  {-0.1, 179.9, "UTM zone 60S"}, {10.0, 180.0, "UTM zone 60N"},
        {45.0, 5.999, "UTM zone 31N"}, {45.0, 6.0, "UTM zone 32N"},
        {60.0, 3.0, "UTM zone 32N"},   {60.0, 2.999, "UTM zone 31N"}, {60.0, 6.0, "UTM zone 32N"},  // Norway
        {64.0, 3.0, "UTM zone 31N"},   {55.999, 3.0, "UTM zone 31N"}, {60.0, 11.999, "UTM zone 32N"},
        {75.0, 8.999, "UTM zone 31N"}, {75.0, 9.0, "UTM zone 33N"},   {78.0, 20.9, "UTM zone 33N"},  // Svalbard
        {78.0, 21.0, "UTM zone 35N"},  {80.0, 33.0, "UTM zone 37N"},  {80.0, 42.0, "UTM zone 38N"},
        {71.999, 9.0, "UTM zone 32N"}, {84.0, 15.0, "UTM zone 33N"},  {-80.0, 0.0, "UTM zone 31S"},
        {84.001, 15.0, ""},            {-80.001, 0.0, ""},            {10.0, 180.001, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.Lat) + " " + std::to_string(row.Lon));
        const auto zone = StandardUtmZone(row.Lat, row.Lon);
        EXPECT_EQ(zone ? zone->Label : "", row.Zone);
    }
}

TEST_F(Finder, StatePlaneAreasNearestCentreFirst)
{
    const struct {
        XyProjectionKind Family;
        GeoPoint Point;
        std::vector<std::string> Zones;
    } rows[] = {
        // Austin lies in two EPSG extents; South Central's centre (29.2N 99.4W) is nearer than Central's.
        {XyProjectionKind::Nad83, {-97.74, 30.27}, {"NAD83 Texas South Central", "NAD83 Texas Central"}},
        {XyProjectionKind::Nad27, {-95.37, 29.76}, {"NAD27 Texas South Central"}},
        {XyProjectionKind::Nad83, {-40.0, 40.0}, {}},  // mid-Atlantic
    };
    for (const auto& row : rows) {
        EXPECT_EQ(names(StatePlaneZonesAt(row.Family, row.Point, platform)), row.Zones);
    }
}

TEST_F(Finder, GridValuesBackToTheirZones)
{
    // Houston in NAD83 Texas South Central (EPSG:32140), from the route; only
    // that zone's area holds the degrees these metres give.
    const CoordinateSide zone = ParseSide("EPSG:32140", platform);
    const PointResult houston = ConversionRoute(DegreesSide(), zone, grs80, platform).Convert(-95.37, 29.76);
    EXPECT_EQ(names(ZonesForGridValues(XyProjectionKind::Nad83, houston.X, houston.Y, grs80, platform)),
              std::vector<std::string>{"NAD83 Texas South Central"});
    // 3E at 60N in zone 32 (Norway's widened zone) and nowhere else.
    const PointResult bergen = ConversionRoute(DegreesSide(), UtmSide(32, Hemisphere::North), grs80, platform)
                                   .Convert(3.5, 60.0);
    EXPECT_EQ(names(ZonesForGridValues(XyProjectionKind::UtmNorth, bergen.X, bergen.Y, grs80, platform)),
              std::vector<std::string>{"UTM zone 32N"});
    EXPECT_TRUE(ZonesForGridValues(XyProjectionKind::Nad83, 1e9, 1e9, grs80, platform).empty());
}

}  // namespace
}  // namespace kartoval::testing
