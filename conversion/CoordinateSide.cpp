#include "conversion/CoordinateSide.hpp"

#include "conversion/CloseMatch.hpp"
#include "refdata/TableFile.hpp"
#include "toolkit/Errors.hpp"

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

std::string unquoted(std::string text)
{
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
        text = text.substr(1, text.size() - 2);
    }
    return text;
}

const char* familyName(XyProjectionKind family) { return family == XyProjectionKind::Nad27 ? "NAD27" : "NAD83"; }
const char* familyPrefix(XyProjectionKind family) { return family == XyProjectionKind::Nad27 ? "nad27" : "nad83"; }


// The datum suffix of geo:nad27 and utm:14N:nad83.
GeodeticDatum datumSuffix(const std::string& text, const std::string& whole)
{
    if (text == "nad27") return GeodeticDatum::Nad27;
    if (text == "nad83") return GeodeticDatum::Nad83;
    throw UsageError("'" + whole + "': the datum after the colon is nad27 or nad83, not '" + text + "'" +
                     DidYouMean(CloseMatches(text, {"nad27", "nad83"})));
}

CoordinateSide utmOn(int zone, Hemisphere hemisphere, const char* ellipsoid, std::optional<GeodeticDatum> datum)
{
    CoordinateSide side = UtmSide(zone, hemisphere, datum);
    side.DatumEllipsoid = ellipsoid;
    return side;
}

CoordinateSide statePlane(XyProjectionKind family, std::string typed, const Platform& platform)
{
    // A zone code (nad83:4204) stands for its zone's name.
    if (const auto code = ParseStatePlaneCode(typed)) {
        const std::vector<ZoneCode> codes = ReadZoneCodes(platform);
        const ZoneCode* line = FindByStatePlaneCode(codes, family, *code);
        if (line == nullptr) {
            throw UsageError(std::string("no ") + familyName(family) + " zone has the zone code " +
                             StatePlaneCodeText(*code) + "; see --list-zones " + familyPrefix(family));
        }
        typed = line->Name;
    }
    std::vector<StatePlaneZone> zones = ReadStatePlaneZones(platform, family);
    const auto found = std::find_if(zones.begin(), zones.end(),
                                    [&](const StatePlaneZone& zone) { return SameTableName(zone.Name, typed); });
    if (found == zones.end()) {
        std::vector<std::string> names;
        for (const StatePlaneZone& zone : zones) names.push_back(zone.Name);
        const auto matches = CloseMatches(typed, names);
        throw UsageError(std::string("unknown ") + familyName(family) + " zone '" + typed + "';" +
                         (matches.empty() ? std::string(" see --list-zones ") + familyPrefix(family)
                                          : DidYouMean(matches)));
    }
    return StatePlaneSide(family, std::move(*found));
}

// The State Plane zone of an EPSG code, from the generated code table.
std::optional<CoordinateSide> zoneOfCode(int code, const Platform& platform)
{
    for (const ZoneCode& line : ReadZoneCodes(platform)) {
        if (line.Code != code) continue;
        const XyProjectionKind family = line.Table == kNad27FileName ? XyProjectionKind::Nad27 : XyProjectionKind::Nad83;
        return statePlane(family, line.Name, platform);
    }
    return std::nullopt;
}

CoordinateSide epsg(const std::string& digits, const std::string& text, const Platform& platform)
{
    int code = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        throw UsageError("'" + text + "' is no EPSG code: EPSG:32629, say");
    }
    for (const GeodeticDatum datum : {GeodeticDatum::Wgs84, GeodeticDatum::Nad27, GeodeticDatum::Nad83,
                                      GeodeticDatum::OldHawaiian, GeodeticDatum::PuertoRico, GeodeticDatum::StLawrence,
                                      GeodeticDatum::StPaul, GeodeticDatum::StGeorge}) {
        if (code == DatumGeographicCode(datum)) return DegreesSide(datum);
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
        if (block == b.Block && zone >= 1 && zone <= b.LastZone) return utmOn(zone, b.Side, b.Ellipsoid, b.Datum);
    }
    if (auto side = zoneOfCode(code, platform)) return *side;
    throw UsageError("EPSG:" + std::to_string(code) +
                     " is none of the systems Kartoval converts (UTM, the State Plane zones of the tables, 4326, "
                     "4267, 4269, 4135, 4136, 4137, 4138, 4139); see --list-zones");
}

}  // namespace

CoordinateSide DegreesSide(std::optional<GeodeticDatum> datum)
{
    CoordinateSide side;
    side.Label = datum ? std::string(DatumName(*datum)) + " degrees" : "degrees";
    side.Datum = datum;
    if (datum) side.DatumEllipsoid = std::string(DatumEllipsoidName(*datum));
    return side;
}

CoordinateSide UtmSide(int zone, Hemisphere hemisphere, std::optional<GeodeticDatum> datum)
{
    CoordinateSide side;
    side.Kind = SideKind::Utm;
    side.Label = "UTM zone " + std::to_string(zone) + (hemisphere == Hemisphere::North ? "N" : "S");
    if (datum) side.Label = std::string(DatumName(*datum)) + " " + side.Label;
    side.Datum = datum;
    side.DatumEllipsoid = datum ? std::string(DatumEllipsoidName(*datum)) : kWgs84;
    side.UtmZoneNumber = zone;
    side.UtmHemisphere = hemisphere;
    return side;
}

CoordinateSide StatePlaneSide(XyProjectionKind family, StatePlaneZone zone)
{
    CoordinateSide side;
    side.Kind = SideKind::StatePlane;
    side.Label = std::string(familyName(family)) + " " + zone.Name;
    side.Unit = zone.Unit;
    side.Datum = ZoneDatum(family, zone.Name);
    if (const auto ellipsoid = DatumEllipsoidName(family, zone.Name)) side.DatumEllipsoid = std::string(*ellipsoid);
    side.Family = family;
    side.Zone = std::move(zone);
    return side;
}

CoordinateSide FamilySide(XyProjectionKind family, int position, const Platform& platform)
{
    if (IsUtm(family)) {
        return UtmSide(position + 1, family == XyProjectionKind::UtmNorth ? Hemisphere::North : Hemisphere::South);
    }
    return StatePlaneSide(family, LoadStatePlaneZone(platform, family, position));
}

CoordinateSide ParseSide(const std::string& text, const Platform& platform)
{
    const std::size_t colon = text.find(':');
    const std::string kind = lower(text.substr(0, colon));
    const std::string rest = colon == std::string::npos ? std::string() : unquoted(text.substr(colon + 1));
    if (colon == std::string::npos && kind == "geo") return DegreesSide();
    if (colon != std::string::npos) {
        if (kind == "geo") return DegreesSide(datumSuffix(lower(rest), text));
        if (kind == "utm") {
            const std::size_t second = rest.find(':');
            const std::string zoneText = rest.substr(0, second);
            const std::optional<GeodeticDatum> datum =
                second == std::string::npos ? std::nullopt
                                            : std::optional(datumSuffix(lower(rest.substr(second + 1)), text));
            int zone = 0;
            const auto [end, error] = std::from_chars(zoneText.data(), zoneText.data() + zoneText.size(), zone);
            const std::string hemisphere = lower(std::string(end, zoneText.data() + zoneText.size()));
            if (error == std::errc() && zone >= 1 && zone <= kUtmZoneCount && (hemisphere == "n" || hemisphere == "s")) {
                return UtmSide(zone, hemisphere == "n" ? Hemisphere::North : Hemisphere::South, datum);
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

std::string SideSpelling(const CoordinateSide& side)
{
    const auto suffix = [&]() -> std::string {
        if (side.Datum == GeodeticDatum::Nad27) return ":nad27";
        if (side.Datum == GeodeticDatum::Nad83) return ":nad83";
        return "";
    };
    switch (side.Kind) {
    case SideKind::Degrees:
        if (side.Datum && side.Datum != GeodeticDatum::Nad27 && side.Datum != GeodeticDatum::Nad83) {
            return "EPSG:" + std::to_string(DatumGeographicCode(*side.Datum));
        }
        return "geo" + suffix();
    case SideKind::Utm: {
        const std::string zone =
            std::to_string(side.UtmZoneNumber) + (side.UtmHemisphere == Hemisphere::North ? "N" : "S");
        if (side.Datum == GeodeticDatum::Wgs84) {
            return "EPSG:" + std::to_string((side.UtmHemisphere == Hemisphere::North ? 32600 : 32700) +
                                            side.UtmZoneNumber);
        }
        return "utm:" + zone + suffix();
    }
    case SideKind::StatePlane:
        return std::string(familyPrefix(*side.Family)) + ":\"" + side.Zone->Name + "\"";
    }
    return "geo";
}

std::optional<int> ZoneEpsgCode(const CoordinateSide& side, const std::vector<ZoneCode>& codes)
{
    if (side.Kind != SideKind::StatePlane) return std::nullopt;
    const ZoneCode* line = FindByZoneName(codes, *side.Family, side.Zone->Name);
    return line != nullptr ? std::optional(line->Code) : std::nullopt;
}

}  // namespace kartoval
