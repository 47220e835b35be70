#include "batch/FileConversion.hpp"
#include "batch/FileConversionPage.hpp"

namespace kartoval {

std::optional<FileRunSummary> GOClick(FileConversionPage& page, const Platform& platform)
{
    FileConversionSettings settings;
    settings.InputPath = page.EditInput.GetText();
    settings.OutputPath = page.EditOutput.GetText();
    settings.EllipsoidPosition = page.BoxEllipsoid.GetItemIndex();
    settings.ZonePosition = page.BoxProjection.GetItemIndex();
    settings.LonColumn = page.BoxLon.GetItemIndex();
    settings.LatColumn = page.BoxLat.GetItemIndex();
    settings.SpColumn = page.BoxSP.GetItemIndex();
    settings.SkipFirstRow = page.BoxSkip.IsChecked();
    settings.WestWithoutMinus = page.BoxMinusW.IsChecked();
    settings.Direction = page.ButtonDegreesToUTM.IsChecked() ? ConversionDirection::DegreesToUtm
                                                             : ConversionDirection::UtmToDegrees;
    return ConvertPointFile(settings, platform, page.BoxSkip);
}

}  // namespace kartoval
