#include "batch/PointTransform.hpp"

#include "geodesy/PointChecks.hpp"

#include <algorithm>

namespace kartoval {

PointTransform::PointTransform(std::optional<GridProjection> from, std::optional<GridProjection> to,
                               const DegreeShift* shift)
    : from_(std::move(from)), to_(std::move(to)), shift_(shift)
{
}

ConvertedPoint PointTransform::Convert(double x, double y) const
{
    GeoPoint degrees{};
    if (from_) {
        degrees = from_->Inverse(x, y);
        CheckGeographicResult(degrees.Latitude, degrees.Longitude);
    } else {
        CheckLatitude(y);
        CheckLongitude(x);
        degrees = GeoPoint{x, y};
    }
    double north = 0.0;
    double east = 0.0;
    if (shift_) degrees = shift_->Shift(degrees, north, east);
    if (to_) {
        const GridPoint grid = to_->Forward(degrees.Longitude, degrees.Latitude);
        CheckGridResult(grid.Easting, grid.Northing);
        return {grid.Easting, grid.Northing, degrees, north, east};
    }
    return {degrees.Longitude, degrees.Latitude, degrees, north, east};
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
