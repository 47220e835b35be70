#include "batch/PointTransform.hpp"

#include "geodesy/PointChecks.hpp"

#include <algorithm>

namespace kartoval {

PointTransform::PointTransform(std::optional<GridProjection> from, std::optional<GridProjection> to,
                               const DegreeShift* shift)
    : from_(std::move(from)), to_(std::move(to)), shift_(shift)
{
}

void PointTransform::Convert(double x, double y, double& outX, double& outY, GeoPoint& degrees,
                             ShiftedBy* shifted) const
{
    if (from_) {
        degrees = from_->Inverse(x, y);
        CheckGeographicResult(degrees.Latitude, degrees.Longitude);
    } else {
        CheckLatitude(y);
        CheckLongitude(x);
        degrees = GeoPoint{x, y};
    }
    if (shift_) {
        ShiftedBy by;
        degrees = shift_->Shift(degrees, by.NorthMetres, by.EastMetres);
        if (shifted) *shifted = by;
    }
    if (to_) {
        const GridPoint grid = to_->Forward(degrees.Longitude, degrees.Latitude);
        CheckGridResult(grid.Easting, grid.Northing);
        outX = grid.Easting;
        outY = grid.Northing;
    } else {
        outX = degrees.Longitude;
        outY = degrees.Latitude;
    }
}

PointFactors PointTransform::Factors(const GeoPoint& degrees) const
{
    const GridProjection& grid = to_ ? *to_ : *from_;
    return grid.Factors(degrees.Longitude, degrees.Latitude);
}

std::optional<double> PointTransform::DistanceFromCentralMeridian(const GeoPoint& degrees) const
{
    std::optional<double> worst;
    for (const auto* side : {&from_, &to_}) {
        if (!*side) continue;
        if (const auto distance = (*side)->DistanceFromCentralMeridian(degrees.Longitude)) {
            worst = std::max(worst.value_or(0.0), *distance);
        }
    }
    return worst;
}

}  // namespace kartoval
