#pragma once
// The conversion of one run, decided once: degrees to a grid, a grid to
// degrees, one grid to another through degrees on the same ellipsoid, or
// degrees to degrees (a change of notation only).

#include "geodesy/GridProjection.hpp"

#include <optional>

namespace kartoval {

// The shift of a point's degrees from one datum to another (NAD27 to NAD83,
// say), between the input side and the output side.
class DegreeShift {
public:
    virtual ~DegreeShift() = default;
    // The point on the target datum, and how far it moved (metres north and
    // east). Throws PointRangeError for a point it can't shift.
    [[nodiscard]] virtual GeoPoint Shift(const GeoPoint& point, double& northMetres, double& eastMetres) const = 0;
};

// A converted point: the output pair, and the point in degrees for the factors
// and the distance from the central meridian.
struct ConvertedPoint {
    double X;  // longitude or easting
    double Y;  // latitude or northing
    GeoPoint Degrees;  // on the output side's datum
    double NorthShift = 0.0;  // metres the datum shift moved the point (none: 0)
    double EastShift = 0.0;
};

class PointTransform {
public:
    // A side without a projection is latitude/longitude in degrees. With a
    // shift, the input side is on its datum and the output side on the
    // other; `shift` must outlive the transform.
    PointTransform(std::optional<GridProjection> from, std::optional<GridProjection> to,
                   const DegreeShift* shift = nullptr);

    [[nodiscard]] bool InputIsDegrees() const { return !from_.has_value(); }
    [[nodiscard]] bool OutputIsDegrees() const { return !to_.has_value(); }
    [[nodiscard]] bool HasGrid() const { return from_.has_value() || to_.has_value(); }

    // (x, y) is (longitude, latitude) or (easting, northing); so is the result.
    // Throws PointRangeError for a latitude outside -90..90, a longitude
    // beyond a full turn, or a result that is not a finite number. With a
    // datum shift the degrees are on the output side's datum.
    [[nodiscard]] ConvertedPoint Convert(double x, double y) const;
    [[nodiscard]] bool ShiftsDatum() const { return shift_ != nullptr; }

    // Scale factor and convergence on the output grid (the input grid when
    // the output is degrees); needs HasGrid().
    [[nodiscard]] PointFactors Factors(const GeoPoint& degrees) const;

    // The largest distance of the point from a transverse Mercator central
    // meridian on either side; nothing when neither side is transverse Mercator.
    [[nodiscard]] std::optional<double> DistanceFromCentralMeridian(const GeoPoint& degrees) const;

private:
    std::optional<GridProjection> from_;
    std::optional<GridProjection> to_;
    const DegreeShift* shift_ = nullptr;
};

}  // namespace kartoval
