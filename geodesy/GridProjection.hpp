#pragma once
// Either projection of a grid, chosen once per run from the zone's parameter
// set, so a caller converting many points decides TM or Lambert only once.

#include "geodesy/LambertConic.hpp"
#include "geodesy/ProjectionParams.hpp"
#include "geodesy/TransverseMercator.hpp"

#include <optional>
#include <variant>

namespace kartoval {

class GridProjection {
public:
    GridProjection(const EllipsoidParams& ellipsoid, const std::variant<TmParams, LccParams>& zone);

    [[nodiscard]] GridPoint Forward(double longitude, double latitude) const;
    [[nodiscard]] GeoPoint Inverse(double easting, double northing) const;
    [[nodiscard]] PointFactors Factors(double longitude, double latitude) const;
    // Transverse Mercator only: a cone's accuracy does not depend on it.
    [[nodiscard]] std::optional<double> DistanceFromCentralMeridian(double longitude) const;

private:
    std::variant<TransverseMercator, LambertConformalConic> projection_;
};

}  // namespace kartoval
