#include "batch/FileConversion.hpp"
#include "batch/FileConversionPage.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/UtmZones.hpp"
#include "toolkit/Errors.hpp"

#include <variant>

namespace kartoval {
namespace {

XyProjectionKind familyOf(const FileConversionPage& page)
{
    if (page.ButFileUTMS.IsChecked()) return XyProjectionKind::UtmSouth;
    if (page.ButFileNAD27.IsChecked()) return XyProjectionKind::Nad27;
    if (page.ButFileNAD83.IsChecked()) return XyProjectionKind::Nad83;
    return XyProjectionKind::UtmNorth;
}

FileConversionSettings settingsOf(const FileConversionPage& page)
{
    FileConversionSettings settings;
    settings.InputPath = page.EditInput.GetText();
    settings.OutputPath = page.EditOutput.GetText();
    settings.EllipsoidPosition = page.BoxEllipsoid.GetItemIndex();
    settings.Family = familyOf(page);
    settings.ZonePosition = page.BoxProjection.GetItemIndex();
    settings.LonColumn = page.BoxLon.GetItemIndex();
    settings.LatColumn = page.BoxLat.GetItemIndex();
    settings.SpColumn = page.BoxSP.GetItemIndex();
    settings.SkipFirstRow = page.BoxSkip.IsChecked();
    settings.WestWithoutMinus = page.BoxMinusW.IsChecked();
    settings.Direction = page.ButtonDegreesToUTM.IsChecked() ? ConversionDirection::DegreesToUtm
                                                             : ConversionDirection::UtmToDegrees;
    const int format = page.BoxFormat ? page.BoxFormat->GetItemIndex() : 0;
    if (format >= 0 && format <= static_cast<int>(OutputFormat::Kml)) settings.Format = static_cast<OutputFormat>(format);
    settings.MapShift = page.MapShift;
    settings.KeepColumns = page.BoxKeepColumns != nullptr && page.BoxKeepColumns->IsChecked();
    settings.OutputTyped = page.ConfirmedOutput != nullptr && *page.ConfirmedOutput != settings.OutputPath;
    return settings;
}

}  // namespace

std::optional<FileRunSummary> ConvertPointFile(const FileConversionSettings& settings, const Platform& platform,
                                               CheckControl& BoxSkip)
{
    const FileRunOutcome outcome = RunFileConversion(settings, platform, [&](const std::string& question) {
        return platform.Messages.AskYesNo(question, kProgramCaption);
    });
    if (const auto* summary = std::get_if<FileRunSummary>(&outcome)) {
        if (summary->HeaderDiscarded) BoxSkip.SetChecked(false);
        return *summary;
    }
    const FileRunFailure& failure = std::get<FileRunFailure>(outcome);
    using Shown = FileRunFailure::Shown;
    switch (failure.How) {
    case Shown::Message:
        if (!failure.Text.empty()) platform.Messages.ShowMessage(failure.Text, failure.Caption);
        break;
    case Shown::ConvertError: throw ConvertError(failure.Text);
    case Shown::PointRangeError: throw PointRangeError(failure.Text);
    case Shown::CommandError: throw CommandError(failure.Text, failure.Caption);
    }
    return std::nullopt;
}

std::optional<FileRunSummary> GOClick(FileConversionPage& page, const Platform& platform, TmEngine engine)
{
    FileConversionSettings settings = settingsOf(page);
    settings.Engine = engine;
    return ConvertPointFile(settings, platform, page.BoxSkip);
}

std::optional<FileRunSummary> ShowPointsClick(FileConversionPage& page, const Platform& platform,
                                              const std::string& input, TmEngine engine)
{
    FileConversionSettings settings = settingsOf(page);
    settings.InputPath = input;
    settings.ShowOnly = true;
    settings.Engine = engine;
    return ConvertPointFile(settings, platform, page.BoxSkip);
}

void FileFamilyClick(FileConversionPage& page, const Platform& platform, XyProjectionKind family)
{
    ListControl& list = page.BoxProjection;
    list.Clear();
    switch (family) {
    case XyProjectionKind::UtmNorth: ListUtmNorthZones(list); break;
    case XyProjectionKind::UtmSouth: ListUtmSouthZones(list); break;
    case XyProjectionKind::Nad27:
        ListNad27Zones(list, platform);
        list.SetItemIndex(0);
        break;
    case XyProjectionKind::Nad83:
        ListNad83Zones(list, platform);
        list.SetItemIndex(0);
        break;
    }
    RelabelFilePage(page);
}

void RelabelFilePage(FileConversionPage& page)
{
    const XyProjectionKind family = familyOf(page);
    const bool utm = IsUtm(family);
    // The "&" keeps each caption's Alt key (Alt+Z, Alt+U, Alt+D) whichever family is chosen.
    page.Label7.SetText(utm ? "UTM &Zone:" : "&Zone:");
    page.ButtonDegreesToUTMCaption.SetText(utm ? "Degrees to &UTM" : "Degrees to &XY");
    page.ButtonUTMToDegreesCaption.SetText(utm ? "UTM to &Degrees" : "XY to &Degrees");
    if (page.ButtonDegreesToUTM.IsChecked()) {
        page.LabLongi.SetText("Longitude");
        page.LabLati.SetText("Latitude");
    } else if (utm) {
        page.LabLongi.SetText("Easting");
        page.LabLati.SetText("Northing");
    } else {
        const char* unit = family == XyProjectionKind::Nad27 ? " (ftUS)" : " (m)";
        page.LabLongi.SetText(std::string("X") + unit);
        page.LabLati.SetText(std::string("Y") + unit);
    }
}

}  // namespace kartoval
