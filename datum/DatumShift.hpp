#pragma once
// The datum shift between NAD83 and the older datums, by NOAA's NADCON grids
// through PROJ. Every grid is pinned by name (PROJ's hgridshift on that one
// file, read from the program's own grid folder only, network off), so PROJ
// can never put another operation or a fixed-parameter fallback in its place;
// a point outside every grid of its datum is refused, never guessed. PROJ
// itself is loaded at the first shift (see DatumEngine.hpp).

#include "datum/ShiftGrids.hpp"
#include "toolkit/Errors.hpp"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace kartoval {

// A grid file that is not in the grid folder or can't be read. The message
// names the file and the folder; it is shown as a "File error".
class GridFileError : public CommandError {
public:
    explicit GridFileError(const std::string& message) : CommandError(message, kFileErrorCaption) {}
};

// A point that no grid of its datum covers, or that the grid can't shift.
class OutsideGridError : public PointRangeError {
public:
    using PointRangeError::PointRangeError;
};

// Two datums that no grid connects (WGS 84 and NAD27, say).
class NoGridPathError : public CommandError {
public:
    using CommandError::CommandError;
};

class DatumEngine;

struct DatumShiftResult {
    double Longitude = 0.0;       // degrees on the target datum, in (-180, 180]
    double Latitude = 0.0;        // degrees on the target datum
    std::string_view Grid;        // file name of the grid used; empty when the datums are the same
    double NorthMetres = 0.0;     // target minus source, metres along the meridian
    double EastMetres = 0.0;      // target minus source, metres along the parallel
};

class DatumShifter {
public:
    // `gridFolder` holds the grid files; nothing else is ever searched.
    // Nothing is loaded until the first Shift.
    explicit DatumShifter(std::filesystem::path gridFolder);
    ~DatumShifter();
    DatumShifter(const DatumShifter&) = delete;
    DatumShifter& operator=(const DatumShifter&) = delete;

    // The point (degrees on `from`) on `to`. Throws NoGridPathError when no
    // grid connects the two, GridFileError for a missing or unreadable grid,
    // OutsideGridError for a point outside every grid of the older datum.
    // Grids are opened on first use, so a missing Alaska grid doesn't stop
    // conterminous points. Throws DatumEngineError when PROJ can't be loaded.
    [[nodiscard]] DatumShiftResult Shift(GeodeticDatum from, GeodeticDatum to, double longitude, double latitude);

    [[nodiscard]] const std::filesystem::path& GridFolder() const { return gridFolder_; }

private:
    std::filesystem::path gridFolder_;
    std::unique_ptr<DatumEngine> engine_;  // loaded at the first Shift
};

// The grid folder of the running program: grids/ in its data folder.
[[nodiscard]] std::filesystem::path ProgramGridFolder();

// North and east metres between two nearby points (degrees) on GRS 1980, by
// the radii of curvature at their mean latitude; for shifts of a few hundred
// metres this is exact to well under a millimetre.
struct ShiftMetres {
    double North = 0.0;
    double East = 0.0;
};
[[nodiscard]] ShiftMetres ShiftInMetres(double fromLongitude, double fromLatitude, double toLongitude,
                                        double toLatitude);

}  // namespace kartoval
