#include "datum/DatumConversion.hpp"

#include "refdata/Ellipsoids.hpp"
#include "refdata/ZoneDatum.hpp"
#include "toolkit/NumberText.hpp"

#include <cmath>
#include <variant>

namespace kartoval {
namespace {

GeoPoint toDegrees(const DatumSide& side, double x, double y)
{
    if (!side.Grid) return GeoPoint{x, y};
    const GeoPoint point = side.Grid->Inverse(x, y);
    if (!std::isfinite(point.Longitude) || !std::isfinite(point.Latitude)) {
        throw PointRangeError("The " + side.Name + " point " + FloatToStr(x) + ", " + FloatToStr(y) +
                              " has no position on the Earth.");
    }
    return point;
}

}  // namespace

CrossDatumPoint ConvertAcrossDatums(DatumShifter& shifter, const DatumSide& from, const DatumSide& to, double x,
                                    double y)
{
    const GeoPoint degrees = toDegrees(from, x, y);
    CrossDatumPoint result;
    result.Shift = shifter.Shift(from.Datum, to.Datum, degrees.Longitude, degrees.Latitude);
    if (to.Grid) {
        const GridPoint grid = to.Grid->Forward(result.Shift.Longitude, result.Shift.Latitude);
        result.X = grid.Easting;
        result.Y = grid.Northing;
    } else {
        result.X = result.Shift.Longitude;
        result.Y = result.Shift.Latitude;
    }
    if (!std::isfinite(result.X) || !std::isfinite(result.Y)) {
        throw PointRangeError("The point can't be written in " + to.Name + ": the result is not a number.");
    }
    return result;
}

DatumSide StatePlaneSide(const Platform& platform, XyProjectionKind family, int position, TmEngine engine)
{
    return StatePlaneSide(platform, family, LoadStatePlaneZone(platform, family, position), engine);
}

DatumSide StatePlaneSide(const Platform& platform, XyProjectionKind family, const StatePlaneZone& zone,
                         TmEngine engine)
{
    const auto datum = ZoneDatum(family, zone.Name);
    const auto ellipsoidName = DatumEllipsoidName(family, zone.Name);
    const std::string name = std::string(family == XyProjectionKind::Nad27 ? "NAD27 " : "NAD83 ") + zone.Name;
    if (!datum || !ellipsoidName) throw CommandError(name + " is not a State Plane zone.");

    const Ellipsoid* ellipsoid = nullptr;
    const std::vector<Ellipsoid> ellipsoids = ReadEllipsoids(platform);
    for (const Ellipsoid& candidate : ellipsoids) {
        if (candidate.Name == *ellipsoidName) ellipsoid = &candidate;
    }
    if (ellipsoid == nullptr) {
        throw CommandError("The ellipsoid \"" + std::string(*ellipsoidName) + "\" of " + name + " is not in " +
                               platform.DataFile(kEllipsoidFileName).string() + ".",
                           kFileErrorCaption);
    }
    const EllipsoidParams params = EllipsoidInUnit(*ellipsoid, zone.Unit);
    std::optional<GridProjection> projection(std::in_place, params, zone.Projection, engine);
    return DatumSide{*datum, std::move(projection), name};
}

DatumSide GeographicSide(GeodeticDatum datum)
{
    return DatumSide{datum, std::nullopt, std::string(DatumName(datum)) + " geographic"};
}

}  // namespace kartoval
