// The NAD27 and NAD83 paths of "Convert": the zone's line picks the transverse
// Mercator or the Lambert conic formulas and gives them their parameters.

#include "geodesy/LambertConic.hpp"
#include "geodesy/TransverseMercator.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "single/ConvertSteps.hpp"
#include "toolkit/NumberText.hpp"

#include <array>
#include <optional>

namespace kartoval {
namespace {

// Parameters of one zone by role, once the zone is known to have them all.
struct TmZone {
    double centralMeridian, latitudeOfOrigin, scaleFactor, falseEasting, falseNorthing;
};
struct LccZone {
    double centralMeridian, latitudeOfOrigin, firstParallel, secondParallel, falseEasting, falseNorthing;
};

constexpr std::array<const char*, 5> kTmRoles{"central meridian", "latitude of origin", "scale factor",
                                              "false easting", "false northing"};
constexpr std::array<const char*, 6> kLccRoles{"central meridian",         "latitude of origin",
                                               "first standard parallel",  "second standard parallel",
                                               "false easting",            "false northing"};

// The zone of the selected position when it can be converted; otherwise
// tells the user why and gives nothing.
std::optional<ZoneDefinition> convertibleZone(const ConvertContext& context, const char* zoneFile)
{
    MessageBoxes& messages = context.Env.Messages;
    std::optional<ZoneDefinition> zone;
    try {
        zone = LoadZoneDefinition(context.Env, zoneFile, context.Position + 1);
    } catch (const CommandError& error) {
        messages.ShowMessage(error.what(), error.Caption());
        return std::nullopt;
    }
    if (!zone->Kind) {
        messages.ShowMessage(zone->Where + ": the projection '" + zone->Keyword +
                                 "' is none of LAMBERT, TM and OM1.",
                             kFileErrorCaption);
        return std::nullopt;
    }
    if (*zone->Kind == ZoneProjectionKind::Om1) {
        messages.ShowMessage("Oblique Mercator zones can't be converted", kProgramCaption);
        return std::nullopt;
    }
    const bool tm = *zone->Kind == ZoneProjectionKind::Tm;
    const std::size_t needed = tm ? kTmRoles.size() : kLccRoles.size();
    for (std::size_t k = 0; k < needed; ++k) {
        if (!zone->Params[k]) {
            messages.ShowMessage(zone->Where + ": the zone has no " + (tm ? kTmRoles[k] : kLccRoles[k]) +
                                     " (parameter " + std::to_string(k + 1) + ").",
                                 kFileErrorCaption);
            return std::nullopt;
        }
    }
    return zone;
}

TmZone tmZone(const ZoneDefinition& z)
{
    return {*z.Param(1), *z.Param(2), *z.Param(3), *z.Param(4), *z.Param(5)};
}

LccZone lccZone(const ZoneDefinition& z)
{
    return {*z.Param(1), *z.Param(2), *z.Param(3), *z.Param(4), *z.Param(5), *z.Param(6)};
}

}  // namespace

bool ForwardStatePlane(PageTexts& texts, const ConvertContext& context, const char* zoneFile)
{
    const std::optional<ZoneDefinition> zone = convertibleZone(context, zoneFile);
    if (!zone) return false;
    const char sep = context.Env.DecimalSeparator;
    const Geographic point = ReadGeographic(texts, sep);
    const double a = context.A;
    const double e = context.E;
    if (*zone->Kind == ZoneProjectionKind::Tm) {
        const TmZone z = tmZone(*zone);
        WriteGrid(texts,
                  TmEasting(point.Longitude, point.Latitude, z.centralMeridian, a, z.falseEasting, z.scaleFactor, e),
                  TmNorthing(point.Longitude, point.Latitude, z.centralMeridian, z.latitudeOfOrigin, a, e,
                             z.falseNorthing, z.scaleFactor),
                  sep);
    } else {
        const LccZone z = lccZone(*zone);
        WriteGrid(texts,
                  LccEasting(point.Longitude, point.Latitude, e, a, z.falseEasting, z.falseNorthing,
                             z.firstParallel, z.secondParallel, z.latitudeOfOrigin, z.centralMeridian),
                  LccNorthing(point.Longitude, point.Latitude, e, a, z.falseEasting, z.falseNorthing,
                              z.firstParallel, z.secondParallel, z.latitudeOfOrigin, z.centralMeridian),
                  sep);
    }
    return true;
}

bool InverseStatePlane(PageTexts& texts, const ConvertContext& context, const char* zoneFile)
{
    const std::optional<ZoneDefinition> zone = convertibleZone(context, zoneFile);
    if (!zone) return false;
    const char sep = context.Env.DecimalSeparator;
    const double a = context.A;
    const double e = context.E;
    if (*zone->Kind == ZoneProjectionKind::Tm) {
        const double x = StrToFloat(texts.X, sep);
        const double y = StrToFloat(texts.Y, sep);
        const TmZone z = tmZone(*zone);
        WriteGeographic(texts,
                        TmLatitude(y, x, z.centralMeridian, z.latitudeOfOrigin, a, z.falseEasting, z.scaleFactor,
                                   e, z.falseNorthing),
                        TmLongitude(y, x, z.centralMeridian, z.latitudeOfOrigin, a, z.falseEasting,
                                    z.scaleFactor, e, z.falseNorthing),
                        sep);
    } else {
        // The conic block has always read Y before X, so a bad Y is the one reported.
        const double y = StrToFloat(texts.Y, sep);
        const double x = StrToFloat(texts.X, sep);
        const LccZone z = lccZone(*zone);
        WriteGeographic(texts,
                        LccLatitude(x, y, e, a, z.falseEasting, z.falseNorthing, z.firstParallel,
                                    z.secondParallel, z.latitudeOfOrigin, z.centralMeridian),
                        LccLongitude(x, y, e, a, z.falseEasting, z.falseNorthing, z.firstParallel,
                                     z.secondParallel, z.latitudeOfOrigin, z.centralMeridian),
                        sep);
    }
    return true;
}

}  // namespace kartoval
