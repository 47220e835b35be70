#include "batch/FileConversion.hpp"

#include "batch/AtomicFileWriter.hpp"
#include "batch/BatchRun.hpp"
#include "batch/LineReader.hpp"
#include "batch/PointFields.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/VisibleText.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace kartoval {
namespace {

constexpr const char* kMissingInputMessage = "Can't find specified file";
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
// unit (US survey feet for NAD27); nothing, after a message, for a zone the
// program lists but can't convert.
std::optional<GridProjection> zoneProjection(const FileConversionSettings& settings, const Ellipsoid& ellipsoid,
                                             const Platform& platform)
{
    if (IsUtm(settings.Family)) {
        const Hemisphere side = settings.Family == XyProjectionKind::UtmNorth ? Hemisphere::North : Hemisphere::South;
        return GridProjection(EllipsoidInUnit(ellipsoid, GridUnit::Metre), UtmZone(settings.ZonePosition, side));
    }
    const StatePlaneZone zone = LoadStatePlaneZone(platform, settings.Family, settings.ZonePosition);
    const EllipsoidParams params = EllipsoidInUnit(ellipsoid, zone.Unit);
    if (const auto* tm = std::get_if<TmParams>(&zone.Projection)) return GridProjection(params, *tm);
    if (const auto* lcc = std::get_if<LccParams>(&zone.Projection)) return GridProjection(params, *lcc);
    platform.Messages.ShowMessage("The zone " + zone.Name + " is an oblique Mercator zone, which Kartoval lists but "
                                  "does not convert.",
                                  kProgramCaption);
    return std::nullopt;
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
    options.MinusIsError = false;
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

void ConvertPointFile(const FileConversionSettings& settings, const Platform& platform, CheckControl& BoxSkip)
{
    // A table that can't be read says why in a message; the run ends there.
    std::optional<Ellipsoid> ellipsoid;
    std::optional<GridProjection> zone;
    try {
        ellipsoid = LoadEllipsoid(platform, kEllipsoidFileName, settings.EllipsoidPosition + 1);
        if (!settingsUsable(settings, platform.Messages)) return;
        zone = zoneProjection(settings, *ellipsoid, platform);
    } catch (const CommandError& error) {
        platform.Messages.ShowMessage(error.what(), error.Caption());
        return;
    }
    if (!zone) return;
    const bool toGrid = settings.Direction == ConversionDirection::DegreesToUtm;
    const PointTransform transform = toGrid ? PointTransform(std::nullopt, std::move(zone))
                                            : PointTransform(std::move(zone), std::nullopt);

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
        !platform.Messages.AskYesNo("Replace the input file " + inputName(input) + " with the converted points?",
                                    kProgramCaption)) {
        return;
    }

    LineReader reader(input, kMaxPointLineLength);
    if (!reader.IsOpen()) {
        showFileError(platform.Messages, "Can't read " + inputName(input) + ".");
        return;
    }
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
        const BatchSummary summary = RunBatch(reader, sink, options, transform, callbacks);
        if (failure) {
            reportFailure(*failure, input, platform.Messages);
            return;
        }
        if (summary.Rows == 0) {
            showFileError(platform.Messages, inputName(input) + " holds no points.");
            return;
        }
        writer.Commit();
    } catch (const OutputFileError& e) {
        platform.Messages.ShowMessage(e.what(), kFileErrorCaption);
        return;
    }
    if (settings.SkipFirstRow) BoxSkip.SetChecked(false);
}

}  // namespace kartoval
