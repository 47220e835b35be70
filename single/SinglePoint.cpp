#include "geodesy/PointChecks.hpp"
#include "geodesy/GridProjection.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/UtmZones.hpp"
#include "single/ConvertSteps.hpp"
#include "single/RoundDecimals.hpp"
#include "single/SinglePointPage.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"

namespace kartoval {
namespace {

constexpr int kGridDecimals = 2;
constexpr int kDegreeDecimals = 6;

GridProjection utmProjection(const ConvertContext& context, Hemisphere hemisphere)
{
    return {EllipsoidInUnit(context.Shape, GridUnit::Metre), UtmZone(context.Position, hemisphere), context.Engine};
}

PathOutcome forwardUtm(PageTexts& texts, const ConvertContext& context, Hemisphere hemisphere)
{
    const char sep = context.Env.DecimalSeparator;
    const Geographic point = ReadGeographic(texts, sep);
    const GridProjection projection = utmProjection(context, hemisphere);
    const GridPoint grid = projection.Forward(point.Longitude, point.Latitude);
    WriteGrid(texts, grid.Easting, grid.Northing, sep);
    return {true, projection.DistanceFromCentralMeridian(point.Longitude), projection.Engine()};
}

PathOutcome inverseUtm(PageTexts& texts, const ConvertContext& context, Hemisphere hemisphere)
{
    const char sep = context.Env.DecimalSeparator;
    const double x = ReadBox(texts.X, kXBox, sep);
    const double y = ReadBox(texts.Y, kYBox, sep);
    const GridProjection projection = utmProjection(context, hemisphere);
    const GeoPoint point = projection.Inverse(x, y);
    WriteGeographic(texts, point.Latitude, point.Longitude, sep);
    return {true, projection.DistanceFromCentralMeridian(point.Longitude), projection.Engine()};
}

void roundBox(std::string& text, const char* box, int decimals, char sep)
{
    text = FloatToStr(RoundDecimals(ReadBox(text, box, sep), decimals), sep);
}

// The one path of the checked family; each State Plane zone says its unit.
PathOutcome runPath(PageTexts& texts, const SinglePointRequest& request, const ConvertContext& context)
{
    const bool forward = request.Direction == ConversionDirection::DegreesToXy;
    const XyProjectionKind family = *request.Family;
    if (IsUtm(family)) {
        const Hemisphere hemisphere = family == XyProjectionKind::UtmNorth ? Hemisphere::North : Hemisphere::South;
        return forward ? forwardUtm(texts, context, hemisphere) : inverseUtm(texts, context, hemisphere);
    }
    return forward ? ForwardStatePlane(texts, context, family) : InverseStatePlane(texts, context, family);
}

// A list with nothing selected would read line 1 of its table: a plausible
// answer on an ellipsoid or zone the user never chose.
bool selectionsUsable(const SinglePointRequest& request, MessageBoxes& messages)
{
    if (request.EllipsoidPosition < 0) {
        messages.ShowMessage(std::string(kChooseEllipsoidMessage) + "\nNothing is selected in the Ellipsoid list.",
                             kProgramCaption);
        return false;
    }
    if (request.Family && request.ZonePosition < 0) {
        messages.ShowMessage(std::string(kChooseZoneMessage) + "\nNothing is selected in the Projection list.",
                             kProgramCaption);
        return false;
    }
    return true;
}

void refillZones(ListControl& list, void (*listZones)(ListControl&))
{
    list.Clear();
    listZones(list);
    list.SetItemIndex(0);
}

void refillZones(ListControl& list, const Platform& platform, void (*listZones)(ListControl&, const Platform&))
{
    list.Clear();
    listZones(list, platform);
    list.SetItemIndex(0);
}

}  // namespace

double ReadBox(std::string_view text, const char* box, char decimalSeparator)
{
    try {
        return StrToFloat(text, decimalSeparator);
    } catch (const ConvertError& error) {
        throw ConvertError(std::string(box) + ": " + error.what());
    }
}

Geographic ReadGeographic(const PageTexts& texts, char decimalSeparator)
{
    Geographic point{};
    point.Latitude = ReadBox(texts.Latitude, kLatitudeBox, decimalSeparator);
    point.Longitude = ReadBox(texts.Longitude, kLongitudeBox, decimalSeparator);
    CheckLatitude(point.Latitude, decimalSeparator);
    CheckLongitude(point.Longitude, decimalSeparator);
    return point;
}

void WriteGrid(PageTexts& texts, double x, double y, char decimalSeparator)
{
    CheckGridResult(x, y);
    texts.X = FloatToStr(x, decimalSeparator);
    texts.Y = FloatToStr(y, decimalSeparator);
}

void WriteGeographic(PageTexts& texts, double latitude, double longitude, char decimalSeparator)
{
    CheckGeographicResult(latitude, longitude);
    texts.Latitude = FloatToStr(latitude, decimalSeparator);
    texts.Longitude = FloatToStr(longitude, decimalSeparator);
}

void ShowLookupError(const Platform& platform, const CommandError& error)
{
    platform.Messages.ShowMessage(error.what(), error.Caption());
}

std::optional<XyProjectionKind> CheckedGridFamily(const SinglePointPage& page)
{
    // Tested in the group's order; being one radio group, at most one is checked.
    if (page.ButUTMN.IsChecked()) return XyProjectionKind::UtmNorth;
    if (page.ButUTMS.IsChecked()) return XyProjectionKind::UtmSouth;
    if (page.ButNAD27.IsChecked()) return XyProjectionKind::Nad27;
    if (page.ButNAD83.IsChecked()) return XyProjectionKind::Nad83;
    return std::nullopt;
}

SinglePointRequest ReadSinglePointRequest(const SinglePointPage& page)
{
    return {.Direction = page.ButtonDegreesToXY.IsChecked() ? ConversionDirection::DegreesToXy
                                                            : ConversionDirection::XyToDegrees,
            .Family = CheckedGridFamily(page),
            .ZonePosition = page.BoxProjection2.GetItemIndex(),
            .EllipsoidPosition = page.BoxEllipsoid2.GetItemIndex()};
}

std::optional<SinglePointResult> ButConvertClick(SinglePointPage& page, const Platform& platform, TmEngine engine)
{
    const SinglePointRequest request = ReadSinglePointRequest(page);
    if (!selectionsUsable(request, platform.Messages)) return std::nullopt;
    Ellipsoid ellipsoid;
    try {
        ellipsoid = LoadEllipsoid(platform, kEllipsoidFileName, request.EllipsoidPosition + 1);
    } catch (const CommandError& error) {
        ShowLookupError(platform, error);
        return std::nullopt;
    }
    const ConvertContext context{platform, ellipsoid, request.ZonePosition, engine};
    const char sep = platform.DecimalSeparator;

    PageTexts texts{page.EditLatitude.GetText(), page.EditLongitude.GetText(), page.EditX.GetText(),
                    page.EditY.GetText()};
    SinglePointResult result{.Direction = request.Direction,
                             .Family = request.Family,
                             .EllipsoidName = ellipsoid.Name,
                             .DegreesFromCentralMeridian = std::nullopt,
                             .Engine = std::nullopt};
    if (request.Family) {
        const PathOutcome outcome = runPath(texts, request, context);
        if (!outcome.Converted) return std::nullopt;
        result.DegreesFromCentralMeridian = outcome.DegreesFromCentralMeridian;
        result.Engine = outcome.Engine;
    }

    // The output steps round what the boxes will show; in the forward direction
    // that includes the typed latitude and longitude.
    if (request.Direction == ConversionDirection::DegreesToXy) {
        roundBox(texts.X, kXBox, kGridDecimals, sep);
        roundBox(texts.Y, kYBox, kGridDecimals, sep);
    }
    roundBox(texts.Longitude, kLongitudeBox, kDegreeDecimals, sep);
    roundBox(texts.Latitude, kLatitudeBox, kDegreeDecimals, sep);

    page.EditX.SetText(texts.X);
    page.EditY.SetText(texts.Y);
    page.EditLongitude.SetText(texts.Longitude);
    page.EditLatitude.SetText(texts.Latitude);
    return result;
}

void FillZoneList(SinglePointPage& page, XyProjectionKind family, const Platform& platform)
{
    switch (family) {
    case XyProjectionKind::UtmNorth: refillZones(page.BoxProjection2, ListUtmNorthZones); break;
    case XyProjectionKind::UtmSouth: refillZones(page.BoxProjection2, ListUtmSouthZones); break;
    case XyProjectionKind::Nad27: refillZones(page.BoxProjection2, platform, ListNad27Zones); break;
    case XyProjectionKind::Nad83: refillZones(page.BoxProjection2, platform, ListNad83Zones); break;
    }
}

void ButUTMNClick(SinglePointPage& page, const Platform& platform)
{
    FillZoneList(page, XyProjectionKind::UtmNorth, platform);
}

void ButUTMSClick(SinglePointPage& page, const Platform& platform)
{
    FillZoneList(page, XyProjectionKind::UtmSouth, platform);
}

void ButNAD27Click(SinglePointPage& page, const Platform& platform)
{
    FillZoneList(page, XyProjectionKind::Nad27, platform);
}

void ButNAD83Click(SinglePointPage& page, const Platform& platform)
{
    FillZoneList(page, XyProjectionKind::Nad83, platform);
}

}  // namespace kartoval
