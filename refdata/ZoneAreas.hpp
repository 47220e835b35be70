#pragma once
// zone_areas.txt: the area of use of each State Plane zone, by its EPSG code
// (code, south, north, west, east, degrees). Written by tools/make_tables.py
// from the EPSG extents.

#include "toolkit/Platform.hpp"

#include <map>

namespace kartoval {

inline constexpr const char* kZoneAreasFileName = "zone_areas.txt";

// Degrees. A box whose West lies east of its East crosses the 180th meridian.
struct ZoneArea {
    double South = 0.0;
    double North = 0.0;
    double West = 0.0;
    double East = 0.0;
};

// Every area of zone_areas.txt in the data folder, by EPSG code. Throws
// CommandError ("File error") naming the file, and the line where there is
// one, when it can't be read, a line is no area or a code is listed twice.
[[nodiscard]] std::map<int, ZoneArea> ReadZoneAreas(const Platform& platform);

}  // namespace kartoval
