#pragma once
// The "Single Convertion" page as its commands see it: the controls they read
// and write, by their window names.

#include "geodesy/ProjectionParams.hpp"
#include "refdata/GridFamily.hpp"
#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

#include <optional>
#include <string>

namespace kartoval {

struct SinglePointPage {
    ListControl& BoxProjection2;  // zones of the chosen grid family
    ListControl& BoxEllipsoid2;
    TextControl& EditLatitude;
    TextControl& EditLongitude;
    TextControl& EditX;
    TextControl& EditY;
    CheckControl& ButtonDegreesToXY;  // unchecked means XY to degrees
    CheckControl& ButUTMN;
    CheckControl& ButUTMS;
    CheckControl& ButNAD27;
    CheckControl& ButNAD83;
};

// The grid family of the checked button of "Choose your XY Projection";
// nothing when none is checked.
[[nodiscard]] std::optional<XyProjectionKind> CheckedGridFamily(const SinglePointPage& page);

// What one click of "Convert" asks for, as the page shows it at the click.
struct SinglePointRequest {
    ConversionDirection Direction = ConversionDirection::DegreesToXy;
    std::optional<XyProjectionKind> Family;  // none: no path runs, only the output steps
    int ZonePosition = -1;                   // -1 when nothing is selected
    int EllipsoidPosition = -1;
};
[[nodiscard]] SinglePointRequest ReadSinglePointRequest(const SinglePointPage& page);

// What a click that converted did, for the window to tell the user.
struct SinglePointResult {
    ConversionDirection Direction = ConversionDirection::DegreesToXy;
    std::optional<XyProjectionKind> Family;  // none: only the output steps ran
    std::string EllipsoidName;               // of the line the lookup read
    // How far the point lies from the central meridian of its transverse
    // Mercator zone (UTM and the TM State Plane zones), in degrees; nothing
    // for a conic zone.
    std::optional<double> DegreesFromCentralMeridian;
    // "This point lies 1,240 km east of the area of NAD83 Texas South
    // Central": the point converted, but probably not in the zone meant.
    std::optional<std::string> OutsideNotice;
    // The transverse Mercator that converted; nothing for the other projections.
    std::optional<TmEngine> Engine;
    // Details of a converted point (a family was checked): the point scale
    // factor and the meridian convergence (degrees) on the zone's grid, and
    // the point's degrees as d°m's.sss"H, as kartoval-convert --factors and
    // --dms write them.
    std::optional<PointFactors> Factors;
    std::string LatitudeDms;
    std::string LongitudeDms;
    // The four boxes as the click left them.
    std::string Latitude;
    std::string Longitude;
    std::string X;
    std::string Y;
};

// Decimals of the boxes that "Convert" writes: degrees 6 to 9, grid values 2 to 4.
struct SinglePointDecimals {
    int Degrees = 6;
    int Grid = 2;
};
inline constexpr int kFewestDegreeDecimals = 6;
inline constexpr int kMostDegreeDecimals = 9;
inline constexpr int kFewestGridDecimals = 2;
inline constexpr int kMostGridDecimals = 4;

// "Scale factor 0.999600000, convergence -0.3862081°, 29°45'37.440"N
// 95°22'11.280"W"; empty when the click converted no point.
[[nodiscard]] std::string DetailsText(const SinglePointResult& result);

// What "Copy" puts on the clipboard: the result pair (the output of the
// click's direction, then its input), a line each, then the details line.
[[nodiscard]] std::string CopyText(const SinglePointResult& result);

// "Convert": converts the typed point in the direction and grid family chosen
// (a point beyond the zone's area converts, with an OutsideNotice),
// then rounds X and Y to 2 decimals and latitude and longitude to 6. Either
// every box gets its new text and the result tells what was done or, when the
// click ends early (a message, or a CommandError for a bad number or an
// impossible point), no box changes and the result is nothing. A list with
// nothing selected (ellipsoid; zone, once a family is checked) is refused
// with a message naming it, as its position would convert on line 1 of the
// table without a word.
// The engine computes the transverse Mercator zones (UTM and TM State Plane).
// Decimals outside their range are brought to its nearest end.
std::optional<SinglePointResult> ButConvertClick(SinglePointPage& page, const Platform& platform,
                                                 TmEngine engine = TmEngine::Series,
                                                 SinglePointDecimals decimals = {});

// "Find zone": with degrees typed (direction degrees to XY), selects the
// zone of the checked family that holds the point (UTM: the zone of the
// 6-degree rule, in the hemisphere of the checked button; State Plane: the
// zone whose area centre is nearest) and gives the status text naming it and
// any other zone that holds the point. With grid values typed (XY to
// degrees), names the zones of the family whose area those values fall in
// and selects the first. Nothing changes, and the text says why, for a point
// that no zone holds, an empty or bad box, or no family checked.
std::string ButFindZoneClick(SinglePointPage& page, const Platform& platform);

// The grid family buttons: each refills BoxProjection2 with its zones and
// selects the first one. They touch nothing else.
void FillZoneList(SinglePointPage& page, XyProjectionKind family, const Platform& platform);
void ButUTMNClick(SinglePointPage& page, const Platform& platform);
void ButUTMSClick(SinglePointPage& page, const Platform& platform);
void ButNAD27Click(SinglePointPage& page, const Platform& platform);
void ButNAD83Click(SinglePointPage& page, const Platform& platform);

// The refusals of an empty list selection, first line of their message.
inline constexpr const char* kChooseEllipsoidMessage = "Choose an ellipsoid";
inline constexpr const char* kChooseZoneMessage = "Choose a zone";

}  // namespace kartoval
