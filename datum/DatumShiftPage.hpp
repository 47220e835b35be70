#pragma once
// The "Datum Shift" page as its commands see it: a NAD27 side and a NAD83
// side, each "Geographic" or a State Plane zone of its datum, with two boxes
// that hold X and Y (in the zone's unit) or latitude and longitude.

#include "conversion/ConversionRoute.hpp"
#include "datum/DatumShift.hpp"
#include "geodesy/ProjectionParams.hpp"
#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

#include <optional>
#include <string>

namespace kartoval {

struct DatumShiftPage {
    ListControl& BoxNad27Side;     // "Geographic", the older datums' geographic entries, the nad27.txt zones
    TextControl& LabNad27XLat;     // "Latitude:" or "X (ftUS):"
    TextControl& EditNad27XLat;
    TextControl& LabNad27YLon;     // "Longitude:" or "Y (ftUS):"
    TextControl& EditNad27YLon;
    ListControl& BoxNad83Side;     // "Geographic", the nad83.txt zones
    TextControl& LabNad83XLat;
    TextControl& EditNad83XLat;
    TextControl& LabNad83YLon;
    TextControl& EditNad83YLon;
};

enum class DatumPageSide { Nad27, Nad83 };

// Decimals of the page's results: a millimetre on the grid, a tenth of a
// millimetre in degrees, the accuracy the shift is checked to.
inline constexpr int kDatumGridDecimals = 3;
inline constexpr int kDatumDegreeDecimals = 9;

// Fills both side lists, selects "Geographic" on both and labels the boxes.
void FillDatumShiftPage(DatumShiftPage& page, const Platform& platform);

// Relabels a side's two boxes for its selected entry (the zone's unit).
void DatumSideChanged(DatumShiftPage& page, DatumPageSide side, const Platform& platform);

// What one click did, for the status line.
struct DatumShiftOutcome {
    DatumPageSide From = DatumPageSide::Nad27;
    std::string FromName;  // "NAD27 Texas South Central"
    std::string ToName;
    ShiftedDegrees Shift;
    // "This point lies 900 km north of the area of NAD27 Texas South
    // Central": shifted all the same, but probably not in the zone meant.
    std::optional<std::string> OutsideNotice;
};

// "NAD27 -> NAD83" and "NAD83 -> NAD27": read the one side, write the other.
// A bad number, grid values beyond their zone's area, a point outside every
// grid or a missing grid ends the click (CommandError naming the box or the
// point) before any box changes. The
// engine computes the transverse Mercator zones.
DatumShiftOutcome ButNad27ToNad83Click(DatumShiftPage& page, const Platform& platform, DatumShifter& shifter,
                                       TmEngine engine = TmEngine::Series);
DatumShiftOutcome ButNad83ToNad27Click(DatumShiftPage& page, const Platform& platform, DatumShifter& shifter,
                                       TmEngine engine = TmEngine::Series);

// "Shifted with us_noaa_conus.tif: 24.748 m north, -30.069 m east (NAD27
// Texas South Central -> NAD83 Texas South Central)".
[[nodiscard]] std::string DatumShiftStatus(const DatumShiftOutcome& outcome);

}  // namespace kartoval
