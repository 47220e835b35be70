#pragma once
// Angle units and the reduction of longitudes, shared by the projections.

namespace kartoval {

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kDegreesToRadians = kPi / 180.0;
inline constexpr double kRadiansToDegrees = 57.29577951308232;

// lambda - lambda0 in radians. Each angle is turned into radians before the
// difference is taken, so ordinary points give the textbook value to the last
// bit; a difference outside [-180, 180) degrees (longitude 286.5 against a
// meridian of -75) is first brought into that range, because the series are
// only meaningful near the central meridian.
[[nodiscard]] double LongitudeDifference(double longitude, double centralMeridian);

// A longitude in degrees brought into (-180, 180].
[[nodiscard]] double NormalizeLongitude(double longitude);

// First eccentricity e (not its square) from the inverse flattening 1/f.
[[nodiscard]] double EccentricityFromInverseFlattening(double inverseFlattening);

}  // namespace kartoval
