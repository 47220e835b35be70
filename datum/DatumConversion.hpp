#pragma once
// A point carried from one datum's grid or degrees to another's: grid ->
// degrees -> datum shift -> degrees -> grid. Shared by the "Datum Shift" page
// and the command line.

#include "datum/DatumShift.hpp"
#include "geodesy/GridProjection.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "toolkit/Platform.hpp"

#include <optional>
#include <string>

namespace kartoval {

// One side of a conversion: latitude/longitude on a datum, or a grid on it.
struct DatumSide {
    GeodeticDatum Datum = GeodeticDatum::Nad83;
    std::optional<GridProjection> Grid;  // none: degrees
    std::string Name;                    // "NAD27 Texas South Central", "NAD83 geographic", for messages
};

struct CrossDatumPoint {
    double X = 0.0;  // longitude or easting on the target side
    double Y = 0.0;  // latitude or northing
    DatumShiftResult Shift;
};

// (x, y) is (longitude, latitude) or (easting, northing) on `from`; so is the
// result on `to`. Throws what DatumShifter::Shift throws, and PointRangeError
// for a grid point that has no position on the Earth.
[[nodiscard]] CrossDatumPoint ConvertAcrossDatums(DatumShifter& shifter, const DatumSide& from,
                                                  const DatumSide& to, double x, double y);

// The State Plane zone at list position `position` of a family's table as a
// side: on its own datum, projected on that datum's ellipsoid (looked up by
// name in ellips.txt) in the zone's unit, a transverse Mercator zone by the
// engine given. Throws the table errors of the lookups.
[[nodiscard]] DatumSide StatePlaneSide(const Platform& platform, XyProjectionKind family, int position,
                                       TmEngine engine = TmEngine::Series);

// The same for a zone already read.
[[nodiscard]] DatumSide StatePlaneSide(const Platform& platform, XyProjectionKind family, const StatePlaneZone& zone,
                                       TmEngine engine = TmEngine::Series);

// Degrees on a datum.
[[nodiscard]] DatumSide GeographicSide(GeodeticDatum datum);

}  // namespace kartoval
