#include "conversion/ZoneArea.hpp"

#include "geodesy/Angles.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"
#include "toolkit/VisibleText.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <mutex>
#include <numbers>

namespace kartoval {
namespace {

constexpr double kEarthRadiusKm = 6371.0088;  // mean radius: the distance only says how far, not where
constexpr double kDegree = std::numbers::pi / 180.0;

// Longitudes measured from an area's west edge, eastwards (0..360), so a box
// across the 180th meridian needs no case of its own.
double widthOf(const ZoneArea& area)
{
    return area.West <= area.East ? area.East - area.West : area.East - area.West + 360.0;
}

double eastOfWestEdge(const ZoneArea& area, double longitude)
{
    const double fromWest = std::fmod(longitude - area.West, 360.0);
    return fromWest < 0 ? fromWest + 360.0 : fromWest;
}

// Longitude difference a - b in (-180, 180].
// The area table of a data folder, read once per process.
const std::map<int, ZoneArea>& areasOf(const Platform& platform)
{
    const std::filesystem::path path = platform.DataFile(kZoneAreasFileName);
    static std::mutex guard;
    static std::map<std::filesystem::path, std::map<int, ZoneArea>> cache;
    const std::lock_guard lock(guard);
    const auto found = cache.find(path);
    if (found != cache.end()) return found->second;
    return cache.emplace(path, ReadZoneAreas(platform)).first->second;
}

const std::vector<ZoneCode>& codesOf(const Platform& platform)
{
    static std::mutex guard;
    static std::map<std::filesystem::path, std::vector<ZoneCode>> cache;
    const std::lock_guard lock(guard);
    const std::filesystem::path key = platform.DataFile(kZoneCodesFileName);
    const auto found = cache.find(key);
    if (found != cache.end()) return found->second;
    return cache.emplace(key, ReadZoneCodes(platform)).first->second;
}

std::string thousands(long long value)
{
    const std::string digits = std::to_string(value);
    std::string text;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        if (k > 0 && (digits.size() - k) % 3 == 0) text += ',';
        text += digits[k];
    }
    return text;
}

}  // namespace

std::optional<ZoneArea> SideArea(const CoordinateSide& side, const Platform& platform)
{
    switch (side.Kind) {
    case SideKind::Degrees:
        return std::nullopt;
    case SideKind::Utm: {
        const double meridian = UtmCentralMeridian(side.UtmZoneNumber - 1);
        const bool north = side.UtmHemisphere == Hemisphere::North;
        return ZoneArea{north ? 0.0 : kUtmSouthmostLatitude, north ? kUtmNorthmostLatitude : 0.0,
                        NormalizeLongitude(meridian - kUtmAreaHalfWidthDegrees),
                        NormalizeLongitude(meridian + kUtmAreaHalfWidthDegrees)};
    }
    case SideKind::StatePlane: {
        // A data folder without the zone code table (an older install, a
        // test's own tables) has no areas to check against. With it, the area
        // table must be there and name every coded zone: a guard that went
        // quiet for a lost or cut-short table would pass wrong points unseen.
        std::error_code error;
        if (!std::filesystem::exists(platform.DataFile(kZoneCodesFileName), error)) return std::nullopt;
        const auto code = ZoneEpsgCode(side, codesOf(platform));
        if (!code) return std::nullopt;  // a zone of the user's own, with no code
        const auto& areas = areasOf(platform);
        const auto found = areas.find(*code);
        if (found == areas.end()) {
            throw CommandError(VisibleText(platform.DataFile(kZoneAreasFileName).string()) + " has no area for EPSG:" +
                                   std::to_string(*code) + " (" + side.Label + "); reinstall Kartoval to restore it.",
                               kFileErrorCaption);
        }
        return found->second;
    }
    }
    return std::nullopt;
}

std::optional<AreaMiss> OutsideArea(const ZoneArea& area, const GeoPoint& point)
{
    const double width = widthOf(area);
    const double fromWest = eastOfWestEdge(area, point.Longitude);
    // West of the box is the shorter way round when closer to its west edge.
    double lonBeyond = 0.0;  // degrees beyond the box, negative west
    if (fromWest > width) {
        const double east = fromWest - width;
        const double west = 360.0 - fromWest;
        lonBeyond = east <= west ? east : -west;
    }
    double latBeyond = 0.0;
    if (point.Latitude > area.North) latBeyond = point.Latitude - area.North;
    if (point.Latitude < area.South) latBeyond = point.Latitude - area.South;
    if (std::abs(lonBeyond) <= kAreaMarginDegrees && std::abs(latBeyond) <= kAreaMarginDegrees) return std::nullopt;

    // The nearest point of the box, then the great circle to it.
    const GeoPoint nearest{point.Longitude - lonBeyond, std::clamp(point.Latitude, area.South, area.North)};
    AreaMiss miss;
    miss.Kilometres = GreatCircleKm(point, nearest);
    std::string direction;
    if (latBeyond > 0) direction = "north";
    if (latBeyond < 0) direction = "south";
    if (lonBeyond != 0.0) direction += std::string(direction.empty() ? "" : "-") + (lonBeyond > 0 ? "east" : "west");
    miss.Direction = direction;
    return miss;
}

std::string AreaMissText(const AreaMiss& miss, const std::string& zoneLabel)
{
    // Appended piece by piece: GCC 12's -O2 sees a false overlap in a chain
    // of + on temporaries (-Werror=restrict).
    std::string text = thousands(std::llround(miss.Kilometres));
    text += " km ";
    text += miss.Direction;
    text += " of the area of ";
    text += zoneLabel;
    return text;
}

}  // namespace kartoval

namespace kartoval {

bool InsideArea(const ZoneArea& area, const GeoPoint& point)
{
    return point.Latitude >= area.South && point.Latitude <= area.North &&
           eastOfWestEdge(area, point.Longitude) <= widthOf(area);
}

GeoPoint AreaCentre(const ZoneArea& area)
{
    double longitude = area.West + widthOf(area) / 2;
    if (longitude > 180.0) longitude -= 360.0;
    return {longitude, (area.South + area.North) / 2};
}

double GreatCircleKm(const GeoPoint& a, const GeoPoint& b)
{
    const double h = std::pow(std::sin((a.Latitude - b.Latitude) * kDegree / 2), 2) +
                     std::cos(a.Latitude * kDegree) * std::cos(b.Latitude * kDegree) *
                         std::pow(std::sin((a.Longitude - b.Longitude) * kDegree / 2), 2);
    return 2 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

bool WithinSomeZoneArea(const GeoPoint& point, const Platform& platform)
{
    const std::map<int, ZoneArea>& areas = areasOf(platform);
    return std::any_of(areas.begin(), areas.end(), [&](const auto& entry) { return !OutsideArea(entry.second, point); });
}

}  // namespace kartoval
