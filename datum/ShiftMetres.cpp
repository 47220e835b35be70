#include "datum/DatumShift.hpp"

#include "geodesy/Angles.hpp"

#include <cmath>

namespace kartoval {
namespace {

// GRS 1980, the NAD83 ellipsoid, for expressing a shift in metres.
constexpr double kGrs80SemiMajorAxis = 6378137.0;          // metres
constexpr double kGrs80InverseFlattening = 298.257222101;

}  // namespace

ShiftMetres ShiftInMetres(double fromLongitude, double fromLatitude, double toLongitude, double toLatitude)
{
    const double f = 1.0 / kGrs80InverseFlattening;
    const double e2 = f * (2.0 - f);
    const double phi = (fromLatitude + toLatitude) / 2.0 * kDegreesToRadians;
    const double w = std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
    const double meridianRadius = kGrs80SemiMajorAxis * (1.0 - e2) / (w * w * w);
    const double primeVerticalRadius = kGrs80SemiMajorAxis / w;
    const double dLambda = NormalizeLongitude(toLongitude - fromLongitude) * kDegreesToRadians;
    return ShiftMetres{(toLatitude - fromLatitude) * kDegreesToRadians * meridianRadius,
                       dLambda * primeVerticalRadius * std::cos(phi)};
}

}  // namespace kartoval
