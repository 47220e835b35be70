#pragma once
// --list-zones and --list-ellipsoids.

#include "toolkit/Platform.hpp"

#include <cstdio>
#include <string>

namespace kartoval {

// One zone a line, as --from / --to take it, with its EPSG code and kind:
// `what` is "nad27", "nad83", "utm" or empty for all three.
void ListZones(const std::string& what, const Platform& platform, std::FILE* out);

// One ellipsoid a line: name, semi-major axis (metres), inverse flattening.
void ListEllipsoidTable(const Platform& platform, std::FILE* out);

}  // namespace kartoval
