#include "batch/FileConversion.hpp"

#include "batch/AtomicFileWriter.hpp"
#include "batch/BatchRun.hpp"
#include "batch/LineReader.hpp"
#include "batch/PointFields.hpp"
#include "batch/RunFiles.hpp"
#include "conversion/ConversionRoute.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/VisibleText.hpp"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kartoval {
namespace {

constexpr const char* kNothingWritten = " No file was written.";

using Shown = FileRunFailure::Shown;

std::string inputName(const std::filesystem::path& input) { return VisibleText(input.string()); }

FileRunFailure fileError(const std::string& text) { return {Shown::Message, kFileErrorCaption, text + kNothingWritten}; }
FileRunFailure notice(const std::string& text) { return {Shown::Message, kProgramCaption, text}; }

// Column and zone positions come from lists that always have a selection in
// the window; a position outside them would convert with made-up settings.
std::optional<FileRunFailure> settingsRefusal(const FileConversionSettings& settings)
{
    const auto isColumn = [](int column) { return column >= 0 && column < kPointColumnCount; };
    if (!isColumn(settings.SpColumn) || !isColumn(settings.LonColumn) || !isColumn(settings.LatColumn)) {
        return notice("Choose the columns (A to J) of the shot point, the longitude and the latitude.");
    }
    if (IsUtm(settings.Family) && (settings.ZonePosition < 0 || settings.ZonePosition >= kUtmZoneCount)) {
        return notice("Choose a UTM zone.");
    }
    if (!IsUtm(settings.Family) && settings.ZonePosition < 0) return notice("Choose a zone.");
    return std::nullopt;
}

BatchOptions pageOptions(const FileConversionSettings& settings, const Platform& platform)
{
    BatchOptions options;
    options.FieldDelimiter = Delimiter::Whitespace;
    options.XColumn = static_cast<std::size_t>(settings.LonColumn);
    options.YColumn = static_cast<std::size_t>(settings.LatColumn);
    options.IdColumn = static_cast<std::size_t>(settings.SpColumn);
    options.HeaderLines = settings.SkipFirstRow ? 1 : 0;
    options.WestWithoutMinus = settings.WestWithoutMinus && settings.Direction == ConversionDirection::DegreesToUtm;
    options.MaxRows = settings.ShowOnly ? 0 : PointTable::kMaxRows;
    // "Show points..." shows the points beyond the area too, in their colour.
    options.AllowOutside = settings.ShowOnly;
    // The other formats, and "Keep other columns", are what kartoval-convert
    // writes for the page's settings: its number syntax and decimals, every
    // field of the line kept.
    if (settings.Format != OutputFormat::Text || settings.KeepColumns) {
        options.FieldDelimiter = Delimiter::Auto;
        return options;
    }
    options.ShotPointColumn = static_cast<std::size_t>(settings.SpColumn);
    options.KeepHeader = false;
    options.KeepBlankLines = false;
    options.MinusIsError = true;
    options.DecimalSeparator = platform.DecimalSeparator;
    return options;
}

// Why the run ended at `failure`: a message for the file's shape, the
// conversion errors of a number or a point for the rest.
FileRunFailure failureOf(const LineFailure& failure, const std::filesystem::path& input,
                         std::optional<std::size_t> shotPointColumn)
{
    const std::string line = "Line " + std::to_string(failure.Line);
    switch (failure.Kind) {
    case FailureKind::BadNumber:
        if (failure.Reason == TextProblem::MinusNotAllowed) {
            return {Shown::CommandError, kProgramCaption,
                    line + ": longitude '" + VisibleText(failure.Text) +
                        "' has a minus sign, but 'West longitudes without minuses' is checked"};
        }
        return {Shown::ConvertError, kProgramCaption,
                line + ": '" + VisibleText(failure.Text) + "' " + failure.Problem +
                    (shotPointColumn == failure.Column ? kKeepColumnsHint : "")};
    case FailureKind::PointRange:
        return {Shown::PointRangeError, kProgramCaption, line + ": " + failure.Text};
    case FailureKind::MissingField:
        return fileError(line + " of " + inputName(input) + " has no column " +
                         ColumnLetter(static_cast<int>(failure.Column)) + " (" + failure.Role + ").");
    case FailureKind::TooLong:
        return fileError(line + " of " + inputName(input) + " is longer than " +
                         std::to_string(kMaxPointLineLength) + " characters.");
    case FailureKind::TooManyRows:
        return fileError(inputName(input) + " holds more than " + std::to_string(PointTable::kMaxRows) +
                         " points; a file conversion takes at most " + std::to_string(PointTable::kMaxRows) + ".");
    case FailureKind::Utf16:
        return fileError(inputName(input) + " is UTF-16 text; save it as plain text (ANSI or UTF-8).");
    case FailureKind::BrokenQuote:
    case FailureKind::ReadFailed:
    case FailureKind::NoSuchColumn:
        break;
    }
    return fileError("Can't read " + inputName(input) + ".");
}

}  // namespace

std::string LostColumnsText(const FileConversionSettings& settings)
{
    const std::filesystem::path input(settings.InputPath);
    LineReader reader(input, kMaxPointLineLength);
    if (!reader.IsOpen()) return {};
    std::size_t widest = 0;
    std::uint64_t number = 0;
    std::string_view line;
    std::vector<FieldSpan> fields;
    std::size_t badField = 0;
    while (reader.Next(line) == LineReader::Result::Line) {
        if (++number == 1 && settings.SkipFirstRow) continue;
        (void)SplitFields(line, Delimiter::Whitespace, fields, badField);  // the page reads blank-separated fields
        widest = std::max(widest, fields.size());
    }
    // The distinct columns the page reads, where the lines have them.
    const std::set<int> columns{settings.SpColumn, settings.LonColumn, settings.LatColumn};
    const auto read = static_cast<std::size_t>(
        std::count_if(columns.begin(), columns.end(), [&](int column) { return static_cast<std::size_t>(column) < widest; }));
    const std::size_t others = widest > read ? widest - read : 0;
    const bool header = settings.SkipFirstRow && number >= 1;
    if (others == 0 && !header) return {};
    std::string lost;
    if (others == 1) lost = "the other column";
    if (others > 1) lost = "the other " + std::to_string(others) + " columns";
    if (header) lost += std::string(lost.empty() ? "" : " and ") + "the header line";
    return "The converted file holds only shot point, X and Y: " + lost + " of " + inputName(input.filename()) +
           " will be lost.";
}

FileRunOutcome RunFileConversion(const FileConversionSettings& settings, const Platform& platform,
                                 const ConfirmReplace& confirm)
{
    const auto start = std::chrono::steady_clock::now();
    // The time a question stays open is the user's, not the run's.
    std::chrono::steady_clock::duration asking{};
    const auto ask = [&](const std::string& question) {
        const auto asked = std::chrono::steady_clock::now();
        const bool yes = confirm(question);
        asking += std::chrono::steady_clock::now() - asked;
        return yes;
    };
    // Nothing selected would read line 1 of the table: an ellipsoid never chosen.
    if (settings.EllipsoidPosition < 0) return notice("Choose an ellipsoid\nNothing is selected in the Ellipsoid list.");
    // A table that can't be read, or a zone that can't be converted, says why
    // in a message; the run ends there.
    std::optional<ConversionRoute> route;
    std::optional<ConversionRoute> mapRoute;
    std::shared_ptr<PlotData> plot;
    try {
        const Ellipsoid ellipsoid = LoadEllipsoid(platform, kEllipsoidFileName, settings.EllipsoidPosition + 1);
        if (auto refusal = settingsRefusal(settings)) return *refusal;
        CoordinateSide zone = FamilySide(settings.Family, settings.ZonePosition, platform);
        const bool toGrid = settings.Direction == ConversionDirection::DegreesToUtm;
        route.emplace(toGrid ? DegreesSide() : zone, toGrid ? zone : DegreesSide(), ellipsoid, platform,
                      settings.Engine);
        const auto [xName, yName] = ConvertedColumnNames(route->To());
        plot = std::make_shared<PlotData>(route->From().Label + " to " + route->To().Label, xName, yName);
        if (toGrid) plot->SetOutline(AreaOutline(zone, ellipsoid, platform));
        // The map formats' degrees are on NAD83: a NAD27 zone's points are shifted.
        const CoordinateSide mapSide = DegreesSide(GeodeticDatum::Nad83);
        if (IsMapFormat(settings.Format) && !settings.ShowOnly && NeedsDatumShift(route->From(), mapSide)) {
            if (!settings.MapShift) return notice("GeoJSON and KML need the datum shift grids for " + route->From().Label + ".");
            mapRoute.emplace(route->From(), mapSide, ReadEllipsoids(platform), settings.MapShift(), platform,
                             settings.Engine);
        }
    } catch (const CommandError& error) {
        return FileRunFailure{Shown::Message, error.Caption(), error.what()};
    }

    const std::filesystem::path input(settings.InputPath);
    const std::filesystem::path output(settings.OutputPath);
    if (const auto reason = UnreadableReason(input)) {
        return FileRunFailure{Shown::Message, kFileErrorCaption,
                              std::string(kMissingInputMessage) + "\n" +
                                  (input.empty() ? *reason : VisibleText(FullPath(input)) + ": " + *reason)};
    }
    // "Input File" fills the output box with the same name, so a plain GO
    // would overwrite the user's original without this question.
    const bool pageLayout = settings.Format == OutputFormat::Text && !settings.KeepColumns;
    if (!settings.ShowOnly && NamesSameFile(input, output)) {
        const std::string lost = pageLayout ? LostColumnsText(settings) : std::string();
        if (!ask("Replace the input file " + inputName(input) + " with the converted points?" +
                 (lost.empty() ? "" : " " + lost))) {
            return notice("");
        }
    } else if (!settings.ShowOnly && settings.OutputTyped) {
        // The Output File dialog asks before replacing a file; a typed name must too.
        std::error_code error;
        if (std::filesystem::exists(output, error) &&
            !ask("The output file " + inputName(output) + " already exists. Replace it with the converted points?")) {
            return notice("");
        }
    }
    LineReader reader(input, kMaxPointLineLength);
    if (!reader.IsOpen()) return fileError("Can't read " + inputName(input) + ".");
    BatchOptions options = pageOptions(settings, platform);
    std::optional<RowWriter> rows;
    if (settings.Format != OutputFormat::Text && !settings.ShowOnly) {
        RowFormatOptions format;
        format.Format = settings.Format;
        std::tie(format.XName, format.YName) = ConvertedColumnNames(route->To());
        format.OutputIsDegrees = route->OutputIsDegrees();
        format.DocumentName = input.filename().string();
        if (settings.Format == OutputFormat::GeoJson) {
            LineReader scan(input, kMaxPointLineLength);
            format.NumericColumns = NumericColumns(scan, options.HeaderLines, options.FieldDelimiter);
        }
        rows.emplace(std::move(format));
        options.Rows = &*rows;
        if (mapRoute) options.MapRoute = &*mapRoute;
    }
    BatchSummary summary;
    try {
        // Written beside the output while the input is read; renamed over it
        // only after the last row, so the output may name the input itself.
        std::optional<AtomicFileWriter> writer;
        if (!settings.ShowOnly) writer.emplace(output);
        struct Nowhere : BatchOutput {
            void Write(std::string_view /*chunk*/) override {}
        } nowhere;
        std::optional<WriterOutput> fileSink;
        if (writer) fileSink.emplace(*writer);
        BatchOutput& sink = writer ? static_cast<BatchOutput&>(*fileSink) : nowhere;
        std::optional<LineFailure> failure;
        BatchCallbacks callbacks;
        callbacks.Failure = [&](const LineFailure& f) { failure = f; };
        callbacks.Point = [&](const ConvertedPoint& point) { plot->Add(point); };
        summary = RunBatch(reader, sink, options, *route, callbacks);
        if (failure) return failureOf(*failure, input, options.ShotPointColumn);
        if (summary.Rows == 0) return fileError(inputName(input) + " holds no points.");
        if (summary.OutsidePoints > 0 && !settings.ShowOnly) {
            const auto hint = OtherSignHint(summary, "'West longitudes without minuses'",
                                            options.WestWithoutMinus);
            return notice(OutsideRunText(summary) + "." + kNothingWritten + (hint ? "\n" + *hint : ""));
        }
        if (writer) writer->Commit();
    } catch (const OutputFileError& e) {
        return FileRunFailure{Shown::Message, kFileErrorCaption, e.what()};
    }
    return FileRunSummary{.Input = input,
                          .Output = output,
                          .Points = static_cast<int>(summary.Rows),
                          .Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start - asking).count(),
                          .FarPoints = static_cast<int>(summary.FarPoints),
                          .FarthestDegrees = summary.FarthestDegrees,
                          .HeaderDiscarded = settings.SkipFirstRow && summary.Lines >= 1 && !settings.ShowOnly &&
                                             !settings.KeepColumns,
                          .Engine = route->Engine(),
                          .Plot = plot};
}

}  // namespace kartoval
