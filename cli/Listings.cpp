#include "cli/Listings.hpp"

#include "conversion/CoordinateSide.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/ZoneCodes.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/UtmZones.hpp"

#include <array>
#include <charconv>
#include <cmath>

namespace kartoval {
namespace {

constexpr int kWgs84NorthBlock = 32600;
constexpr int kWgs84SouthBlock = 32700;

const char* kindOf(const ZoneProjection& projection)
{
    if (std::holds_alternative<TmParams>(projection)) return "transverse Mercator";
    if (std::holds_alternative<LccParams>(projection)) return "Lambert conformal conic";
    return "oblique Mercator";
}

void listStatePlane(XyProjectionKind family, const Platform& platform, std::FILE* out)
{
    const bool nad27 = family == XyProjectionKind::Nad27;
    const std::vector<ZoneCode> codes = ReadZoneCodes(platform);
    for (const StatePlaneZone& zone : ReadStatePlaneZones(platform, family)) {
        // The EPSG code, then the State Plane zone code; "-" for one the zone lacks.
        const ZoneCode* line = FindByZoneName(codes, family, zone.Name);
        const std::string epsg = line == nullptr ? "-" : "EPSG:" + std::to_string(line->Code);
        const std::string spcs =
            line == nullptr || !line->StatePlaneCode ? "-" : StatePlaneCodeText(*line->StatePlaneCode);
        std::fprintf(out, "%s:\"%s\"\t%s\t%s\t%s, %s\n", nad27 ? "nad27" : "nad83", zone.Name.c_str(), epsg.c_str(),
                     spcs.c_str(), kindOf(zone.Projection), nad27 ? "US survey feet" : "metres");
    }
}

void listUtm(std::FILE* out)
{
    for (const bool north : {true, false}) {
        for (int zone = 1; zone <= kUtmZoneCount; ++zone) {
            const int meridian = static_cast<int>(UtmCentralMeridian(zone - 1));
            std::fprintf(out, "utm:%d%c\tEPSG:%d\tcentral meridian %d%c\n", zone, north ? 'N' : 'S',
                         (north ? kWgs84NorthBlock : kWgs84SouthBlock) + zone, std::abs(meridian),
                         meridian < 0 ? 'W' : 'E');
        }
    }
}

}  // namespace

void ListZones(const std::string& what, const Platform& platform, std::FILE* out)
{
    if (what.empty() || what == "utm") listUtm(out);
    if (what.empty() || what == "nad27") listStatePlane(XyProjectionKind::Nad27, platform, out);
    if (what.empty() || what == "nad83") listStatePlane(XyProjectionKind::Nad83, platform, out);
}

void ListEllipsoidTable(const Platform& platform, std::FILE* out)
{
    for (const Ellipsoid& ellipsoid : ReadEllipsoids(platform)) {
        // Shortest texts that read back as the same numbers, as the table holds them.
        std::array<char, 64> axis{};
        std::array<char, 64> inverse{};
        *std::to_chars(axis.data(), axis.data() + axis.size() - 1, ellipsoid.SemiMajorAxis).ptr = '\0';
        *std::to_chars(inverse.data(), inverse.data() + inverse.size() - 1, ellipsoid.InverseFlattening).ptr = '\0';
        std::fprintf(out, "%s\t%s\t%s\n", ellipsoid.Name.c_str(), axis.data(), inverse.data());
    }
}

}  // namespace kartoval
