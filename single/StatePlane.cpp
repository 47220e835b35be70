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

struct ZonePath {
    GridProjection Projection;
    bool Lambert;  // the conic path reads Y before X
};

// The projection of the selected zone; when its table line can't be read,
// tells the user why and gives nothing.
std::optional<ZonePath> zonePath(const ConvertContext& context, XyProjectionKind family)
{
    StatePlaneZone zone;
    try {
        zone = LoadStatePlaneZone(context.Env, family, context.Position);
    } catch (const CommandError& error) {
        ShowLookupError(context.Env, error);
        return std::nullopt;
    }
    const EllipsoidParams ellipsoid = EllipsoidInUnit(context.Shape, zone.Unit);
    return ZonePath{{ellipsoid, zone.Projection, context.Engine}, std::holds_alternative<LccParams>(zone.Projection)};
}

}  // namespace

PathOutcome ForwardStatePlane(PageTexts& texts, const ConvertContext& context, XyProjectionKind family)
{
    const std::optional<ZonePath> path = zonePath(context, family);
    if (!path) return {};
    const char sep = context.Env.DecimalSeparator;
    const Geographic point = ReadGeographic(texts, sep);
    const GridPoint grid = path->Projection.Forward(point.Longitude, point.Latitude);
    WriteGrid(texts, grid.Easting, grid.Northing, sep);
    return {true, path->Projection.DistanceFromCentralMeridian(point.Longitude), path->Projection.Engine()};
}

PathOutcome InverseStatePlane(PageTexts& texts, const ConvertContext& context, XyProjectionKind family)
{
    const std::optional<ZonePath> path = zonePath(context, family);
    if (!path) return {};
    const char sep = context.Env.DecimalSeparator;
    // The conic path has always read Y before X, so a bad Y is the one reported.
    double x = 0.0;
    double y = 0.0;
    if (path->Lambert) {
        y = ReadBox(texts.Y, kYBox, sep);
        x = ReadBox(texts.X, kXBox, sep);
    } else {
        x = ReadBox(texts.X, kXBox, sep);
        y = ReadBox(texts.Y, kYBox, sep);
    }
    const GeoPoint point = path->Projection.Inverse(x, y);
    WriteGeographic(texts, point.Latitude, point.Longitude, sep);
    return {true, path->Projection.DistanceFromCentralMeridian(point.Longitude), path->Projection.Engine()};
}

}  // namespace kartoval
