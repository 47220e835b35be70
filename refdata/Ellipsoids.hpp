#pragma once
// The ellipsoid table ellips.txt: name, semi-major axis (metres), inverse
// flattening, one ellipsoid a line. Both the lists and the lookups read the
// copy in the program's data folder, so names and numbers always come from
// the same file.

#include "geodesy/ProjectionParams.hpp"
#include "refdata/GridUnit.hpp"
#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

#include <string>
#include <vector>

namespace kartoval {

inline constexpr const char* kEllipsoidFileName = "ellips.txt";
inline constexpr const char* kEllipsoidMissingMessage = "Can't find ellipsoid data file";
// Line 42 (WGS 84 in the shipped table) is selected at start.
inline constexpr int kDefaultEllipsoidPosition = 41;

struct Ellipsoid {
    std::string Name;
    double SemiMajorAxis = 0.0;      // metres
    double InverseFlattening = 0.0;  // 1/f
};

// Appends every listed name to both lists and selects position 41 in both
// (nothing in a shorter list).
void ListEllipsoids(ListControl& BoxEllipsoid, ListControl& BoxEllipsoid2, const Platform& platform);

// The ellipsoid of line `lineNumber` (from 1; 0 and below read line 1).
// Throws CommandError with the caption "File error", its message naming the
// file and line, when the file is missing or the line has no usable values (no
// TAB, fewer than three fields, a value that is not a finite number, an axis
// outside 6300000..6400000 m, an inverse flattening outside 250..350 and not
// 0, which names a sphere).
[[nodiscard]] Ellipsoid LoadEllipsoid(const Platform& platform, const char* fileName, int lineNumber);

// Every listed ellipsoid of ellips.txt in the data folder (lines 1 to N - 1),
// each checked as LoadEllipsoid checks it, and no name listed twice; throws likewise.
[[nodiscard]] std::vector<Ellipsoid> ReadEllipsoids(const Platform& platform);

// The ellipsoid as the projections take it: the semi-major axis in the grid
// unit, e derived from the inverse flattening.
[[nodiscard]] EllipsoidParams EllipsoidInUnit(const Ellipsoid& ellipsoid, GridUnit unit);

}  // namespace kartoval
