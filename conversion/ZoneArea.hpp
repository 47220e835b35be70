#pragma once
// Where on the Earth a zone's grid values mean what they say: each State
// Plane zone's area of use (the EPSG extent, data/zone_areas.txt) and each
// UTM zone's band. A point well outside its zone's area still converts, but
// its numbers are almost always the sign of a wrong input: a west longitude
// without its minus, a point of another zone, a swapped column.

#include "conversion/CoordinateSide.hpp"
#include "geodesy/ProjectionParams.hpp"
#include "refdata/ZoneAreas.hpp"
#include "toolkit/Platform.hpp"

#include <optional>
#include <string>

namespace kartoval {

// A point counts as outside its zone's area when it lies more than this many
// degrees beyond it: the EPSG extents are drawn tight around the state.
inline constexpr double kAreaMarginDegrees = 0.5;
// A UTM zone's area reaches this far either side of its central meridian:
// there the classic series is still within about 2 m of the exact mapping.
inline constexpr double kUtmAreaHalfWidthDegrees = 9.0;
inline constexpr double kUtmSouthmostLatitude = -80.0;
inline constexpr double kUtmNorthmostLatitude = 84.0;

// The area of a side: UTM from its zone number and hemisphere, a State Plane
// zone from zone_areas.txt by its EPSG code; nothing for degrees, a zone
// with no code, or a data folder without zone_codes.txt. Throws CommandError
// ("File error") naming the file, and the line where there is one, for an
// area table that is missing, can't be read, holds a bad line or lacks a
// coded zone.
[[nodiscard]] std::optional<ZoneArea> SideArea(const CoordinateSide& side, const Platform& platform);

// How far a point lies beyond an area.
struct AreaMiss {
    double Kilometres = 0.0;  // to the nearest point of the area, on the sphere
    std::string Direction;    // "east", "north-west", ...
};

// Nothing when the point lies inside the area widened by kAreaMarginDegrees.
[[nodiscard]] std::optional<AreaMiss> OutsideArea(const ZoneArea& area, const GeoPoint& point);

// Inside the area itself, edges included, with no margin.
[[nodiscard]] bool InsideArea(const ZoneArea& area, const GeoPoint& point);
// The middle of an area (a box across the 180th meridian included).
[[nodiscard]] GeoPoint AreaCentre(const ZoneArea& area);
// Kilometres between two points on the sphere of the Earth's mean radius:
// how far, for the user and for ranking zones, not a survey distance.
[[nodiscard]] double GreatCircleKm(const GeoPoint& a, const GeoPoint& b);
// Whether some State Plane zone's area (zone_areas.txt, with the margin)
// holds the point: grid values that give a point outside all of them are no
// State Plane values at all.
[[nodiscard]] bool WithinSomeZoneArea(const GeoPoint& point, const Platform& platform);

// "1,240 km east of the area of NAD83 Texas South Central".
[[nodiscard]] std::string AreaMissText(const AreaMiss& miss, const std::string& zoneLabel);

}  // namespace kartoval
