#include "geodesy/PointChecks.hpp"
#include "geodesy/TransverseMercator.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/UtmZones.hpp"
#include "single/ConvertSteps.hpp"
#include "single/RoundDecimals.hpp"
#include "single/SinglePointPage.hpp"
#include "toolkit/NumberText.hpp"

namespace kartoval {
namespace {

constexpr int kGridDecimals = 2;
constexpr int kDegreeDecimals = 6;

TransverseMercator utmProjection(const ConvertContext& context, Hemisphere hemisphere)
{
    return {EllipsoidInUnit(context.Shape, GridUnit::Metre), UtmZone(context.Position, hemisphere)};
}

void forwardUtm(PageTexts& texts, const ConvertContext& context, Hemisphere hemisphere)
{
    const char sep = context.Env.DecimalSeparator;
    const Geographic point = ReadGeographic(texts, sep);
    const GridPoint grid = utmProjection(context, hemisphere).Forward(point.Longitude, point.Latitude);
    WriteGrid(texts, grid.Easting, grid.Northing, sep);
}

void inverseUtm(PageTexts& texts, const ConvertContext& context, Hemisphere hemisphere)
{
    const char sep = context.Env.DecimalSeparator;
    const double x = StrToFloat(texts.X, sep);
    const double y = StrToFloat(texts.Y, sep);
    const GeoPoint point = utmProjection(context, hemisphere).Inverse(x, y);
    WriteGeographic(texts, point.Latitude, point.Longitude, sep);
}

void roundBox(std::string& text, int decimals, char sep)
{
    text = FloatToStr(RoundDecimals(StrToFloat(text, sep), decimals), sep);
}

// The family buttons are tested one after the other; being one radio group,
// at most one is checked, so at most one path runs.
bool runPaths(PageTexts& texts, const SinglePointPage& page, const ConvertContext& context, bool forward)
{
    if (forward) {
        if (page.ButUTMN.IsChecked()) forwardUtm(texts, context, Hemisphere::North);
        if (page.ButUTMS.IsChecked()) forwardUtm(texts, context, Hemisphere::South);
        if (page.ButNAD27.IsChecked() && !ForwardStatePlane(texts, context, XyProjectionKind::Nad27)) return false;
        if (page.ButNAD83.IsChecked() && !ForwardStatePlane(texts, context, XyProjectionKind::Nad83)) return false;
    } else {
        if (page.ButUTMN.IsChecked()) inverseUtm(texts, context, Hemisphere::North);
        if (page.ButUTMS.IsChecked()) inverseUtm(texts, context, Hemisphere::South);
        if (page.ButNAD27.IsChecked() && !InverseStatePlane(texts, context, XyProjectionKind::Nad27)) return false;
        if (page.ButNAD83.IsChecked() && !InverseStatePlane(texts, context, XyProjectionKind::Nad83)) return false;
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

Geographic ReadGeographic(const PageTexts& texts, char decimalSeparator)
{
    Geographic point{};
    point.Latitude = StrToFloat(texts.Latitude, decimalSeparator);
    point.Longitude = StrToFloat(texts.Longitude, decimalSeparator);
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

void ButConvertClick(SinglePointPage& page, const Platform& platform)
{
    Ellipsoid ellipsoid;
    try {
        ellipsoid = LoadEllipsoid(platform, kEllipsoidFileName, page.BoxEllipsoid2.GetItemIndex() + 1);
    } catch (const CommandError& error) {
        ShowLookupError(platform, error);
        return;
    }
    const ConvertContext context{platform, ellipsoid, page.BoxProjection2.GetItemIndex()};
    const char sep = platform.DecimalSeparator;

    PageTexts texts{page.EditLatitude.GetText(), page.EditLongitude.GetText(), page.EditX.GetText(),
                    page.EditY.GetText()};
    const bool forward = page.ButtonDegreesToXY.IsChecked();
    if (!runPaths(texts, page, context, forward)) return;

    // The output steps round what the boxes will show; in the forward direction
    // that includes the typed latitude and longitude.
    if (forward) {
        roundBox(texts.X, kGridDecimals, sep);
        roundBox(texts.Y, kGridDecimals, sep);
    }
    roundBox(texts.Longitude, kDegreeDecimals, sep);
    roundBox(texts.Latitude, kDegreeDecimals, sep);

    page.EditX.SetText(texts.X);
    page.EditY.SetText(texts.Y);
    page.EditLongitude.SetText(texts.Longitude);
    page.EditLatitude.SetText(texts.Latitude);
}

void ButUTMNClick(SinglePointPage& page, const Platform& /*platform*/)
{
    refillZones(page.BoxProjection2, ListUtmNorthZones);
}

void ButUTMSClick(SinglePointPage& page, const Platform& /*platform*/)
{
    refillZones(page.BoxProjection2, ListUtmSouthZones);
}

void ButNAD27Click(SinglePointPage& page, const Platform& platform)
{
    refillZones(page.BoxProjection2, platform, ListNad27Zones);
}

void ButNAD83Click(SinglePointPage& page, const Platform& platform)
{
    refillZones(page.BoxProjection2, platform, ListNad83Zones);
}

}  // namespace kartoval
