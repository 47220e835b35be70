#pragma once
// Checks on the points that the commands convert, one layer above the
// formulas: the formulas test nothing, so an impossible point must be stopped
// here before its numbers reach a box or a file.

namespace kartoval {

// Throws PointRangeError "Latitude 95 is outside -90..90" (the value in the
// user's number format) for a latitude outside -90..90.
void CheckLatitude(double latitude, char decimalSeparator = '.');

// Throws PointRangeError "Longitude 1E20 is outside -360..360" for a
// longitude beyond a full turn either way: written as 286.5 a longitude is
// still a place, but far beyond that its digits no longer say where.
void CheckLongitude(double longitude, char decimalSeparator = '.');

// Throws PointRangeError "The point is outside the range of the projection"
// unless both grid values are finite numbers.
void CheckGridResult(double x, double y);

// The same message unless both are finite and the latitude lies in -90..90.
void CheckGeographicResult(double latitude, double longitude);

inline constexpr const char* kOutsideProjectionMessage = "The point is outside the range of the projection";

}  // namespace kartoval
