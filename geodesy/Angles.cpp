#include "geodesy/Angles.hpp"

#include <cmath>

namespace kartoval {

double LongitudeDifference(double longitude, double centralMeridian)
{
    const double degrees = longitude - centralMeridian;
    if (degrees >= -180.0 && degrees < 180.0) {
        return longitude * kDegreesToRadians - centralMeridian * kDegreesToRadians;
    }
    return (degrees - 360.0 * std::floor((degrees + 180.0) / 360.0)) * kDegreesToRadians;
}

double NormalizeLongitude(double longitude)
{
    if (longitude > 180.0 || longitude <= -180.0) {
        return longitude - 360.0 * std::ceil((longitude - 180.0) / 360.0);
    }
    return longitude;
}

double EccentricityFromInverseFlattening(double inverseFlattening)
{
    const double f = 1.0 / inverseFlattening;
    return std::sqrt(2.0 * f - f * f);
}

}  // namespace kartoval
