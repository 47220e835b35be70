#pragma once
// The conversion of one run, decided once: degrees to a grid, a grid to
// degrees, one grid to another through degrees on the same ellipsoid, or
// degrees to degrees (a change of notation only).

#include "geodesy/GridProjection.hpp"

#include <optional>

namespace kartoval {

class PointTransform {
public:
    // A side without a projection is latitude/longitude in degrees.
    PointTransform(std::optional<GridProjection> from, std::optional<GridProjection> to);

    [[nodiscard]] bool InputIsDegrees() const { return !from_.has_value(); }
    [[nodiscard]] bool OutputIsDegrees() const { return !to_.has_value(); }
    [[nodiscard]] bool HasGrid() const { return from_.has_value() || to_.has_value(); }

    // (x, y) is (longitude, latitude) or (easting, northing); so is the result.
    // Throws PointRangeError for a latitude outside -90..90, a longitude
    // beyond a full turn, or a result that is not a finite number. `degrees`
    // receives the point in degrees, for the factors and the distance below.
    void Convert(double x, double y, double& outX, double& outY, GeoPoint& degrees) const;

    // Scale factor and convergence on the output grid (the input grid when
    // the output is degrees); needs HasGrid().
    [[nodiscard]] PointFactors Factors(const GeoPoint& degrees) const;

    // The largest distance of the point from a transverse Mercator central
    // meridian on either side; nothing when neither side is transverse Mercator.
    [[nodiscard]] std::optional<double> DistanceFromCentralMeridian(const GeoPoint& degrees) const;

private:
    std::optional<GridProjection> from_;
    std::optional<GridProjection> to_;
};

}  // namespace kartoval
