#include "cli/DatumRoute.hpp"

#include "cli/Arguments.hpp"
#include "refdata/Ellipsoids.hpp"

namespace kartoval {
namespace {

std::optional<GridProjection> projectionOn(const CrsChoice& side, const std::vector<Ellipsoid>& ellipsoids,
                                           const Platform& platform, TmEngine engine)
{
    if (!side.Zone) return std::nullopt;
    for (const Ellipsoid& ellipsoid : ellipsoids) {
        if (ellipsoid.Name == side.DatumEllipsoid) return GridProjection(EllipsoidInUnit(ellipsoid, side.Unit), *side.Zone, engine);
    }
    throw CommandError("The ellipsoid \"" + side.DatumEllipsoid.value_or("") + "\" of " + side.Label + " is not in " +
                           platform.DataFile(kEllipsoidFileName).string(),
                       kFileErrorCaption);
}

}  // namespace

bool NeedsDatumShift(const CrsChoice& from, const CrsChoice& to)
{
    if (!from.Datum || !to.Datum || *from.Datum == *to.Datum) return false;
    if (!HasGridPath(*from.Datum, *to.Datum)) {
        throw UsageError(NoGridPathReason(*from.Datum, *to.Datum));
    }
    return true;
}

DatumRoute::DatumRoute(const CrsChoice& from, const CrsChoice& to, bool ellipsoidGiven, const Platform& platform,
                       TmEngine engine)
    : from_(from.Datum.value_or(GeodeticDatum::Nad83)), to_(to.Datum.value_or(GeodeticDatum::Nad83))
{
    if (ellipsoidGiven) {
        throw UsageError("--ellipsoid does not apply between two datums: " + from.Label + " is on " +
                         from.DatumEllipsoid.value_or("?") + " and " + to.Label + " on " +
                         to.DatumEllipsoid.value_or("?") + ", each datum on its own");
    }
    const std::vector<Ellipsoid> ellipsoids = ReadEllipsoids(platform);
    fromGrid_ = projectionOn(from, ellipsoids, platform, engine);
    toGrid_ = projectionOn(to, ellipsoids, platform, engine);
    shifter_ = std::make_unique<DatumShifter>(platform.DataFolder / kGridFolderName);
}

GeoPoint DatumRoute::Shift(const GeoPoint& point, double& northMetres, double& eastMetres) const
{
    const DatumShiftResult shifted = shifter_->Shift(from_, to_, point.Longitude, point.Latitude);
    northMetres = shifted.NorthMetres;
    eastMetres = shifted.EastMetres;
    return GeoPoint{shifted.Longitude, shifted.Latitude};
}

PointTransform DatumRoute::Transform() const
{
    return PointTransform(fromGrid_, toGrid_, this);
}

}  // namespace kartoval
