// The NAD27 and NAD83 paths of "Convert": the zone's table line gives a
// transverse Mercator or Lambert conic zone in its grid unit, and the
// projection built from it converts the point.

#include "geodesy/GridProjection.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "single/ConvertSteps.hpp"
#include "toolkit/NumberText.hpp"

#include <optional>
#include <variant>

namespace kartoval {
namespace {

// The projection of the selected zone when it can be converted; otherwise
// tells the user why and gives nothing.
std::optional<GridProjection> zoneProjection(const ConvertContext& context, XyProjectionKind family, bool& lambert)
{
    StatePlaneZone zone;
    try {
        zone = LoadStatePlaneZone(context.Env, family, context.Position);
    } catch (const CommandError& error) {
        ShowLookupError(context.Env, error);
        return std::nullopt;
    }
    const EllipsoidParams ellipsoid = EllipsoidInUnit(context.Shape, zone.Unit);
    if (const auto* tm = std::get_if<TmParams>(&zone.Projection)) return GridProjection(ellipsoid, *tm);
    if (const auto* lcc = std::get_if<LccParams>(&zone.Projection)) {
        lambert = true;
        return GridProjection(ellipsoid, *lcc);
    }
    context.Env.Messages.ShowMessage("Oblique Mercator zones can't be converted", kProgramCaption);
    return std::nullopt;
}

}  // namespace

bool ForwardStatePlane(PageTexts& texts, const ConvertContext& context, XyProjectionKind family)
{
    bool lambert = false;
    const std::optional<GridProjection> projection = zoneProjection(context, family, lambert);
    if (!projection) return false;
    const char sep = context.Env.DecimalSeparator;
    const Geographic point = ReadGeographic(texts, sep);
    const GridPoint grid = projection->Forward(point.Longitude, point.Latitude);
    WriteGrid(texts, grid.Easting, grid.Northing, sep);
    return true;
}

bool InverseStatePlane(PageTexts& texts, const ConvertContext& context, XyProjectionKind family)
{
    bool lambert = false;
    const std::optional<GridProjection> projection = zoneProjection(context, family, lambert);
    if (!projection) return false;
    const char sep = context.Env.DecimalSeparator;
    // The conic path has always read Y before X, so a bad Y is the one reported.
    double x = 0.0;
    double y = 0.0;
    if (lambert) {
        y = StrToFloat(texts.Y, sep);
        x = StrToFloat(texts.X, sep);
    } else {
        x = StrToFloat(texts.X, sep);
        y = StrToFloat(texts.Y, sep);
    }
    const GeoPoint point = projection->Inverse(x, y);
    WriteGeographic(texts, point.Latitude, point.Longitude, sep);
    return true;
}

}  // namespace kartoval
