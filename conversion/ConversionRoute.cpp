#include "conversion/ConversionRoute.hpp"

#include "conversion/SideProjection.hpp"
#include "geodesy/Angles.hpp"
#include "geodesy/PointChecks.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"

#include <algorithm>
#include <cmath>
#include <variant>

namespace kartoval {
namespace {

constexpr double kQuarterTurn = 90.0;   // degrees from a TM central meridian where the grid runs to infinity
constexpr double kHalfTurn = 180.0;
// Grid values that come back through the inverse and the forward mapping
// within this (grid unit, plus a share of the distance from the false
// easting) are a place: the classic series stays within 30 m at 15 degrees
// from its central meridian, 2e-5 of the distance.
constexpr double kRoundTripSlack = 1.0;
constexpr double kRoundTripShare = 1e-3;

bool isWgs84(const CoordinateSide& side)
{
    // Plain degrees and UTM carry no datum and are taken on WGS 84.
    return side.Datum == GeodeticDatum::Wgs84 || (!side.Datum && side.Kind != SideKind::StatePlane);
}

std::string valueText(double value) { return FloatToStr(value); }

}  // namespace

bool TakesWgs84AsNad83(const CoordinateSide& from, const CoordinateSide& to)
{
    return (from.Datum == GeodeticDatum::Nad83 && isWgs84(to)) || (to.Datum == GeodeticDatum::Nad83 && isWgs84(from));
}

bool NeedsDatumShift(const CoordinateSide& from, const CoordinateSide& to)
{
    if (!from.Datum || !to.Datum || *from.Datum == *to.Datum) return false;
    return !TakesWgs84AsNad83(from, to);
}

ConversionRoute::Side ConversionRoute::makeSide(CoordinateSide def, std::optional<GridProjection> grid,
                                                const Platform& platform)
{
    Side side;
    side.Area = SideArea(def, platform);
    if (def.Kind == SideKind::Utm) {
        side.CentralMeridian = UtmCentralMeridian(def.UtmZoneNumber - 1);
        side.FalseEasting = kUtmFalseEasting;
        side.TransverseMercator = true;
    } else if (def.Kind == SideKind::StatePlane) {
        if (const auto* tm = std::get_if<TmParams>(&def.Zone->Projection)) {
            side.CentralMeridian = tm->CentralMeridian;
            side.FalseEasting = tm->FalseEasting;
            side.TransverseMercator = true;
        } else if (const auto* lcc = std::get_if<LccParams>(&def.Zone->Projection)) {
            side.CentralMeridian = lcc->CentralMeridian;
            side.FalseEasting = lcc->FalseEasting;
            side.NorthCone = lcc->FirstParallel + lcc->SecondParallel > 0;
            const GridPoint apex = grid->Forward(lcc->CentralMeridian, side.NorthCone ? 90.0 : -90.0);
            if (std::isfinite(apex.Northing)) side.ApexNorthing = apex.Northing;
        }
    }
    side.Def = std::move(def);
    side.Grid = std::move(grid);
    return side;
}

ConversionRoute::ConversionRoute(CoordinateSide from, CoordinateSide to, const Ellipsoid& ellipsoid,
                                 const Platform& platform, TmEngine engine)
{
    auto fromGrid = BuildProjection(from, ellipsoid, engine);
    auto toGrid = BuildProjection(to, ellipsoid, engine);
    from_ = makeSide(std::move(from), std::move(fromGrid), platform);
    to_ = makeSide(std::move(to), std::move(toGrid), platform);
}

ConversionRoute::ConversionRoute(CoordinateSide from, CoordinateSide to, const std::vector<Ellipsoid>& table,
                                 DatumShiftEngine& engine, const Platform& platform, TmEngine tm)
    : engine_(&engine)
{
    const auto onDatum = [&](const CoordinateSide& side) -> std::optional<GridProjection> {
        if (side.IsDegrees()) return std::nullopt;
        const auto ellipsoid = FindEllipsoid(table, side.DatumEllipsoid.value_or(""));
        if (!ellipsoid) {
            throw CommandError("The ellipsoid \"" + side.DatumEllipsoid.value_or("") + "\" of " + side.Label +
                                   " is not in " + platform.DataFile(kEllipsoidFileName).string() + ".",
                               kFileErrorCaption);
        }
        return BuildProjection(side, *ellipsoid, tm);
    };
    auto fromGrid = onDatum(from);
    auto toGrid = onDatum(to);
    from_ = makeSide(std::move(from), std::move(fromGrid), platform);
    to_ = makeSide(std::move(to), std::move(toGrid), platform);
}

GeoPoint ConversionRoute::toDegrees(double x, double y) const
{
    if (!from_.Grid) {
        CheckLatitude(y);
        CheckLongitude(x);
        return GeoPoint{x, y};
    }
    const CoordinateSide& side = from_.Def;
    const auto noPlace = [&](const std::string& why) {
        return PointRangeError(side.Label + ": " + valueText(x) + ", " + valueText(y) + " " + why);
    };
    CheckGridResult(x, y);
    if (side.Kind == SideKind::Utm && side.UtmHemisphere == Hemisphere::North && y < 0.0) {
        throw noPlace("has a negative northing: in a north zone that lies south of the equator (use the south zone)");
    }
    if (side.Kind == SideKind::Utm && side.UtmHemisphere == Hemisphere::South && y > kUtmFalseNorthingSouth) {
        throw noPlace("has a northing above 10000000: in a south zone that lies north of the equator (use the "
                      "north zone)");
    }
    if (from_.ApexNorthing && (from_.NorthCone ? y > *from_.ApexNorthing : y < *from_.ApexNorthing)) {
        throw noPlace("lies beyond the pole, where the zone's cone has its apex (northing " +
                      valueText(*from_.ApexNorthing) + "): no place on the Earth has it");
    }
    const GeoPoint degrees = from_.Grid->Inverse(x, y);
    CheckGeographicResult(degrees.Latitude, degrees.Longitude);
    if (from_.CentralMeridian &&
        std::abs(NormalizeLongitude(degrees.Longitude - *from_.CentralMeridian)) > (from_.TransverseMercator ? kQuarterTurn : kHalfTurn)) {
        throw noPlace("lies too far east or west of the central meridian to be a place on the Earth");
    }
    // Values far off the grid make the series give numbers that are no
    // point at all; such a "point" does not come back to the values typed.
    const GridPoint back = from_.Grid->Forward(degrees.Longitude, degrees.Latitude);
    const double tolerance = kRoundTripSlack + kRoundTripShare * std::abs(x - from_.FalseEasting);
    if (!(std::abs(back.Easting - x) <= tolerance && std::abs(back.Northing - y) <= tolerance)) {
        throw noPlace("lies too far east or west of the central meridian to be a place on the Earth");
    }
    return degrees;
}

GridPoint ConversionRoute::toGrid(const Side& side, const GeoPoint& degrees)
{
    if (side.TransverseMercator && side.CentralMeridian &&
        std::abs(NormalizeLongitude(degrees.Longitude - *side.CentralMeridian)) >= kQuarterTurn) {
        throw PointRangeError("Longitude " + valueText(degrees.Longitude) + " lies a quarter turn or more from the "
                              "central meridian of " + side.Def.Label + ", where its grid has no values");
    }
    const GridPoint grid = side.Grid->Forward(degrees.Longitude, degrees.Latitude);
    CheckGridResult(grid.Easting, grid.Northing);
    return grid;
}

PointResult ConversionRoute::Convert(double x, double y, bool withFactors) const
{
    PointResult result;
    result.InputDegrees = toDegrees(x, y);
    result.Degrees = result.InputDegrees;
    if (engine_ != nullptr) {
        ShiftedDegrees shifted = engine_->Shift(*from_.Def.Datum, *to_.Def.Datum, result.InputDegrees);
        result.Degrees = shifted.Degrees;
        result.Shift = std::move(shifted);
    }
    if (to_.Grid) {
        const GridPoint grid = toGrid(to_, result.Degrees);
        result.X = grid.Easting;
        result.Y = grid.Northing;
    } else {
        result.X = result.Degrees.Longitude;
        result.Y = result.Degrees.Latitude;
        CheckGeographicResult(result.Y, result.X);
    }
    if (withFactors && HasGrid()) result.Factors = Factors(result.Degrees);
    result.DegreesFromCentralMeridian = distanceFromCentralMeridian(result.InputDegrees, result.Degrees);
    for (const auto& [side, degrees] : {std::pair{&from_, result.InputDegrees}, std::pair{&to_, result.Degrees}}) {
        if (result.Outside || !side->Area) continue;
        if (const auto miss = OutsideArea(*side->Area, degrees)) result.Outside = OutsideNote{side->Def.Label, *miss};
    }
    return result;
}

bool ConversionRoute::InsideAreas(const GeoPoint& degrees) const
{
    for (const Side* side : {&from_, &to_}) {
        if (side->Area && OutsideArea(*side->Area, degrees)) return false;
    }
    return true;
}

std::string OutsideNotice(const OutsideNote& note)
{
    return "This point lies " + AreaMissText(note.Miss, note.ZoneLabel);
}

std::optional<TmEngine> ConversionRoute::Engine() const
{
    for (const Side* side : {&from_, &to_}) {
        if (side->Grid && side->Grid->Engine()) return side->Grid->Engine();
    }
    return std::nullopt;
}

PointFactors ConversionRoute::Factors(const GeoPoint& degrees) const
{
    // With a datum shift the factors belong to the output grid's datum.
    if (to_.Grid) return to_.Grid->Factors(degrees.Longitude, degrees.Latitude);
    return from_.Grid->Factors(degrees.Longitude, degrees.Latitude);
}

std::optional<double> ConversionRoute::distanceFromCentralMeridian(const GeoPoint& input, const GeoPoint& output) const
{
    std::optional<double> worst;
    for (const auto& [side, degrees] : {std::pair{&from_, input}, std::pair{&to_, output}}) {
        if (!side->Grid) continue;
        if (const auto distance = side->Grid->DistanceFromCentralMeridian(degrees.Longitude)) {
            worst = std::max(worst.value_or(0.0), *distance);
        }
    }
    return worst;
}

}  // namespace kartoval
