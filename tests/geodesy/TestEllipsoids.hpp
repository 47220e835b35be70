#pragma once
// The ellipsoids the projection tests use, with the values of the ellipsoid table,
// and the UTM grid constants written out on their own.

#include "geodesy/Angles.hpp"

#include <ostream>

namespace kartoval::testing {

struct TestEllipsoid {
    const char* name;
    double a;  // metres
    double inverseFlattening;
    [[nodiscard]] double e() const { return EccentricityFromInverseFlattening(inverseFlattening); }
};

inline void PrintTo(const TestEllipsoid& ellipsoid, std::ostream* out) { *out << ellipsoid.name; }

inline constexpr TestEllipsoid kClarke1866{"Clarke1866", 6378206.4, 294.9786982};
inline constexpr TestEllipsoid kWgs84{"Wgs84", 6378137.0, 298.257223563};
inline constexpr TestEllipsoid kGrs1980{"Grs1980", 6378137.0, 298.257222101};

inline constexpr double kUtmK0 = 0.9996;
inline constexpr double kUtmFalseEasting = 500000.0;
inline constexpr double kUtmSouthFalseNorthing = 10000000.0;

}  // namespace kartoval::testing
