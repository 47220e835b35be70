#include "batch/FileConversion.hpp"

#include "batch/PointFileReader.hpp"
#include "batch/PointFileWriter.hpp"
#include "geodesy/PointChecks.hpp"
#include "geodesy/TransverseMercator.hpp"
#include "toolkit/Errors.hpp"

#include <filesystem>
#include <string>
#include <system_error>

namespace kartoval {
namespace {

constexpr const char* kMissingInputMessage = "Can't find specified file";

// Replaces each record's input pair by its output pair. Every row is
// converted before anything is written, so an impossible point leaves no file
// behind.
void convertRows(PointTable& table, const TransverseMercator& projection, const FileConversionSettings& settings)
{
    for (int k = 1; k <= table.RowCount(); ++k) {
        FilePoint& point = table.Record(k);
        try {
            if (settings.Direction == ConversionDirection::DegreesToUtm) {
                const double longitude = settings.WestWithoutMinus ? -point.Lon : point.Lon;
                const double latitude = point.Lat;
                CheckLatitude(latitude);
                CheckLongitude(longitude);
                const GridPoint grid = projection.Forward(longitude, latitude);
                CheckGridResult(grid.Easting, grid.Northing);
                point.Lon = grid.Easting;
                point.Lat = grid.Northing;
            } else {
                const GeoPoint geo = projection.Inverse(point.Lon, point.Lat);
                CheckGeographicResult(geo.Latitude, geo.Longitude);
                point.Lon = geo.Longitude;
                point.Lat = geo.Latitude;
            }
        } catch (const PointRangeError& error) {
            throw PointRangeError("Line " + std::to_string(table.LineNumber(k)) + ": " + error.what());
        }
    }
}

// Column and zone positions come from lists that always have a selection in
// the window; a position outside them would convert with made-up settings.
bool settingsUsable(const FileConversionSettings& settings, MessageBoxes& messages)
{
    const auto isColumn = [](int column) { return column >= 0 && column < kPointColumnCount; };
    if (!isColumn(settings.SpColumn) || !isColumn(settings.LonColumn) || !isColumn(settings.LatColumn)) {
        messages.ShowMessage("Choose the columns (A to J) of the shot point, the longitude and the latitude.",
                             kProgramCaption);
        return false;
    }
    if (settings.ZonePosition < 0 || settings.ZonePosition >= kUtmZoneCount) {
        messages.ShowMessage("Choose a UTM zone.", kProgramCaption);
        return false;
    }
    return true;
}

bool namesSameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    const bool same = std::filesystem::equivalent(a, b, error);
    return !error && same;
}

}  // namespace

PointTable::PointTable()
    : records_(std::make_unique_for_overwrite<FilePoint[]>(kRecordCount)),
      lineNumbers_(std::make_unique_for_overwrite<int[]>(kRecordCount))
{
}

void PointTable::Append(const FilePoint& point, int lineNumber)
{
    ++rowCount_;
    records_[static_cast<std::size_t>(rowCount_)] = point;
    lineNumbers_[static_cast<std::size_t>(rowCount_)] = lineNumber;
}

void ConvertPointFile(const FileConversionSettings& settings, const Platform& platform, CheckControl& BoxSkip)
{
    std::optional<Ellipsoid> ellipsoid;
    try {
        ellipsoid = LoadEllipsoid(platform, kEllipsoidFileName, settings.EllipsoidPosition + 1);
    } catch (const CommandError& error) {
        platform.Messages.ShowMessage(error.what(), error.Caption());
        return;
    }
    if (!settingsUsable(settings, platform.Messages)) return;
    // The file page converts to north UTM zones only, in metres.
    const TransverseMercator projection(EllipsoidInUnit(*ellipsoid, GridUnit::Metre),
                                        UtmZone(settings.ZonePosition, Hemisphere::North));

    const std::filesystem::path input(settings.InputPath);
    const std::filesystem::path output(settings.OutputPath);
    std::error_code error;
    if (input.empty() || !std::filesystem::is_regular_file(input, error)) {
        platform.Messages.ShowMessage(kMissingInputMessage, kFileErrorCaption);
        return;
    }
    // "Input File" fills the output box with the same name, so a plain GO
    // would overwrite the user's original without this question.
    if (namesSameFile(input, output) &&
        !platform.Messages.AskYesNo("Replace the input file " + InputName(input) + " with the converted points?",
                                    kProgramCaption)) {
        return;
    }

    if (!CountPointFile(input, settings.SkipFirstRow, platform.Messages)) return;
    PointTable table;
    if (!ReadPointFile(input, settings, platform, table)) return;
    convertRows(table, projection, settings);

    if (const auto failure = ReplaceFileContent(output, FormatPointLines(table))) {
        platform.Messages.ShowMessage("Can't write the output file " + output.string() + ": " + *failure + ".",
                                      kFileErrorCaption);
        return;
    }
    if (settings.SkipFirstRow) BoxSkip.SetChecked(false);
}

}  // namespace kartoval
