#include "cli/Crs.hpp"

#include "cli/Arguments.hpp"
#include "cli/CloseMatch.hpp"
#include "refdata/UtmZones.hpp"
#include "refdata/ZoneDatum.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>

namespace kartoval {
namespace {

constexpr const char* kWgs84 = "WGS 84";
constexpr const char* kGrs1980 = "GRS 1980";
constexpr const char* kClarke1866 = "Clarke 1866";
constexpr int kZonesPerBlock = 100;  // EPSG UTM codes: block x 100 + zone

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string unquoted(std::string text)
{
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

const char* familyName(XyProjectionKind family) { return family == XyProjectionKind::Nad27 ? "NAD27" : "NAD83"; }
const char* familyPrefix(XyProjectionKind family) { return family == XyProjectionKind::Nad27 ? "nad27" : "nad83"; }

CrsChoice utm(int zone, Hemisphere hemisphere, const char* ellipsoid)
{
    CrsChoice choice;
    choice.Label = "UTM zone " + std::to_string(zone) + (hemisphere == Hemisphere::North ? "N" : "S");
    choice.Zone = UtmZone(zone - 1, hemisphere);
    choice.Utm = true;
    if (ellipsoid != nullptr) choice.DatumEllipsoid = ellipsoid;
    return choice;
}

CrsChoice geographic(const char* ellipsoid)
{
    CrsChoice choice;
    choice.Label = "degrees";
    if (ellipsoid != nullptr) choice.DatumEllipsoid = ellipsoid;
    return choice;
}

CrsChoice statePlane(XyProjectionKind family, const std::string& typed, const Platform& platform)
{
    const std::vector<StatePlaneZone> zones = ReadStatePlaneZones(platform, family);
    const auto found = std::find_if(zones.begin(), zones.end(),
                                    [&](const StatePlaneZone& zone) { return sameName(zone.Name, typed); });
    if (found == zones.end()) {
        std::vector<std::string> names;
        for (const StatePlaneZone& zone : zones) names.push_back(zone.Name);
        throw UsageError(std::string("unknown ") + familyName(family) + " zone '" + typed + "';" +
                         (CloseMatches(typed, names).empty()
                              ? std::string(" see --list-zones ") + familyPrefix(family)
                              : DidYouMean(CloseMatches(typed, names))));
    }
    CrsChoice choice;
    choice.Label = std::string(familyName(family)) + " " + found->Name;
    choice.Unit = found->Unit;
    if (const auto* tm = std::get_if<TmParams>(&found->Projection)) choice.Zone = *tm;
    else if (const auto* lcc = std::get_if<LccParams>(&found->Projection)) choice.Zone = *lcc;
    else throw UsageError(choice.Label + " is an oblique Mercator zone, which Kartoval lists but does not convert");
    if (const auto ellipsoid = DatumEllipsoidName(family, found->Name)) choice.DatumEllipsoid = std::string(*ellipsoid);
    return choice;
}

// The State Plane zone of an EPSG code, from the generated code table.
std::optional<CrsChoice> zoneOfCode(int code, const Platform& platform)
{
    std::ifstream file(platform.DataFile(kZoneCodesFileName));
    if (!file) {
        throw CommandError("Can't find the zone code table " + platform.DataFile(kZoneCodesFileName).string(),
                           kFileErrorCaption);
    }
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t first = line.find('\t');
        const std::size_t second = line.find('\t', first + 1);
        if (first == std::string::npos || second == std::string::npos) continue;
        int lineCode = 0;
        const auto [end, error] = std::from_chars(line.data(), line.data() + first, lineCode);
        if (error != std::errc() || end != line.data() + first || lineCode != code) continue;
        const std::string table = line.substr(first + 1, second - first - 1);
        const XyProjectionKind family = table == kNad27FileName ? XyProjectionKind::Nad27 : XyProjectionKind::Nad83;
        return statePlane(family, line.substr(second + 1), platform);
    }
    return std::nullopt;
}

CrsChoice epsg(const std::string& digits, const std::string& text, const Platform& platform)
{
    int code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        throw UsageError("'" + text + "' is no EPSG code: EPSG:32629, say");
    }
    switch (code) {
    case 4326: return geographic(kWgs84);
    case 4267: return geographic(kClarke1866);
    case 4269: return geographic(kGrs1980);
    default: break;
    }
    const int block = code / kZonesPerBlock;
    const int zone = code % kZonesPerBlock;
    struct UtmBlock {
        int Block;
        int LastZone;
        Hemisphere Side;
        const char* Ellipsoid;
    };
    // WGS 84 north and south, ETRS89, NAD27, NAD83.
    constexpr UtmBlock kBlocks[] = {{326, kUtmZoneCount, Hemisphere::North, kWgs84},
                                    {327, kUtmZoneCount, Hemisphere::South, kWgs84},
                                    {258, kUtmZoneCount, Hemisphere::North, kGrs1980},
                                    {267, 22, Hemisphere::North, kClarke1866},
                                    {269, 23, Hemisphere::North, kGrs1980}};
    for (const UtmBlock& b : kBlocks) {
        if (block == b.Block && zone >= 1 && zone <= b.LastZone) return utm(zone, b.Side, b.Ellipsoid);
    }
    if (auto choice = zoneOfCode(code, platform)) return *choice;
    throw UsageError("EPSG:" + std::to_string(code) +
                     " is none of the systems Kartoval converts (UTM, the State Plane zones of the tables, 4326, "
                     "4267, 4269); see --list-zones");
}

}  // namespace

CrsChoice ResolveCrs(const std::string& text, const Platform& platform)
{
    const std::size_t colon = text.find(':');
    const std::string kind = lower(text.substr(0, colon));
    const std::string rest = colon == std::string::npos ? std::string() : unquoted(text.substr(colon + 1));
    if (colon == std::string::npos && kind == "geo") return geographic(nullptr);
    if (colon != std::string::npos) {
        if (kind == "utm") {
            int zone = 0;
            const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), zone);
            const std::string hemisphere = lower(std::string(end, rest.data() + rest.size()));
            if (error == std::errc() && zone >= 1 && zone <= kUtmZoneCount && (hemisphere == "n" || hemisphere == "s")) {
                return utm(zone, hemisphere == "n" ? Hemisphere::North : Hemisphere::South, kWgs84);
            }
            throw UsageError("'" + text + "' is no UTM zone: a zone 1 to 60 and N or S, as utm:29N or utm:17S");
        }
        if (kind == "nad27") return statePlane(XyProjectionKind::Nad27, rest, platform);
        if (kind == "nad83") return statePlane(XyProjectionKind::Nad83, rest, platform);
        if (kind == "epsg") return epsg(rest, text, platform);
    }
    throw UsageError("unknown coordinate system '" + text +
                     "': geo, utm:29N, nad27:\"Zone name\", nad83:\"Zone name\" or EPSG:code" +
                     DidYouMean(CloseMatches(kind, {"geo", "utm", "nad27", "nad83", "epsg"})));
}

}  // namespace kartoval
