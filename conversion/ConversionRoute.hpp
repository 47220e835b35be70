#pragma once
// The one road of a point, for every page and the command line: input side ->
// degrees -> (datum shift) -> degrees -> output side, decided once per run.
// The guards that keep a wrong input from coming out as a plausible wrong
// number live here, so each front end shows the same ones: grid values with
// no place on the Earth are refused, and a point beyond its zone's area is
// flagged for the front end to refuse (files) or show (one point).

#include "conversion/CoordinateSide.hpp"
#include "conversion/ZoneArea.hpp"
#include "geodesy/GridProjection.hpp"
#include "refdata/Ellipsoids.hpp"
#include "toolkit/Platform.hpp"

#include <optional>
#include <string>
#include <vector>

namespace kartoval {

// The datum shift between two datums' degrees; the datum library implements
// it on the NADCON grids.
struct ShiftedDegrees {
    GeoPoint Degrees{};          // on the target datum
    std::string Grid;            // file name of the grid used
    double NorthMetres = 0.0;    // target minus source along the meridian
    double EastMetres = 0.0;     // along the parallel
};

class DatumShiftEngine {
public:
    virtual ~DatumShiftEngine() = default;
    // Throws PointRangeError for a point no grid of the datum covers, and
    // CommandError ("File error") for a grid that can't be read.
    [[nodiscard]] virtual ShiftedDegrees Shift(GeodeticDatum from, GeodeticDatum to, const GeoPoint& degrees) = 0;
};

// True when the two sides name different datums that a shift must connect.
// WGS 84 and NAD83 count as one (see TakesWgs84AsNad83).
[[nodiscard]] bool NeedsDatumShift(const CoordinateSide& from, const CoordinateSide& to);

// True when one side is on NAD83 and the other on WGS 84 (named, or plain
// degrees or UTM, which are taken on WGS 84): the run takes the two as equal,
// which they are only to about 2 m today.
[[nodiscard]] bool TakesWgs84AsNad83(const CoordinateSide& from, const CoordinateSide& to);
inline constexpr const char* kWgs84AsNad83Note =
    "WGS 84 and NAD83 are taken as the same datum here; today they differ by up to about 2 m";

// A point beyond its zone's area (more than kAreaMarginDegrees).
struct OutsideNote {
    std::string ZoneLabel;  // the side whose area it misses
    AreaMiss Miss;
};

// "This point lies 1,240 km east of the area of NAD83 Texas South Central",
// as the pages that convert one point say it.
[[nodiscard]] std::string OutsideNotice(const OutsideNote& note);

struct PointResult {
    double X = 0.0;  // output longitude or easting
    double Y = 0.0;  // output latitude or northing
    GeoPoint Degrees{};       // on the output side's datum
    GeoPoint InputDegrees{};  // on the input side's datum
    std::optional<ShiftedDegrees> Shift;  // when the route shifts a datum
    std::optional<PointFactors> Factors;  // on request, on the output grid (else the input grid)
    // The largest distance from a transverse Mercator central meridian of
    // either side, degrees; nothing when neither side is transverse Mercator.
    std::optional<double> DegreesFromCentralMeridian;
    std::optional<OutsideNote> Outside;
};

class ConversionRoute {
public:
    // Both sides on one ellipsoid, no datum shift; `engine` computes the
    // transverse Mercator sides.
    ConversionRoute(CoordinateSide from, CoordinateSide to, const Ellipsoid& ellipsoid, const Platform& platform,
                    TmEngine engine = TmEngine::Series);
    // Each side on its own datum's ellipsoid (looked up by name in `table`),
    // the shift in between; `engine` must outlive the route. Throws
    // CommandError ("File error") when the table lacks a datum's ellipsoid.
    ConversionRoute(CoordinateSide from, CoordinateSide to, const std::vector<Ellipsoid>& table,
                    DatumShiftEngine& engine, const Platform& platform, TmEngine tm = TmEngine::Series);

    // (x, y) is (longitude, latitude) or (easting, northing); so is the
    // result. Throws PointRangeError for a latitude outside -90..90, a
    // longitude beyond a full turn, grid values with no place on the Earth,
    // a point the output grid can't take or a result that is no number, and
    // what the datum shift throws.
    [[nodiscard]] PointResult Convert(double x, double y, bool withFactors = false) const;

    // Whether degrees given for the input would lie inside every area of the
    // route (before any shift): used to tell a flipped sign from a wrong zone.
    [[nodiscard]] bool InsideAreas(const GeoPoint& degrees) const;

    [[nodiscard]] const CoordinateSide& From() const { return from_.Def; }
    [[nodiscard]] const CoordinateSide& To() const { return to_.Def; }
    [[nodiscard]] bool InputIsDegrees() const { return !from_.Grid.has_value(); }
    [[nodiscard]] bool OutputIsDegrees() const { return !to_.Grid.has_value(); }
    [[nodiscard]] bool HasGrid() const { return from_.Grid.has_value() || to_.Grid.has_value(); }
    [[nodiscard]] bool ShiftsDatum() const { return engine_ != nullptr; }
    // The transverse Mercator that computes a side of the route; nothing
    // when neither side is transverse Mercator.
    [[nodiscard]] std::optional<TmEngine> Engine() const;

    // Scale factor and convergence on the output grid (the input grid when
    // the output is degrees); needs HasGrid().
    [[nodiscard]] PointFactors Factors(const GeoPoint& degrees) const;

private:
    struct Side {
        CoordinateSide Def;
        std::optional<GridProjection> Grid;
        std::optional<ZoneArea> Area;
        std::optional<double> CentralMeridian;
        double FalseEasting = 0.0;
        bool TransverseMercator = false;
        // A Lambert cone's apex: no northing beyond it is a place.
        std::optional<double> ApexNorthing;
        bool NorthCone = true;
    };
    static Side makeSide(CoordinateSide def, std::optional<GridProjection> grid, const Platform& platform);
    GeoPoint toDegrees(double x, double y) const;
    static GridPoint toGrid(const Side& side, const GeoPoint& degrees);
    [[nodiscard]] std::optional<double> distanceFromCentralMeridian(const GeoPoint& input, const GeoPoint& output) const;

    Side from_;
    Side to_;
    DatumShiftEngine* engine_ = nullptr;
};

}  // namespace kartoval
