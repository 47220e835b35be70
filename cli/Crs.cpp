#include "cli/Crs.hpp"

#include "cli/Arguments.hpp"
#include "cli/CloseMatch.hpp"
#include "refdata/UtmZones.hpp"
#include "refdata/ZoneDatum.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>

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

CrsChoice utm(int zone, Hemisphere hemisphere, const char* ellipsoid,
              std::optional<GeodeticDatum> datum = std::nullopt)
{
    CrsChoice choice;
    choice.Label = "UTM zone " + std::to_string(zone) + (hemisphere == Hemisphere::North ? "N" : "S");
    choice.Zone = UtmZone(zone - 1, hemisphere);
    choice.Utm = true;
    if (ellipsoid != nullptr) choice.DatumEllipsoid = ellipsoid;
    choice.Datum = datum;
    if (datum) choice.Label = std::string(DatumName(*datum)) + " " + choice.Label;
    return choice;
}

CrsChoice geographic(const char* ellipsoid, std::optional<GeodeticDatum> datum = std::nullopt)
{
    CrsChoice choice;
    choice.Label = datum ? std::string(DatumName(*datum)) + " degrees" : "degrees";
    if (ellipsoid != nullptr) choice.DatumEllipsoid = ellipsoid;
    choice.Datum = datum;
    return choice;
}

// The datum suffix of geo:nad27 and utm:14N:nad83.
std::optional<GeodeticDatum> datumSuffix(const std::string& text, const std::string& whole)
{
    if (text == "nad27") return GeodeticDatum::Nad27;
    if (text == "nad83") return GeodeticDatum::Nad83;
    throw UsageError("'" + whole + "': the datum after the colon is nad27 or nad83, not '" + text + "'" +
                     DidYouMean(CloseMatches(text, {"nad27", "nad83"})));
}

const char* datumEllipsoid(GeodeticDatum datum) { return datum == GeodeticDatum::Nad83 ? kGrs1980 : kClarke1866; }

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
    choice.Datum = ZoneDatum(family, found->Name);
    return choice;
}

// The State Plane zone of an EPSG code, from the generated code table.
std::optional<CrsChoice> zoneOfCode(int code, const Platform& platform)
{
    for (const ZoneCode& line : ReadZoneCodes(platform)) {
        if (line.Code != code) continue;
        const XyProjectionKind family = line.Table == kNad27FileName ? XyProjectionKind::Nad27 : XyProjectionKind::Nad83;
        return statePlane(family, line.Name, platform);
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
    for (const GeodeticDatum datum : {GeodeticDatum::Wgs84, GeodeticDatum::Nad27, GeodeticDatum::Nad83,
                                      GeodeticDatum::OldHawaiian, GeodeticDatum::PuertoRico, GeodeticDatum::StLawrence,
                                      GeodeticDatum::StPaul, GeodeticDatum::StGeorge}) {
        if (code == DatumGeographicCode(datum)) {
            return geographic(std::string(DatumEllipsoidName(datum)).c_str(), datum);
        }
    }
    const int block = code / kZonesPerBlock;
    const int zone = code % kZonesPerBlock;
    struct UtmBlock {
        int Block;
        int LastZone;
        Hemisphere Side;
        const char* Ellipsoid;
        std::optional<GeodeticDatum> Datum;
    };
    // WGS 84 north and south, ETRS89, NAD27, NAD83.
    const UtmBlock kBlocks[] = {{326, kUtmZoneCount, Hemisphere::North, kWgs84, GeodeticDatum::Wgs84},
                                {327, kUtmZoneCount, Hemisphere::South, kWgs84, GeodeticDatum::Wgs84},
                                {258, kUtmZoneCount, Hemisphere::North, kGrs1980, std::nullopt},
                                {267, 22, Hemisphere::North, kClarke1866, GeodeticDatum::Nad27},
                                {269, 23, Hemisphere::North, kGrs1980, GeodeticDatum::Nad83}};
    for (const UtmBlock& b : kBlocks) {
        if (block == b.Block && zone >= 1 && zone <= b.LastZone) return utm(zone, b.Side, b.Ellipsoid, b.Datum);
    }
    if (auto choice = zoneOfCode(code, platform)) return *choice;
    throw UsageError("EPSG:" + std::to_string(code) +
                     " is none of the systems Kartoval converts (UTM, the State Plane zones of the tables, 4326, "
                     "4267, 4269, 4135, 4136, 4137, 4138, 4139); see --list-zones");
}

}  // namespace

CrsChoice ResolveCrs(const std::string& text, const Platform& platform)
{
    const std::size_t colon = text.find(':');
    const std::string kind = lower(text.substr(0, colon));
    const std::string rest = colon == std::string::npos ? std::string() : unquoted(text.substr(colon + 1));
    if (colon == std::string::npos && kind == "geo") return geographic(nullptr);
    if (colon != std::string::npos) {
        if (kind == "geo") {
            const GeodeticDatum datum = *datumSuffix(lower(rest), text);
            return geographic(datumEllipsoid(datum), datum);
        }
        if (kind == "utm") {
            const std::size_t second = rest.find(':');
            const std::string zoneText = rest.substr(0, second);
            const std::optional<GeodeticDatum> datum =
                second == std::string::npos ? std::nullopt : datumSuffix(lower(rest.substr(second + 1)), text);
            int zone = 0;
            const auto [end, error] = std::from_chars(zoneText.data(), zoneText.data() + zoneText.size(), zone);
            const std::string hemisphere = lower(std::string(end, zoneText.data() + zoneText.size()));
            if (error == std::errc() && zone >= 1 && zone <= kUtmZoneCount && (hemisphere == "n" || hemisphere == "s")) {
                return utm(zone, hemisphere == "n" ? Hemisphere::North : Hemisphere::South,
                           datum ? datumEllipsoid(*datum) : kWgs84, datum);
            }
            throw UsageError("'" + text + "' is no UTM zone: a zone 1 to 60 and N or S, as utm:29N or utm:17S, "
                             "and a datum if it matters, as utm:14N:nad27");
        }
        if (kind == "nad27") return statePlane(XyProjectionKind::Nad27, rest, platform);
        if (kind == "nad83") return statePlane(XyProjectionKind::Nad83, rest, platform);
        if (kind == "epsg") return epsg(rest, text, platform);
    }
    throw UsageError("unknown coordinate system '" + text +
                     "': geo, geo:nad27, geo:nad83, utm:29N, utm:14N:nad27, nad27:\"Zone name\", nad83:\"Zone name\" "
                     "or EPSG:code" +
                     DidYouMean(CloseMatches(kind, {"geo", "utm", "nad27", "nad83", "epsg"})));
}

}  // namespace kartoval
