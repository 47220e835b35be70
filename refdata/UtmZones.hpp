#pragma once
// The 60 UTM zones of each hemisphere, generated rather than read. List
// position p holds zone p + 1, whose central meridian is 6p - 177 degrees.

#include "geodesy/ProjectionParams.hpp"
#include "toolkit/Controls.hpp"

namespace kartoval {

inline constexpr int kUtmZoneCount = 60;
inline constexpr int kDefaultUtmZonePosition = 28;  // zone 29
inline constexpr double kUtmScaleFactor = 0.9996;
inline constexpr double kUtmFalseEasting = 500000.0;
inline constexpr double kUtmFalseNorthingNorth = 0.0;
inline constexpr double kUtmFalseNorthingSouth = 10000000.0;
inline constexpr double kUtmLatitudeOfOrigin = 0.0;

// Central meridian in degrees of the zone at list position p (p = -1 gives -183).
[[nodiscard]] constexpr double UtmCentralMeridian(int position) { return static_cast<double>(6 * position - 177); }

enum class Hemisphere { North, South };

// The TM parameters of the zone at list position p (zone p + 1): the one place
// where a UTM zone is put together.
[[nodiscard]] constexpr TmParams UtmZone(int position, Hemisphere hemisphere)
{
    return {UtmCentralMeridian(position), kUtmLatitudeOfOrigin, kUtmScaleFactor, kUtmFalseEasting,
            hemisphere == Hemisphere::North ? kUtmFalseNorthingNorth : kUtmFalseNorthingSouth};
}

// Append the labels of zones 1 to 60 ("North Zone 29, central parallel: 9W")
// after whatever the list holds, then select position 28.
void ListUtmNorthZones(ListControl& list);
void ListUtmSouthZones(ListControl& list);

}  // namespace kartoval
