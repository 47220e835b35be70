#include "conversion/ConversionRoute.hpp"
#include "geodesy/PointChecks.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/UtmZones.hpp"
#include "single/ConvertSteps.hpp"
#include "single/DegreesBox.hpp"
#include "single/RoundDecimals.hpp"
#include "single/SinglePointPage.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"

#include <variant>

namespace kartoval {
namespace {

constexpr int kGridDecimals = 2;
constexpr int kDegreeDecimals = 6;

void showError(const Platform& platform, const CommandError& error)
{
    platform.Messages.ShowMessage(error.what(), error.Caption());
}

// The path of the checked family through the conversion core. False, after a
// message, when the zone can't be looked up or converted; a bad number or a
// point with no place throws.
bool runPath(PageTexts& texts, const SinglePointRequest& request, const Ellipsoid& ellipsoid, TmEngine engine,
             const Platform& platform, SinglePointResult& result)
{
    const char sep = platform.DecimalSeparator;
    const bool forward = request.Direction == ConversionDirection::DegreesToXy;
    std::optional<ConversionRoute> route;
    try {
        CoordinateSide zone = FamilySide(*request.Family, request.ZonePosition, platform);
        route.emplace(forward ? DegreesSide() : zone, forward ? std::move(zone) : DegreesSide(), ellipsoid, platform,
                      engine);
    } catch (const CommandError& error) {
        showError(platform, error);
        return false;
    }
    PointResult point;
    if (forward) {
        const double latitude = ReadDegreesBox(texts.Latitude, kLatitudeBox, AngleAxis::Latitude, sep);
        const double longitude = ReadDegreesBox(texts.Longitude, kLongitudeBox, AngleAxis::Longitude, sep);
        CheckLatitude(latitude, sep);
        CheckLongitude(longitude, sep);
        point = route->Convert(longitude, latitude);
        texts.X = FloatToStr(point.X, sep);
        texts.Y = FloatToStr(point.Y, sep);
    } else {
        // The conic path has always read Y before X, so a bad Y is the one reported.
        const CoordinateSide& zone = route->From();
        const bool lambert = zone.Zone && std::holds_alternative<LccParams>(zone.Zone->Projection);
        double x = 0.0;
        double y = 0.0;
        if (lambert) {
            y = ReadBox(texts.Y, kYBox, sep);
            x = ReadBox(texts.X, kXBox, sep);
        } else {
            x = ReadBox(texts.X, kXBox, sep);
            y = ReadBox(texts.Y, kYBox, sep);
        }
        point = route->Convert(x, y);
        texts.Latitude = FloatToStr(point.Y, sep);
        texts.Longitude = FloatToStr(point.X, sep);
    }
    result.DegreesFromCentralMeridian = point.DegreesFromCentralMeridian;
    result.Engine = route->Engine();
    if (point.Outside) result.OutsideNotice = OutsideNotice(*point.Outside);
    return true;
}

void roundBox(std::string& text, const char* box, int decimals, char sep)
{
    text = FloatToStr(RoundDecimals(ReadBox(text, box, sep), decimals), sep);
}

// A typed angle (29d45m37.44s N) is shown as the decimal degrees it read as.
void roundDegreesBox(std::string& text, const char* box, AngleAxis axis, char sep)
{
    text = FloatToStr(RoundDecimals(ReadDegreesBox(text, box, axis, sep), kDegreeDecimals), sep);
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
        showError(platform, error);
        return std::nullopt;
    }
    const char sep = platform.DecimalSeparator;

    PageTexts texts{page.EditLatitude.GetText(), page.EditLongitude.GetText(), page.EditX.GetText(),
                    page.EditY.GetText()};
    SinglePointResult result{.Direction = request.Direction,
                             .Family = request.Family,
                             .EllipsoidName = ellipsoid.Name,
                             .DegreesFromCentralMeridian = std::nullopt,
                             .OutsideNotice = std::nullopt,
                             .Engine = std::nullopt};
    if (request.Family && !runPath(texts, request, ellipsoid, engine, platform, result)) return std::nullopt;

    // The output steps round what the boxes will show; in the forward direction
    // that includes the typed latitude and longitude.
    if (request.Direction == ConversionDirection::DegreesToXy) {
        roundBox(texts.X, kXBox, kGridDecimals, sep);
        roundBox(texts.Y, kYBox, kGridDecimals, sep);
    }
    roundDegreesBox(texts.Longitude, kLongitudeBox, AngleAxis::Longitude, sep);
    roundDegreesBox(texts.Latitude, kLatitudeBox, AngleAxis::Latitude, sep);

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
