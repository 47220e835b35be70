#pragma once
// The projection of a grid, chosen once per run from the zone's parameter set
// (and, for a transverse Mercator zone, the engine), so a caller converting
// many points decides only once.

#include "geodesy/HotineOm.hpp"
#include "geodesy/KruegerTm.hpp"
#include "geodesy/LambertConic.hpp"
#include "geodesy/ProjectionParams.hpp"
#include "geodesy/TransverseMercator.hpp"

#include <optional>
#include <variant>

namespace kartoval {

class GridProjection {
public:
    // The engine applies to a transverse Mercator zone only; the classic
    // series by default, so every caller that does not choose keeps its numbers.
    GridProjection(const EllipsoidParams& ellipsoid, const ZoneParams& zone, TmEngine engine = TmEngine::Series);

    [[nodiscard]] GridPoint Forward(double longitude, double latitude) const;
    [[nodiscard]] GeoPoint Inverse(double easting, double northing) const;
    [[nodiscard]] PointFactors Factors(double longitude, double latitude) const;
    // Transverse Mercator only: a cone's accuracy does not depend on it.
    [[nodiscard]] std::optional<double> DistanceFromCentralMeridian(double longitude) const;
    // The classic series only: the one engine whose error grows with that distance.
    [[nodiscard]] bool IsTmSeries() const { return std::holds_alternative<TransverseMercator>(projection_); }

private:
    std::variant<TransverseMercator, KruegerTm, LambertConformalConic, HotineOm> projection_;
};

}  // namespace kartoval
