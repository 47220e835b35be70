#include "batch/FileConversion.hpp"

#include "batch/PointFileReader.hpp"
#include "batch/PointFileWriter.hpp"
#include "geodesy/PointChecks.hpp"
#include "geodesy/TransverseMercator.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/VisibleText.hpp"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace kartoval {
namespace {

void noteDistance(FileRunSummary& summary, double degrees)
{
    if (degrees > kFarFromCentralMeridianDegrees) ++summary.FarPoints;
    summary.FarthestDegrees = std::fmax(summary.FarthestDegrees, degrees);
}

// Replaces each record's input pair by its output pair. Every row is
// converted before anything is written, so an impossible point leaves no file
// behind. Counts the points far from the central meridian into `summary`.
void convertRows(PointTable& table, const TransverseMercator& projection, const FileConversionSettings& settings,
                 FileRunSummary& summary)
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
                noteDistance(summary, projection.DistanceFromCentralMeridian(longitude));
                point.Lon = grid.Easting;
                point.Lat = grid.Northing;
            } else {
                const GeoPoint geo = projection.Inverse(point.Lon, point.Lat);
                CheckGeographicResult(geo.Latitude, geo.Longitude);
                noteDistance(summary, projection.DistanceFromCentralMeridian(geo.Longitude));
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

// Why the input can't be opened for reading, in the system's words; nothing
// when it can.
std::optional<std::string> unreadableReason(const std::filesystem::path& input)
{
    if (input.empty()) return "No input file is named.";
    // A pipe or a device would block or never end: only a plain file is read.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(input, error);
    if (std::filesystem::is_directory(status)) return "It is a folder.";
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) return "It is no plain file.";
    errno = 0;
    std::FILE* file = std::fopen(input.c_str(), "rb");
    if (file == nullptr) {
        const int reason = errno;
        return reason != 0 ? std::generic_category().message(reason) : std::string("It can't be opened.");
    }
    std::fclose(file);
    return std::nullopt;
}

std::string fullPath(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute).string();
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
      lineNumbers_(std::make_unique_for_overwrite<std::uint64_t[]>(kRecordCount))
{
}

void PointTable::Append(const FilePoint& point, std::uint64_t lineNumber)
{
    ++rowCount_;
    records_[static_cast<std::size_t>(rowCount_)] = point;
    lineNumbers_[static_cast<std::size_t>(rowCount_)] = lineNumber;
}

std::optional<FileRunSummary> ConvertPointFile(const FileConversionSettings& settings, const Platform& platform,
                                               CheckControl& BoxSkip)
{
    const auto start = std::chrono::steady_clock::now();
    // Nothing selected would read line 1 of the table: an ellipsoid never chosen.
    if (settings.EllipsoidPosition < 0) {
        platform.Messages.ShowMessage("Choose an ellipsoid\nNothing is selected in the Ellipsoid list.",
                                      kProgramCaption);
        return std::nullopt;
    }
    std::optional<Ellipsoid> ellipsoid;
    try {
        ellipsoid = LoadEllipsoid(platform, kEllipsoidFileName, settings.EllipsoidPosition + 1);
    } catch (const CommandError& error) {
        platform.Messages.ShowMessage(error.what(), error.Caption());
        return std::nullopt;
    }
    if (!settingsUsable(settings, platform.Messages)) return std::nullopt;
    // The file page converts to north UTM zones only, in metres.
    const TransverseMercator projection(EllipsoidInUnit(*ellipsoid, GridUnit::Metre),
                                        UtmZone(settings.ZonePosition, Hemisphere::North));

    const std::filesystem::path input(settings.InputPath);
    const std::filesystem::path output(settings.OutputPath);
    if (const auto reason = unreadableReason(input)) {
        platform.Messages.ShowMessage(std::string(kMissingInputMessage) + "\n" +
                                          (input.empty() ? *reason : VisibleText(fullPath(input)) + ": " + *reason),
                                      kFileErrorCaption);
        return std::nullopt;
    }
    // "Input File" fills the output box with the same name, so a plain GO
    // would overwrite the user's original without this question.
    if (namesSameFile(input, output) &&
        !platform.Messages.AskYesNo("Replace the input file " + InputName(input) + " with the converted points?",
                                    kProgramCaption)) {
        return std::nullopt;
    }

    if (!CountPointFile(input, settings.SkipFirstRow, platform.Messages)) return std::nullopt;
    PointTable table;
    if (!ReadPointFile(input, settings, platform, table)) return std::nullopt;
    FileRunSummary summary{.Input = input, .Output = output, .Points = table.RowCount()};
    convertRows(table, projection, settings, summary);

    try {
        AtomicFileWriter writer(output);
        WritePointLines(table, writer);
        writer.Commit();
    } catch (const OutputFileError& error) {
        platform.Messages.ShowMessage(error.what(), kFileErrorCaption);
        return std::nullopt;
    }
    if (table.HeaderDiscarded) BoxSkip.SetChecked(false);
    summary.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return summary;
}

}  // namespace kartoval
