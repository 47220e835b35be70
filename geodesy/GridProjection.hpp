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
    // The classic transverse Mercator series only, the one projection whose
    // error grows with that distance: the exact engine, a cone and the oblique
    // Mercator give nothing, so no note about it is made.
    [[nodiscard]] std::optional<double> DistanceFromCentralMeridian(double longitude) const;
    // The engine of a transverse Mercator zone; nothing for the other projections.
    [[nodiscard]] std::optional<TmEngine> Engine() const;

private:
    std::variant<TransverseMercator, KruegerTm, LambertConformalConic, HotineOm> projection_;
};

}  // namespace kartoval
