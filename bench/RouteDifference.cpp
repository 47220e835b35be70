// Every number through the conversion core against the projection objects
// called bare, as the pages called them before the core: over every UTM zone
// of both hemispheres and every TM and Lambert zone of the shipped tables,
// 2000 random points a zone inside its area, forward and back, counting the
// values that differ in any bit. The core adds guards, never arithmetic: the
// count must be 0.
//
//   kartoval_route_difference <data folder>

#include "conversion/ConversionRoute.hpp"
#include "conversion/SideProjection.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "toolkit/Controls.hpp"

#include <cstdio>
#include <random>
#include <string>
#include <variant>

namespace {

using namespace kartoval;

class NoMessages : public MessageBoxes {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

constexpr int kPointsPerZone = 2000;

struct Count {
    long Values = 0;
    long Different = 0;
    long Zones = 0;
};

void compareZone(const CoordinateSide& zone, const Ellipsoid& ellipsoid, const Platform& platform, std::mt19937_64& random,
                 Count& count)
{
    const auto area = SideArea(zone, platform);
    if (!area || area->West > area->East) return;  // no area, or across 180: the bare objects take the same points
    const GridProjection bare = *BuildProjection(zone, ellipsoid);
    const ConversionRoute forward(DegreesSide(), zone, ellipsoid, platform);
    const ConversionRoute inverse(zone, DegreesSide(), ellipsoid, platform);
    std::uniform_real_distribution<double> lat(area->South, area->North);
    std::uniform_real_distribution<double> lon(area->West, area->East);
    ++count.Zones;
    for (int k = 0; k < kPointsPerZone; ++k) {
        const double longitude = lon(random);
        const double latitude = lat(random);
        const GridPoint grid = bare.Forward(longitude, latitude);
        const PointResult there = forward.Convert(longitude, latitude);
        const GeoPoint degrees = bare.Inverse(grid.Easting, grid.Northing);
        const PointResult back = inverse.Convert(grid.Easting, grid.Northing);
        count.Values += 4;
        count.Different += (there.X != grid.Easting) + (there.Y != grid.Northing) +
                           (back.X != degrees.Longitude) + (back.Y != degrees.Latitude);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kartoval_route_difference <data folder>\n");
        return 2;
    }
    NoMessages messages;
    const Platform platform{messages, argv[1], '.'};
    std::mt19937_64 random(20261207);
    const auto table = ReadEllipsoids(platform);
    Count count;
    for (const Hemisphere hemisphere : {Hemisphere::North, Hemisphere::South}) {
        for (int zone = 1; zone <= kUtmZoneCount; ++zone) {
            compareZone(UtmSide(zone, hemisphere), *FindEllipsoid(table, "WGS 84"), platform, random, count);
        }
    }
    for (const XyProjectionKind family : {XyProjectionKind::Nad27, XyProjectionKind::Nad83}) {
        for (StatePlaneZone& zone : ReadStatePlaneZones(platform, family)) {
            const CoordinateSide side = StatePlaneSide(family, std::move(zone));
            compareZone(side, *FindEllipsoid(table, *side.DatumEllipsoid), platform, random, count);
        }
    }
    std::printf("%ld zones, %ld values: %ld differ in any bit from the bare projection objects\n", count.Zones,
                count.Values, count.Different);
    return count.Different == 0 ? 0 : 1;
}
