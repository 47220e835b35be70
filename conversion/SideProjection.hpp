#pragma once
// A side and an ellipsoid make a projection: the one place where a zone is
// turned into the formulas that convert it, and where a zone the formulas
// can't take is refused.

#include "conversion/CoordinateSide.hpp"
#include "geodesy/GridProjection.hpp"
#include "refdata/Ellipsoids.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kartoval {

// The side's projection on `ellipsoid`, in the side's grid unit, a transverse
// Mercator zone by `engine`; nothing for degrees.
[[nodiscard]] std::optional<GridProjection> BuildProjection(const CoordinateSide& side, const Ellipsoid& ellipsoid,
                                                            TmEngine engine = TmEngine::Series);

// Whether `chosen` is the ellipsoid the side's datum is defined on. WGS 84
// passes for GRS 1980: the two differ by 0.1 mm in the semi-minor axis, which
// no grid value can show. A side with no datum ellipsoid takes any.
[[nodiscard]] bool EllipsoidFitsSide(const CoordinateSide& side, std::string_view chosen);

// The notice for an ellipsoid that does not fit ("Alabama East (NAD27) is
// defined on Clarke 1866, not on WGS 84."); nothing when it fits.
[[nodiscard]] std::optional<std::string> EllipsoidNotice(const CoordinateSide& side, std::string_view chosen);

// The ellipsoid of the table with this name (case ignored); nothing when the
// table doesn't list it.
[[nodiscard]] std::optional<Ellipsoid> FindEllipsoid(const std::vector<Ellipsoid>& table, std::string_view name);

}  // namespace kartoval
