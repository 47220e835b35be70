#include "batch/FileConversion.hpp"

#include "batch/AtomicFileWriter.hpp"
#include "batch/BatchRun.hpp"
#include "batch/LineReader.hpp"
#include "batch/PointFields.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/VisibleText.hpp"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace kartoval {
namespace {

constexpr const char* kNothingWritten = " No file was written.";

std::string inputName(const std::filesystem::path& input) { return VisibleText(input.string()); }

void showFileError(MessageBoxes& messages, const std::string& text)
{
    messages.ShowMessage(text + kNothingWritten, kFileErrorCaption);
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
    if (IsUtm(settings.Family) && (settings.ZonePosition < 0 || settings.ZonePosition >= kUtmZoneCount)) {
        messages.ShowMessage("Choose a UTM zone.", kProgramCaption);
        return false;
    }
    if (!IsUtm(settings.Family) && settings.ZonePosition < 0) {
        messages.ShowMessage("Choose a zone.", kProgramCaption);
        return false;
    }
    return true;
}

// The projection of the page's zone on the chosen ellipsoid, in the family's
// unit (US survey feet for NAD27).
std::optional<GridProjection> zoneProjection(const FileConversionSettings& settings, const Ellipsoid& ellipsoid,
                                             const Platform& platform)
{
    if (IsUtm(settings.Family)) {
        const Hemisphere side = settings.Family == XyProjectionKind::UtmNorth ? Hemisphere::North : Hemisphere::South;
        return GridProjection(EllipsoidInUnit(ellipsoid, GridUnit::Metre), UtmZone(settings.ZonePosition, side),
                              settings.Engine);
    }
    const StatePlaneZone zone = LoadStatePlaneZone(platform, settings.Family, settings.ZonePosition);
    const EllipsoidParams params = EllipsoidInUnit(ellipsoid, zone.Unit);
    return GridProjection(params, zone.Projection, settings.Engine);
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

BatchOptions pageOptions(const FileConversionSettings& settings, const Platform& platform)
{
    BatchOptions options;
    options.FieldDelimiter = Delimiter::Whitespace;
    options.XColumn = static_cast<std::size_t>(settings.LonColumn);
    options.YColumn = static_cast<std::size_t>(settings.LatColumn);
    options.ShotPointColumn = static_cast<std::size_t>(settings.SpColumn);
    options.HeaderLines = settings.SkipFirstRow ? 1 : 0;
    options.KeepHeader = false;
    options.KeepBlankLines = false;
    options.WestWithoutMinus = settings.WestWithoutMinus && settings.Direction == ConversionDirection::DegreesToUtm;
    options.MinusIsError = true;
    options.MaxRows = PointTable::kMaxRows;
    options.DecimalSeparator = platform.DecimalSeparator;
    return options;
}

// Tells the user why the run ended at `failure`: a message for the file's
// shape, the conversion errors of a number or a point for the rest.
void reportFailure(const LineFailure& failure, const std::filesystem::path& input, MessageBoxes& messages)
{
    const std::string line = "Line " + std::to_string(failure.Line);
    switch (failure.Kind) {
    case FailureKind::BadNumber:
        if (failure.Reason == TextProblem::MinusNotAllowed) {
            throw CommandError(line + ": longitude '" + VisibleText(failure.Text) +
                               "' has a minus sign, but 'West longitudes without minuses' is checked");
        }
        throw ConvertError(line + ": '" + VisibleText(failure.Text) + "' " + failure.Problem);
    case FailureKind::PointRange:
        throw PointRangeError(line + ": " + failure.Text);
    case FailureKind::MissingField:
        showFileError(messages, line + " of " + inputName(input) + " has no column " +
                                    ColumnLetter(static_cast<int>(failure.Column)) + " (" + failure.Role + ").");
        return;
    case FailureKind::TooLong:
        showFileError(messages, line + " of " + inputName(input) + " is longer than " +
                                    std::to_string(kMaxPointLineLength) + " characters.");
        return;
    case FailureKind::TooManyRows:
        showFileError(messages, inputName(input) + " holds more than " + std::to_string(PointTable::kMaxRows) +
                                    " points; a file conversion takes at most " +
                                    std::to_string(PointTable::kMaxRows) + ".");
        return;
    case FailureKind::Utf16:
        showFileError(messages, inputName(input) + " is UTF-16 text; save it as plain text (ANSI or UTF-8).");
        return;
    case FailureKind::BrokenQuote:
    case FailureKind::ReadFailed:
        showFileError(messages, "Can't read " + inputName(input) + ".");
        return;
    }
}

}  // namespace

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
    // A table that can't be read says why in a message; the run ends there.
    std::optional<GridProjection> zone;
    try {
        const Ellipsoid ellipsoid = LoadEllipsoid(platform, kEllipsoidFileName, settings.EllipsoidPosition + 1);
        if (!settingsUsable(settings, platform.Messages)) return std::nullopt;
        zone = zoneProjection(settings, ellipsoid, platform);
    } catch (const CommandError& error) {
        platform.Messages.ShowMessage(error.what(), error.Caption());
        return std::nullopt;
    }
    if (!zone) return std::nullopt;
    const std::optional<TmEngine> engine = zone->Engine();
    const bool toGrid = settings.Direction == ConversionDirection::DegreesToUtm;
    const PointTransform transform = toGrid ? PointTransform(std::nullopt, std::move(zone))
                                            : PointTransform(std::move(zone), std::nullopt);

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
        !platform.Messages.AskYesNo("Replace the input file " + inputName(input) + " with the converted points?",
                                    kProgramCaption)) {
        return std::nullopt;
    }

    LineReader reader(input, kMaxPointLineLength);
    if (!reader.IsOpen()) {
        showFileError(platform.Messages, "Can't read " + inputName(input) + ".");
        return std::nullopt;
    }
    BatchSummary summary;
    try {
        // Written beside the output while the input is read; renamed over it
        // only after the last row, so the output may name the input itself.
        AtomicFileWriter writer(output);
        struct WriterOutput : BatchOutput {
            explicit WriterOutput(AtomicFileWriter& w) : Writer(w) {}
            void Write(std::string_view chunk) override { Writer.Write(chunk); }
            AtomicFileWriter& Writer;
        } sink(writer);
        std::optional<LineFailure> failure;
        BatchCallbacks callbacks;
        callbacks.Failure = [&](const LineFailure& f) { failure = f; };
        const BatchOptions options = pageOptions(settings, platform);
        summary = RunBatch(reader, sink, options, transform, callbacks);
        if (failure) {
            reportFailure(*failure, input, platform.Messages);
            return std::nullopt;
        }
        if (summary.Rows == 0) {
            showFileError(platform.Messages, inputName(input) + " holds no points.");
            return std::nullopt;
        }
        writer.Commit();
    } catch (const OutputFileError& e) {
        platform.Messages.ShowMessage(e.what(), kFileErrorCaption);
        return std::nullopt;
    }
    // The first line was the header the box asked to discard.
    if (settings.SkipFirstRow && summary.Lines >= 1) BoxSkip.SetChecked(false);
    return FileRunSummary{.Input = input,
                          .Output = output,
                          .Points = static_cast<int>(summary.Rows),
                          .Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                          .FarPoints = static_cast<int>(summary.FarPoints),
                          .FarthestDegrees = summary.FarthestDegrees,
                          .Engine = engine};
}

}  // namespace kartoval
