#include "refdata/StatePlaneZones.hpp"

#include "refdata/TableFile.hpp"
#include "toolkit/NumberText.hpp"

#include <array>
#include <cmath>
#include <limits>

namespace kartoval {
namespace {

void listZones(ListControl& list, const Platform& platform, const char* fileName, const char* missingMessage)
{
    for (const std::string& name : ListTableNames(platform.DataFile(fileName), missingMessage, platform.Messages)) {
        list.AddItem(name);
    }
}

std::optional<ZoneProjectionKind> kindOf(const std::string& keyword)
{
    if (keyword == "LAMBERT") return ZoneProjectionKind::Lcc;
    if (keyword == "TM") return ZoneProjectionKind::Tm;
    if (keyword == "OM1") return ZoneProjectionKind::Om1;
    return std::nullopt;
}

ZoneDefinition parseZone(const std::vector<std::string>& fields, const std::filesystem::path& path, int line,
                         char decimalSeparator)
{
    if (fields.size() < 2) {
        ThrowFileError(TableLineName(path, line) +
                       ": a zone line needs a name and a projection keyword separated by a TAB.");
    }
    ZoneDefinition zone;
    zone.Where = TableLineName(path, line);
    zone.Keyword = fields[1];
    zone.Kind = kindOf(zone.Keyword);
    // Fields after the ninth have no role and are not read.
    for (std::size_t k = 0; k < static_cast<std::size_t>(kZoneParamCount) && k + 2 < fields.size(); ++k) {
        zone.Params[k] = TableNumber(fields[k + 2], path, line, decimalSeparator);
    }
    return zone;
}

constexpr std::array<const char*, 5> kTmRoles{"central meridian", "latitude of origin", "scale factor",
                                              "false easting", "false northing"};
constexpr std::array<const char*, 7> kOmRoles{"latitude of the centre",     "longitude of the centre",
                                              "azimuth of the initial line", "angle from the rectified to the skew grid",
                                              "scale factor on the initial line", "false easting", "false northing"};
constexpr std::array<const char*, 6> kLccRoles{"central meridian",        "latitude of origin",
                                               "first standard parallel", "second standard parallel",
                                               "false easting",           "false northing"};

// Parameters 1 to N of a zone, each one there, or the File error naming the first missing.
template <std::size_t N>
std::array<double, N> required(const ZoneDefinition& zone, const std::array<const char*, N>& roles)
{
    std::array<double, N> values{};
    for (std::size_t k = 0; k < N; ++k) {
        if (!zone.Params[k]) {
            ThrowFileError(zone.Where + ": the zone has no " + roles[k] + " (parameter " + std::to_string(k + 1) +
                           ").");
        }
        values[k] = *zone.Params[k];
    }
    return values;
}

// A State Plane zone's scale factor reduces or enlarges by at most 1 part
// in 100; latitudes lie on the globe, and a conic's two standard parallels
// on one side of the equator and off the poles, or the cone doesn't exist.
constexpr double kLeastScaleFactor = 0.99;
constexpr double kMostScaleFactor = 1.01;
constexpr double kPoleLatitude = 90.0;  // degrees

void refuseValue(const ZoneDefinition& zone, int k, const char* role, const char* why)
{
    ThrowFileError(zone.Where + ": " + role + " " + FloatToStr(*zone.Param(k)) + " (parameter " + std::to_string(k) +
                   ") " + why + ".");
}

void checkLatitude(const ZoneDefinition& zone, int k, const char* role)
{
    if (zone.Param(k) && std::abs(*zone.Param(k)) > kPoleLatitude) refuseValue(zone, k, role, "is outside -90..90");
}

void checkScaleFactor(const ZoneDefinition& zone, int k)
{
    if (zone.Param(k) && !(*zone.Param(k) >= kLeastScaleFactor && *zone.Param(k) <= kMostScaleFactor)) {
        refuseValue(zone, k, "scale factor", "is outside 0.99..1.01, where every State Plane zone's lies");
    }
}

void checkValues(const ZoneDefinition& zone)
{
    switch (*zone.Kind) {
    case ZoneProjectionKind::Tm:
        checkLatitude(zone, 2, "latitude of origin");
        checkScaleFactor(zone, 3);
        break;
    case ZoneProjectionKind::Lcc: {
        checkLatitude(zone, 2, "latitude of origin");
        for (int k : {3, 4}) {
            if (zone.Param(k) && std::abs(*zone.Param(k)) >= kPoleLatitude) {
                refuseValue(zone, k, k == 3 ? "first standard parallel" : "second standard parallel",
                            "is not between the poles");
            }
        }
        const std::optional<double>& first = zone.Param(3);
        const std::optional<double>& second = zone.Param(4);
        if (first && second && (*first * *second < 0.0 || *first + *second == 0.0)) {
            ThrowFileError(zone.Where + ": the standard parallels " + FloatToStr(*first) + " and " +
                           FloatToStr(*second) + " are not on one side of the equator: no cone touches both.");
        }
        break;
    }
    case ZoneProjectionKind::Om1:
        break;  // listed, never converted: nothing of it reaches a result
    }
}

ZoneProjection typedProjection(const ZoneDefinition& zone)
{
    if (!zone.Kind) {
        ThrowFileError(zone.Where + ": the projection '" + zone.Keyword + "' is none of LAMBERT, TM and OM1.");
    }
    checkValues(zone);
    switch (*zone.Kind) {
    case ZoneProjectionKind::Tm: {
        const auto p = required(zone, kTmRoles);
        return TmParams{.CentralMeridian = p[0], .LatitudeOfOrigin = p[1], .ScaleFactor = p[2],
                        .FalseEasting = p[3], .FalseNorthing = p[4]};
    }
    case ZoneProjectionKind::Lcc: {
        const auto p = required(zone, kLccRoles);
        return LccParams{.CentralMeridian = p[0], .LatitudeOfOrigin = p[1], .FirstParallel = p[2],
                         .SecondParallel = p[3], .FalseEasting = p[4], .FalseNorthing = p[5]};
    }
    case ZoneProjectionKind::Om1: break;
    }
    const auto p = required(zone, kOmRoles);
    return OmParams{.CentreLatitude = p[0], .CentreLongitude = p[1], .Azimuth = p[2], .RectifiedToSkewAngle = p[3],
                    .ScaleFactor = p[4], .FalseEasting = p[5], .FalseNorthing = p[6]};
}

const char* zoneFileOf(XyProjectionKind family)
{
    const char* file = ZoneFileName(family);
    if (file == nullptr) throw CommandError("A UTM grid has no State Plane zone table.");
    return file;
}

}  // namespace

const char* ZoneFileName(XyProjectionKind family)
{
    switch (family) {
    case XyProjectionKind::Nad27: return kNad27FileName;
    case XyProjectionKind::Nad83: return kNad83FileName;
    case XyProjectionKind::UtmNorth:
    case XyProjectionKind::UtmSouth: break;
    }
    return nullptr;
}

void ListNad27Zones(ListControl& list, const Platform& platform)
{
    listZones(list, platform, kNad27FileName, "Can't find NAD27 data file");
}

void ListNad83Zones(ListControl& list, const Platform& platform)
{
    listZones(list, platform, kNad83FileName, "Can't find NAD83 data file");
}

ZoneDefinition LoadZoneDefinition(const Platform& platform, const char* fileName, int lineNumber)
{
    const std::filesystem::path path = platform.DataFile(fileName);
    const int line = lineNumber < 1 ? 1 : lineNumber;
    return parseZone(LookUpTableLine(path, line, kNadLookupMissingMessage), path, line, platform.DecimalSeparator);
}

StatePlaneZone LoadStatePlaneZone(const Platform& platform, XyProjectionKind family, int position)
{
    const std::filesystem::path path = platform.DataFile(zoneFileOf(family));
    const int line = position < 0 ? 1 : position + 1;
    const auto fields = LookUpTableLine(path, line, kNadLookupMissingMessage);
    const ZoneDefinition zone = parseZone(fields, path, line, platform.DecimalSeparator);
    return {fields.front(), FamilyUnit(family), typedProjection(zone), zone.Where};
}

std::vector<StatePlaneZone> ReadStatePlaneZones(const Platform& platform, XyProjectionKind family)
{
    const std::filesystem::path path = platform.DataFile(zoneFileOf(family));
    const auto entries = ReadTableEntries(path, kNadLookupMissingMessage);
    std::vector<StatePlaneZone> zones;
    zones.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ZoneDefinition zone = parseZone(entries[i], path, static_cast<int>(i + 1), platform.DecimalSeparator);
        zones.push_back({entries[i].front(), FamilyUnit(family), typedProjection(zone), zone.Where});
        RefuseRepeatedName(zones, path, "zone");
    }
    return zones;
}

}  // namespace kartoval
