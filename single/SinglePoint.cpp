#include "conversion/ConversionRoute.hpp"
#include "conversion/ZoneFinder.hpp"
#include "geodesy/DegreesText.hpp"
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

#include <algorithm>
#include <variant>

namespace kartoval {
namespace {

// The details as kartoval-convert writes --factors and --dms by default.
constexpr int kScaleDecimals = 9;
constexpr int kConvergenceDecimals = 7;
constexpr int kSecondDecimals = 3;
constexpr std::size_t kZonesNamed = 5;  // a longer list of fitting zones is counted, not named

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
        point = route->Convert(longitude, latitude, true);
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
        point = route->Convert(x, y, true);
        texts.Latitude = FloatToStr(point.Y, sep);
        texts.Longitude = FloatToStr(point.X, sep);
    }
    result.DegreesFromCentralMeridian = point.DegreesFromCentralMeridian;
    result.Engine = route->Engine();
    if (point.Outside) result.OutsideNotice = OutsideNotice(*point.Outside);
    result.Factors = point.Factors;
    const GeoPoint& degrees = forward ? point.InputDegrees : point.Degrees;
    AppendDms(result.LatitudeDms, degrees.Latitude, AngleAxis::Latitude, kSecondDecimals);
    AppendDms(result.LongitudeDms, degrees.Longitude, AngleAxis::Longitude, kSecondDecimals);
    return true;
}

void roundBox(std::string& text, const char* box, int decimals, char sep)
{
    text = FloatToStr(RoundDecimals(ReadBox(text, box, sep), decimals), sep);
}

// A typed angle (29d45m37.44s N) is shown as the decimal degrees it read as.
void roundDegreesBox(std::string& text, const char* box, AngleAxis axis, int decimals, char sep)
{
    text = FloatToStr(RoundDecimals(ReadDegreesBox(text, box, axis, sep), decimals), sep);
}

std::string zoneList(const std::vector<FoundZone>& zones, std::size_t from)
{
    std::string text;
    for (std::size_t k = from; k < zones.size() && k < from + kZonesNamed; ++k) {
        if (k > from) text += ", ";
        text += zones[k].Side.Label;
    }
    if (zones.size() > from + kZonesNamed) text += " and " + std::to_string(zones.size() - from - kZonesNamed) + " more";
    return text;
}

const char* familyText(XyProjectionKind family)
{
    switch (family) {
    case XyProjectionKind::UtmNorth: return "UTM (North Hemisphere)";
    case XyProjectionKind::UtmSouth: return "UTM (South Hemisphere)";
    case XyProjectionKind::Nad27: return "NAD27";
    case XyProjectionKind::Nad83: return "NAD83";
    }
    return "";
}

// The zone of typed degrees; the status text.
std::string findZoneOfDegrees(SinglePointPage& page, XyProjectionKind family, const Platform& platform)
{
    const char sep = platform.DecimalSeparator;
    const double latitude = ReadDegreesBox(page.EditLatitude.GetText(), kLatitudeBox, AngleAxis::Latitude, sep);
    const double longitude = ReadDegreesBox(page.EditLongitude.GetText(), kLongitudeBox, AngleAxis::Longitude, sep);
    CheckLatitude(latitude, sep);
    CheckLongitude(longitude, sep);
    const std::string where = FloatToStr(latitude, sep) + ", " + FloatToStr(longitude, sep);
    if (IsUtm(family)) {
        const auto zone = StandardUtmZone(latitude, longitude);
        if (!zone) return "No UTM zone holds " + where + ": UTM stops at 80S and 84N; nothing changed";
        page.BoxProjection2.SetItemIndex(zone->UtmZoneNumber - 1);
        const bool north = family == XyProjectionKind::UtmNorth;
        std::string text = "Zone " + std::to_string(zone->UtmZoneNumber) + " selected for " + where;
        if (north != (zone->UtmHemisphere == Hemisphere::North)) {
            text += std::string("; the point lies ") + (north ? "south" : "north") + " of the equator, in " +
                    zone->Label;
        }
        return text;
    }
    const std::vector<FoundZone> zones = StatePlaneZonesAt(family, {longitude, latitude}, platform);
    if (zones.empty()) return std::string("No ") + familyText(family) + " zone's area holds " + where + "; nothing changed";
    page.BoxProjection2.SetItemIndex(zones.front().Position);
    std::string text = zones.front().Side.Label + " selected for " + where;
    if (zones.size() > 1) text += "; its area is shared with " + zoneList(zones, 1);
    return text;
}

// The zones typed grid values fit; the status text.
std::string findZoneOfGridValues(SinglePointPage& page, XyProjectionKind family, const Platform& platform)
{
    const char sep = platform.DecimalSeparator;
    const double x = ReadBox(page.EditX.GetText(), kXBox, sep);
    const double y = ReadBox(page.EditY.GetText(), kYBox, sep);
    const int position = page.BoxEllipsoid2.GetItemIndex();
    if (position < 0) return std::string(kChooseEllipsoidMessage) + ": nothing is selected in the Ellipsoid list";
    const Ellipsoid ellipsoid = LoadEllipsoid(platform, kEllipsoidFileName, position + 1);
    const std::vector<FoundZone> zones = ZonesForGridValues(family, x, y, ellipsoid, platform);
    const std::string values = "X " + FloatToStr(x, sep) + ", Y " + FloatToStr(y, sep);
    if (zones.empty()) {
        return std::string("No ") + familyText(family) + " zone places " + values + " inside its area; nothing changed";
    }
    page.BoxProjection2.SetItemIndex(zones.front().Position);
    if (zones.size() == 1) return values + " lie inside the area of " + zones.front().Side.Label + " only; selected";
    return values + " lie inside the areas of " + std::to_string(zones.size()) + " zones: " + zoneList(zones, 0) +
           "; " + zones.front().Side.Label + " selected";
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

std::optional<SinglePointResult> ButConvertClick(SinglePointPage& page, const Platform& platform, TmEngine engine,
                                                 SinglePointDecimals decimals)
{
    decimals.Degrees = std::clamp(decimals.Degrees, kFewestDegreeDecimals, kMostDegreeDecimals);
    decimals.Grid = std::clamp(decimals.Grid, kFewestGridDecimals, kMostGridDecimals);
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
                             .Engine = std::nullopt,
                             .Factors = std::nullopt,
                             .LatitudeDms = {},
                             .LongitudeDms = {},
                             .Latitude = {},
                             .Longitude = {},
                             .X = {},
                             .Y = {}};
    if (request.Family && !runPath(texts, request, ellipsoid, engine, platform, result)) return std::nullopt;

    // The output steps round what the boxes will show; in the forward direction
    // that includes the typed latitude and longitude.
    if (request.Direction == ConversionDirection::DegreesToXy) {
        roundBox(texts.X, kXBox, decimals.Grid, sep);
        roundBox(texts.Y, kYBox, decimals.Grid, sep);
    }
    roundDegreesBox(texts.Longitude, kLongitudeBox, AngleAxis::Longitude, decimals.Degrees, sep);
    roundDegreesBox(texts.Latitude, kLatitudeBox, AngleAxis::Latitude, decimals.Degrees, sep);
    result.Latitude = texts.Latitude;
    result.Longitude = texts.Longitude;
    result.X = texts.X;
    result.Y = texts.Y;

    page.EditX.SetText(texts.X);
    page.EditY.SetText(texts.Y);
    page.EditLongitude.SetText(texts.Longitude);
    page.EditLatitude.SetText(texts.Latitude);
    return result;
}

std::string DetailsText(const SinglePointResult& result)
{
    if (result.LatitudeDms.empty()) return {};
    std::string text;
    if (result.Factors) {
        text += "Scale factor ";
        AppendFixed(text, result.Factors->Scale, kScaleDecimals);
        text += ", convergence ";
        AppendFixed(text, result.Factors->Convergence, kConvergenceDecimals);
        text += "\xC2\xB0, ";
    }
    return text + result.LatitudeDms + " " + result.LongitudeDms;
}

std::string CopyText(const SinglePointResult& result)
{
    const bool forward = result.Direction == ConversionDirection::DegreesToXy;
    const std::string grid = "X " + result.X + "\tY " + result.Y + "\n";
    const std::string degrees = "Latitude " + result.Latitude + "\tLongitude " + result.Longitude + "\n";
    std::string text = forward ? grid + degrees : degrees + grid;
    const std::string details = DetailsText(result);
    if (!details.empty()) text += details + "\n";
    return text;
}

std::string ButFindZoneClick(SinglePointPage& page, const Platform& platform)
{
    const auto family = CheckedGridFamily(page);
    if (!family) return "Choose your XY Projection first: the zone is found among its zones";
    try {
        return page.ButtonDegreesToXY.IsChecked() ? findZoneOfDegrees(page, *family, platform)
                                                  : findZoneOfGridValues(page, *family, platform);
    } catch (const CommandError& error) {
        std::string text = error.what();
        for (char& c : text) {
            if (c == '\n') c = ' ';
        }
        return text + "; nothing changed";
    }
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
