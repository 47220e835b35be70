#pragma once
// Which NADCON grid carries which datum to NAD83, and where the program keeps
// them: the grids/ folder of its data folder, installed with it.

#include "refdata/ZoneDatum.hpp"

#include <span>
#include <string_view>

namespace kartoval {

inline constexpr const char* kGridFolderName = "grids";

struct ShiftGrid {
    std::string_view FileName;  // "us_noaa_conus.tif"
    std::string_view Region;    // "conterminous US", for messages
    // The largest shift anywhere in the shipped grid (metres, sampled at its
    // nodes with PROJ's cct, rounded up): a larger one means damaged data.
    double LargestShiftMetres = 0.0;
};

// The grids that shift `datum` to NAD83, in the order they are tried (the
// first whose coverage holds the point is used). Empty for NAD83 itself and
// for WGS 84, which no grid reaches.
[[nodiscard]] std::span<const ShiftGrid> GridsToNad83(GeodeticDatum datum);

// Whether points can go from one datum to the other: the same datum (nothing
// to shift), or NAD83 and a datum with grids, either way round.
[[nodiscard]] bool HasGridPath(GeodeticDatum from, GeodeticDatum to);

// Why there is no path, for a usage error: "No NADCON grid connects WGS 84 and NAD27 ...".
[[nodiscard]] std::string NoGridPathReason(GeodeticDatum from, GeodeticDatum to);

}  // namespace kartoval
