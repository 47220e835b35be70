#pragma once
// A run between two datums: each side projected on its own datum's
// ellipsoid, the NADCON shift between them in degrees.

#include "batch/PointTransform.hpp"
#include "cli/Crs.hpp"
#include "datum/DatumShift.hpp"
#include "toolkit/Platform.hpp"

#include <memory>
#include <optional>

namespace kartoval {

class DatumRoute : public DegreeShift {
public:
    // Throws UsageError when --ellipsoid is given (each datum has its own)
    // and the table errors of the ellipsoid lookups. The engine computes the
    // transverse Mercator sides.
    DatumRoute(const CrsChoice& from, const CrsChoice& to, bool ellipsoidGiven, const Platform& platform,
               TmEngine engine = TmEngine::Series);

    [[nodiscard]] GeoPoint Shift(const GeoPoint& point, double& northMetres, double& eastMetres) const override;

    // The run's transform; it refers to this route, which must outlive it.
    [[nodiscard]] PointTransform Transform() const;

private:
    GeodeticDatum from_;
    GeodeticDatum to_;
    std::optional<GridProjection> fromGrid_;
    std::optional<GridProjection> toGrid_;
    std::unique_ptr<DatumShifter> shifter_;
};

// True when the two sides are on different datums, so the run needs a shift.
// Throws UsageError, saying why, for datums that no grid connects.
[[nodiscard]] bool NeedsDatumShift(const CrsChoice& from, const CrsChoice& to);

}  // namespace kartoval
