#include "datum/DatumShiftPage.hpp"

#include "conversion/ConversionRoute.hpp"
#include "conversion/SideProjection.hpp"
#include "conversion/ZoneArea.hpp"
#include "datum/GridShiftEngine.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "toolkit/NumberText.hpp"

#include <array>
#include <span>
#include <vector>

namespace kartoval {
namespace {

struct GeographicEntry {
    const char* Label;
    GeodeticDatum Datum;
};

// The older datums' degrees come first on the NAD27 side, so every grid
// Kartoval ships is reachable from the page, not only through a zone.
constexpr std::array kNad27Geographic = {
    GeographicEntry{"Geographic", GeodeticDatum::Nad27},
    GeographicEntry{"Geographic (Old Hawaiian)", GeodeticDatum::OldHawaiian},
    GeographicEntry{"Geographic (Puerto Rico)", GeodeticDatum::PuertoRico},
    GeographicEntry{"Geographic (St. George Island)", GeodeticDatum::StGeorge},
    GeographicEntry{"Geographic (St. Lawrence Island)", GeodeticDatum::StLawrence},
    GeographicEntry{"Geographic (St. Paul Island)", GeodeticDatum::StPaul},
};
constexpr std::array kNad83Geographic = {GeographicEntry{"Geographic", GeodeticDatum::Nad83}};

struct SideControls {
    const char* DatumLabel;  // "NAD27"
    XyProjectionKind Family;
    std::span<const GeographicEntry> Geographic;
    ListControl& Box;
    TextControl& LabXLat;
    TextControl& EditXLat;
    TextControl& LabYLon;
    TextControl& EditYLon;
};

SideControls controls(DatumShiftPage& page, DatumPageSide side)
{
    if (side == DatumPageSide::Nad27) {
        return {"NAD27", XyProjectionKind::Nad27, kNad27Geographic, page.BoxNad27Side,
                page.LabNad27XLat, page.EditNad27XLat, page.LabNad27YLon, page.EditNad27YLon};
    }
    return {"NAD83", XyProjectionKind::Nad83, kNad83Geographic, page.BoxNad83Side,
            page.LabNad83XLat, page.EditNad83XLat, page.LabNad83YLon, page.EditNad83YLon};
}

bool isGeographic(const SideControls& side)
{
    const int position = side.Box.GetItemIndex();
    return position >= 0 && static_cast<std::size_t>(position) < side.Geographic.size();
}

struct BoxLabels {
    std::string XLat;
    std::string YLon;
};

BoxLabels labels(const SideControls& side)
{
    if (isGeographic(side)) return {"Latitude", "Longitude"};
    const std::string unit = FamilyUnit(side.Family) == GridUnit::UsSurveyFoot ? " (ftUS)" : " (m)";
    return {"X" + unit, "Y" + unit};
}

CoordinateSide readSide(const SideControls& side, const Platform& platform)
{
    const int position = side.Box.GetItemIndex();
    if (position < 0) {
        throw CommandError(std::string("Choose a grid\nThe ") + side.DatumLabel + " side has none selected.");
    }
    if (isGeographic(side)) {
        const GeodeticDatum datum = side.Geographic[static_cast<std::size_t>(position)].Datum;
        CoordinateSide degrees = DegreesSide(datum);
        degrees.Label = std::string(DatumName(datum)) + " geographic";
        return degrees;
    }
    return FamilySide(side.Family, position - static_cast<int>(side.Geographic.size()), platform);
}

double readBox(const SideControls& side, const TextControl& box, const std::string& label, char separator)
{
    try {
        return StrToFloat(box.GetText(), separator);
    } catch (const ConvertError& error) {
        throw ConvertError(std::string(side.DatumLabel) + " " + label + ": " + error.what());
    }
}

std::string fixedText(double value, int decimals, char separator)
{
    std::string text = FixedToStr(value, decimals);
    for (char& c : text) {
        if (c == '.') c = separator;
    }
    return text;
}

// Grid values that place the point beyond every zone's area are no State
// Plane values at all, most often degrees left in the boxes of a side switched
// to a zone: refused before any grid is looked up. A point near another zone
// is left to the notice of the shift, as on the other pages.
void refuseNowhere(const CoordinateSide& side, const std::vector<Ellipsoid>& ellipsoids, double x, double y,
                   const BoxLabels& labels, const Platform& platform, TmEngine tm)
{
    const std::optional<Ellipsoid> ellipsoid = FindEllipsoid(ellipsoids, side.DatumEllipsoid.value_or(""));
    if (!ellipsoid) return;  // the route has refused it already
    const PointResult onItsOwn = ConversionRoute(side, DegreesSide(side.Datum), *ellipsoid, platform, tm).Convert(x, y);
    if (!onItsOwn.Outside || WithinSomeZoneArea(onItsOwn.InputDegrees, platform)) return;
    throw PointRangeError(OutsideNotice(*onItsOwn.Outside) + " and outside every zone's area: " + labels.XLat +
                          " and " + labels.YLon + " can't be values of this zone; nothing was shifted");
}

DatumShiftOutcome shift(DatumShiftPage& page, const Platform& platform, DatumShifter& shifter, DatumPageSide from,
                        TmEngine tm)
{
    const SideControls in = controls(page, from);
    const SideControls out = controls(page, from == DatumPageSide::Nad27 ? DatumPageSide::Nad83 : DatumPageSide::Nad27);
    GridShiftEngine engine(shifter);
    const CoordinateSide inSide = readSide(in, platform);
    const std::vector<Ellipsoid> ellipsoids = ReadEllipsoids(platform);
    const ConversionRoute route(inSide, readSide(out, platform), ellipsoids, engine, platform, tm);
    const BoxLabels inLabels = labels(in);
    const double first = readBox(in, in.EditXLat, inLabels.XLat, platform.DecimalSeparator);
    const double second = readBox(in, in.EditYLon, inLabels.YLon, platform.DecimalSeparator);
    const bool fromGrid = !route.InputIsDegrees();
    const bool toGrid = !route.OutputIsDegrees();
    if (fromGrid) refuseNowhere(inSide, ellipsoids, first, second, inLabels, platform, tm);
    const PointResult point = route.Convert(fromGrid ? first : second, fromGrid ? second : first);
    const int decimals = toGrid ? kDatumGridDecimals : kDatumDegreeDecimals;
    const char sep = platform.DecimalSeparator;
    out.EditXLat.SetText(fixedText(toGrid ? point.X : point.Y, decimals, sep));
    out.EditYLon.SetText(fixedText(toGrid ? point.Y : point.X, decimals, sep));
    DatumShiftOutcome outcome{from, route.From().Label, route.To().Label, point.Shift.value_or(ShiftedDegrees{}), {}};
    if (point.Outside) {
        outcome.OutsideNotice = OutsideNotice(*point.Outside);
    }
    return outcome;
}

std::string metres(double value)
{
    return FixedToStr(value, 3) + " m";
}

}  // namespace

void FillDatumShiftPage(DatumShiftPage& page, const Platform& platform)
{
    for (const DatumPageSide side : {DatumPageSide::Nad27, DatumPageSide::Nad83}) {
        SideControls c = controls(page, side);
        c.Box.Clear();
        for (const GeographicEntry& entry : c.Geographic) c.Box.AddItem(entry.Label);
        if (side == DatumPageSide::Nad27) {
            ListNad27Zones(c.Box, platform);
        } else {
            ListNad83Zones(c.Box, platform);
        }
        c.Box.SetItemIndex(0);
        DatumSideChanged(page, side, platform);
    }
}

void DatumSideChanged(DatumShiftPage& page, DatumPageSide side, const Platform&)
{
    SideControls c = controls(page, side);
    const BoxLabels text = labels(c);
    c.LabXLat.SetText(text.XLat + ":");
    c.LabYLon.SetText(text.YLon + ":");
}

DatumShiftOutcome ButNad27ToNad83Click(DatumShiftPage& page, const Platform& platform, DatumShifter& shifter,
                                       TmEngine engine)
{
    return shift(page, platform, shifter, DatumPageSide::Nad27, engine);
}

DatumShiftOutcome ButNad83ToNad27Click(DatumShiftPage& page, const Platform& platform, DatumShifter& shifter,
                                       TmEngine engine)
{
    return shift(page, platform, shifter, DatumPageSide::Nad83, engine);
}

std::string DatumShiftStatus(const DatumShiftOutcome& outcome)
{
    // The grid and the shift first: the status line may cut the route off.
    const std::string route = " (" + outcome.FromName + " -> " + outcome.ToName + ")";
    // A point beyond its zone's area leads: it is the likelier mistake.
    if (outcome.OutsideNotice) {
        DatumShiftOutcome plain = outcome;
        plain.OutsideNotice.reset();
        return *outcome.OutsideNotice + ". " + DatumShiftStatus(plain);
    }
    if (outcome.Shift.Grid.empty()) return "Same datum, no shift" + route;
    return "Shifted with " + outcome.Shift.Grid + ": " + metres(outcome.Shift.NorthMetres) +
           " north, " + metres(outcome.Shift.EastMetres) + " east" + route;
}

}  // namespace kartoval
