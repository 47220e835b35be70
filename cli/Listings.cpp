#include "cli/Listings.hpp"

#include "cli/Crs.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/UtmZones.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>

namespace kartoval {
namespace {

constexpr int kWgs84NorthBlock = 32600;
constexpr int kWgs84SouthBlock = 32700;

// Zone name to EPSG code, for one table.
std::map<std::string, int> codesOf(const char* table, const Platform& platform)
{
    std::map<std::string, int> codes;
    for (const ZoneCode& line : ReadZoneCodes(platform)) {
        if (line.Table == table) codes[line.Name] = line.Code;
    }
    return codes;
}

const char* kindOf(const ZoneProjection& projection)
{
    if (std::holds_alternative<TmParams>(projection)) return "transverse Mercator";
    if (std::holds_alternative<LccParams>(projection)) return "Lambert conformal conic";
    return "oblique Mercator";
}

void listStatePlane(XyProjectionKind family, const Platform& platform, std::FILE* out)
{
    const bool nad27 = family == XyProjectionKind::Nad27;
    const auto codes = codesOf(nad27 ? kNad27FileName : kNad83FileName, platform);
    for (const StatePlaneZone& zone : ReadStatePlaneZones(platform, family)) {
        const auto code = codes.find(zone.Name);
        std::fprintf(out, "%s:\"%s\"\t%s\t%s, %s\n", nad27 ? "nad27" : "nad83", zone.Name.c_str(),
                     code == codes.end() ? "-" : ("EPSG:" + std::to_string(code->second)).c_str(), kindOf(zone.Projection),
                     nad27 ? "US survey feet" : "metres");
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
