#include "conversion/ZoneFinder.hpp"

#include "conversion/ConversionRoute.hpp"
#include "conversion/ZoneArea.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/UtmZones.hpp"
#include "refdata/ZoneAreas.hpp"
#include "refdata/ZoneCodes.hpp"
#include "toolkit/Errors.hpp"

#include <algorithm>
#include <cmath>

namespace kartoval {
namespace {

// Each State Plane zone of the family with its area, in list order; zones
// without a code or area are left out (they have no area to hold a point).
struct AreaZone {
    FoundZone Zone;
    ZoneArea Area;
};

std::vector<AreaZone> statePlaneAreas(XyProjectionKind family, const Platform& platform)
{
    std::vector<AreaZone> zones;
    const std::vector<StatePlaneZone> table = ReadStatePlaneZones(platform, family);
    std::error_code error;
    if (!std::filesystem::exists(platform.DataFile(kZoneCodesFileName), error)) return zones;
    for (std::size_t k = 0; k < table.size(); ++k) {
        CoordinateSide side = StatePlaneSide(family, table[k]);
        const auto area = SideArea(side, platform);
        if (!area) continue;
        zones.push_back({FoundZone{std::move(side), static_cast<int>(k), 0.0}, *area});
    }
    return zones;
}

void nearestFirst(std::vector<FoundZone>& zones)
{
    std::stable_sort(zones.begin(), zones.end(),
                     [](const FoundZone& a, const FoundZone& b) { return a.CentreKilometres < b.CentreKilometres; });
}

}  // namespace

std::optional<CoordinateSide> StandardUtmZone(double latitude, double longitude)
{
    if (!(latitude >= kUtmSouthmostLatitude && latitude <= kUtmNorthmostLatitude)) return std::nullopt;
    if (!(longitude >= -180.0 && longitude <= 180.0)) return std::nullopt;
    int zone = std::min(static_cast<int>(std::floor((longitude + 180.0) / 6.0)) + 1, kUtmZoneCount);
    if (latitude >= 56.0 && latitude < 64.0 && longitude >= 3.0 && longitude < 12.0) zone = 32;
    if (latitude >= 72.0 && longitude >= 0.0 && longitude < 42.0) {
        // Zones 32, 34 and 36 give way to their odd neighbours, each widened by 3 degrees.
        if (longitude < 9.0) {
            zone = 31;
        } else if (longitude < 21.0) {
            zone = 33;
        } else if (longitude < 33.0) {
            zone = 35;
        } else {
            zone = 37;
        }
    }
    return UtmSide(zone, latitude >= 0.0 ? Hemisphere::North : Hemisphere::South);
}

std::vector<FoundZone> StatePlaneZonesAt(XyProjectionKind family, const GeoPoint& point, const Platform& platform)
{
    std::vector<FoundZone> found;
    if (IsUtm(family)) return found;
    for (AreaZone& zone : statePlaneAreas(family, platform)) {
        if (!InsideArea(zone.Area, point)) continue;
        zone.Zone.CentreKilometres = GreatCircleKm(point, AreaCentre(zone.Area));
        found.push_back(std::move(zone.Zone));
    }
    nearestFirst(found);
    return found;
}

std::vector<FoundZone> ZonesForGridValues(XyProjectionKind family, double x, double y, const Ellipsoid& ellipsoid,
                                          const Platform& platform)
{
    std::vector<FoundZone> found;
    const auto degreesOf = [&](const CoordinateSide& side) -> std::optional<GeoPoint> {
        try {
            const PointResult point = ConversionRoute(side, DegreesSide(), ellipsoid, platform).Convert(x, y);
            return GeoPoint{point.X, point.Y};
        } catch (const PointRangeError&) {
            return std::nullopt;  // no place on the Earth for this zone
        }
    };
    if (IsUtm(family)) {
        const Hemisphere hemisphere = family == XyProjectionKind::UtmNorth ? Hemisphere::North : Hemisphere::South;
        for (int zone = 1; zone <= kUtmZoneCount; ++zone) {
            CoordinateSide side = UtmSide(zone, hemisphere);
            const auto degrees = degreesOf(side);
            if (!degrees) continue;
            const auto standard = StandardUtmZone(degrees->Latitude, degrees->Longitude);
            if (!standard || standard->UtmZoneNumber != zone || standard->UtmHemisphere != hemisphere) continue;
            const double meridian = UtmCentralMeridian(zone - 1);
            const double km = GreatCircleKm(*degrees, {meridian, degrees->Latitude});
            found.push_back({std::move(side), zone - 1, km});
        }
    } else {
        for (AreaZone& zone : statePlaneAreas(family, platform)) {
            const auto degrees = degreesOf(zone.Zone.Side);
            if (!degrees || !InsideArea(zone.Area, *degrees)) continue;
            zone.Zone.CentreKilometres = GreatCircleKm(*degrees, AreaCentre(zone.Area));
            found.push_back(std::move(zone.Zone));
        }
    }
    nearestFirst(found);
    return found;
}

std::string EpsgStyleName(const CoordinateSide& side)
{
    switch (side.Kind) {
    case SideKind::Degrees: return side.Label;
    case SideKind::Utm: {
        const std::string zone = "UTM zone " + std::to_string(side.UtmZoneNumber) +
                                 (side.UtmHemisphere == Hemisphere::North ? "N" : "S");
        return (side.Datum ? std::string(DatumName(*side.Datum)) : std::string("WGS 84")) + " / " + zone;
    }
    case SideKind::StatePlane:
        return std::string(side.Family == XyProjectionKind::Nad27 ? "NAD27" : "NAD83") + " / " +
               (side.Zone ? side.Zone->Name : side.Label);
    }
    return side.Label;
}

std::optional<int> SideEpsgCode(const CoordinateSide& side, const Platform& platform)
{
    if (side.Kind == SideKind::Utm) {
        if (side.Datum && *side.Datum != GeodeticDatum::Wgs84) return std::nullopt;
        return (side.UtmHemisphere == Hemisphere::North ? 32600 : 32700) + side.UtmZoneNumber;
    }
    if (side.Kind != SideKind::StatePlane) return std::nullopt;
    std::error_code error;
    if (!std::filesystem::exists(platform.DataFile(kZoneCodesFileName), error)) return std::nullopt;
    return ZoneEpsgCode(side, ReadZoneCodes(platform));
}

AutoUtmRoute::AutoUtmRoute(ConversionRoute degrees, Builder build, std::optional<GeodeticDatum> datum)
    : degrees_(std::move(degrees)), build_(std::move(build)), datum_(datum)
{
}

const ConversionRoute& AutoUtmRoute::RouteFor(double x, double y) const
{
    const GeoPoint degrees = degrees_.Convert(x, y).Degrees;
    const auto zone = StandardUtmZone(degrees.Latitude, degrees.Longitude);
    if (!zone) {
        throw PointRangeError(std::string("the point lies ") + (degrees.Latitude > 0 ? "north of 84N" : "south of 80S") +
                              ", beyond every UTM zone: utm:auto has no zone for it");
    }
    const int key = zone->UtmHemisphere == Hemisphere::North ? zone->UtmZoneNumber : -zone->UtmZoneNumber;
    auto& route = zones_[key];
    if (!route) route = std::make_unique<ConversionRoute>(build_(UtmSide(zone->UtmZoneNumber, zone->UtmHemisphere, datum_)));
    return *route;
}

std::string UtmZoneText(const CoordinateSide& side)
{
    return std::to_string(side.UtmZoneNumber) + (side.UtmHemisphere == Hemisphere::North ? "N" : "S");
}

}  // namespace kartoval
