#include "cli/ConvertCommand.hpp"

#include "batch/AtomicFileWriter.hpp"
#include "batch/BatchRun.hpp"
#include "batch/LineReader.hpp"
#include "batch/RowFormats.hpp"
#include "batch/RunFiles.hpp"
#include "cli/Arguments.hpp"
#include "cli/DataCommand.hpp"
#include "cli/Listings.hpp"
#include "conversion/CloseMatch.hpp"
#include "conversion/ConversionRoute.hpp"
#include "conversion/SideProjection.hpp"
#include "conversion/ZoneFinder.hpp"
#include "datum/GridShiftEngine.hpp"
#include "geodesy/DegreesText.hpp"
#include "geodesy/TransverseMercator.hpp"
#include "refdata/Ellipsoids.hpp"
#include "toolkit/VisibleText.hpp"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

namespace kartoval {
namespace {

constexpr const char* kProgram = "kartoval-convert";
constexpr const char* kDefaultEllipsoid = "WGS 84";
constexpr int kDefaultGridDecimals = 4;
constexpr int kDefaultDegreeDecimals = 9;
constexpr int kDefaultSecondDecimals = 3;
constexpr int kDefaultMinuteDecimals = 4;
constexpr auto kProgressDelay = std::chrono::seconds(1);
constexpr auto kProgressInterval = std::chrono::milliseconds(250);

using Clock = std::chrono::steady_clock;

// An input or output that can't be read or written (exit status 3).
class InputOutputError : public CommandError {
public:
    using CommandError::CommandError;
};

// The data tables' lookups report through message boxes in the window; here
// there is nobody to answer, so their text goes to standard error.
class StderrMessages : public MessageBoxes {
public:
    explicit StderrMessages(std::FILE* err) : err_(err) {}
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        std::fprintf(err_, "%s: %s: %s\n", kProgram, caption.c_str(), text.c_str());
    }
    bool AskYesNo(const std::string& /*text*/, const std::string& /*caption*/) override { return false; }

private:
    std::FILE* err_;
};

class StreamOutput : public BatchOutput {
public:
    explicit StreamOutput(std::FILE* stream) : stream_(stream) {}
    void Write(std::string_view chunk) override
    {
        if (std::fwrite(chunk.data(), 1, chunk.size(), stream_) != chunk.size()) {
            throw InputOutputError(std::string("can't write the output: ") + std::strerror(errno));
        }
    }

private:
    std::FILE* stream_;
};

// The one ellipsoid of a run without a datum shift: --ellipsoid, else the
// datum ellipsoid of the side that names a datum, else the other's, else
// WGS 84. Two sides whose ellipsoids don't fit each other are two datums.
Ellipsoid pickEllipsoid(const CommandLine& line, const CoordinateSide& from, const CoordinateSide& to,
                        const Platform& platform, std::FILE* err)
{
    const std::vector<Ellipsoid> table = ReadEllipsoids(platform);
    std::string name;
    if (line.Ellipsoid) {
        name = *line.Ellipsoid;
    } else if (from.DatumEllipsoid && to.DatumEllipsoid && from.Datum && from.Datum == to.Datum &&
               (from.IsDegrees() || to.IsDegrees())) {
        // Degrees on a datum into a zone of that datum defined on its own
        // ellipsoid (the Michigan zones of 1927 on Clarke 1866 Michigan): the
        // degrees stay the datum's, the grid is the zone's.
        name = *(from.IsDegrees() ? to : from).DatumEllipsoid;
    } else if (from.DatumEllipsoid && to.DatumEllipsoid && !EllipsoidFitsSide(from, *to.DatumEllipsoid) &&
               !EllipsoidFitsSide(to, *from.DatumEllipsoid)) {
        // Two datums: that needs a datum shift, which this conversion is not.
        throw UsageError(from.Label + " is on " + *from.DatumEllipsoid + " and " + to.Label + " on " +
                         *to.DatumEllipsoid + "; Kartoval converts on one ellipsoid: name it with --ellipsoid");
    } else if (from.Datum && from.DatumEllipsoid) {
        name = *from.DatumEllipsoid;
    } else if (to.Datum && to.DatumEllipsoid) {
        name = *to.DatumEllipsoid;
    } else {
        name = from.DatumEllipsoid.value_or(to.DatumEllipsoid.value_or(kDefaultEllipsoid));
    }
    const auto found = FindEllipsoid(table, name);
    if (!found) {
        std::vector<std::string> names;
        for (const Ellipsoid& ellipsoid : table) names.push_back(ellipsoid.Name);
        const auto matches = CloseMatches(name, names);
        throw UsageError("unknown ellipsoid '" + name + "';" +
                         (matches.empty() ? std::string(" see --list-ellipsoids") : DidYouMean(matches)));
    }
    if (line.Ellipsoid) {
        for (const CoordinateSide* side : {&from, &to}) {
            if (const auto notice = EllipsoidNotice(*side, found->Name)) {
                std::fprintf(err, "%s: note: %s Converting on %s, as --ellipsoid asks.\n", kProgram, notice->c_str(),
                             found->Name.c_str());
            }
        }
    }
    return *found;
}

bool isTm(const CoordinateSide& side)
{
    return side.Kind == SideKind::Utm || (side.Zone && std::holds_alternative<TmParams>(side.Zone->Projection));
}

void checkCombination(const CommandLine& line, const ConversionRoute& transform)
{
    if (line.WestPositive && !transform.InputIsDegrees()) {
        throw UsageError("--west-positive is about longitudes read; the input holds grid values");
    }
    if (line.Dms && !transform.OutputIsDegrees()) {
        throw UsageError("--dms writes degrees; the output holds grid values");
    }
    if (line.Dm && !transform.OutputIsDegrees()) throw UsageError("--dm writes degrees; the output holds grid values");
    if (line.Dm && line.Dms) throw UsageError("--dm and --dms are two ways of writing degrees: choose one");
    if (line.Factors && !transform.HasGrid()) throw UsageError("--factors needs a grid on one side");
}

BatchOptions optionsOf(const CommandLine& line)
{
    BatchOptions options;
    options.FieldDelimiter = line.FieldDelimiter;
    options.XColumn = line.XColumn;
    options.YColumn = line.YColumn;
    options.HeaderLines = line.HeaderLines;
    options.WestWithoutMinus = line.WestPositive;
    options.Dms = line.Dms;
    options.GridDecimals = line.Decimals.value_or(kDefaultGridDecimals);
    options.Dm = line.Dm;
    options.DegreeDecimals = line.Decimals.value_or(
        line.Dms ? kDefaultSecondDecimals : (line.Dm ? kDefaultMinuteDecimals : kDefaultDegreeDecimals));
    options.Factors = line.Factors;
    options.ReportShift = line.ReportShift;
    options.KeepGoing = line.KeepGoing;
    options.AllowOutside = line.AllowOutside;
    options.IdColumn = line.IdColumn;
    const auto named = [](const std::optional<std::string>& name, std::size_t column) -> std::optional<NamedColumn> {
        if (!name) return std::nullopt;
        return NamedColumn{*name, column == kNamedOnly ? std::nullopt : std::optional(column)};
    };
    options.XName = named(line.XName, line.XColumn);
    options.YName = named(line.YName, line.YColumn);
    options.IdName = named(line.IdName, line.IdColumn);
    return options;
}

std::string failureText(const LineFailure& failure, std::size_t maxLine)
{
    const std::string field = "field " + ColumnName(failure.Column);
    switch (failure.Kind) {
    case FailureKind::BadNumber:
        return field + " " + QuotedField(failure.Text) + " " + failure.Problem;
    case FailureKind::MissingField:
        return field + " (" + failure.Role + ") is missing: the line has " + std::to_string(failure.FieldCount) +
               (failure.FieldCount == 1 ? " field" : " fields");
    case FailureKind::BrokenQuote:
        return field + " opens a quote that is not closed before the next delimiter";
    case FailureKind::PointRange:
        return failure.Text;
    case FailureKind::TooLong:
        return "the line is longer than " + std::to_string(maxLine) + " bytes (--max-line)";
    case FailureKind::TooManyRows:
        return "too many rows";
    case FailureKind::Utf16:
        return "the input is UTF-16 text; convert it to UTF-8 first";
    case FailureKind::ReadFailed:
        return std::string("can't be read: ") + std::strerror(errno);
    case FailureKind::NoSuchColumn:
        return "the header has no column named '" + VisibleText(failure.Text) + "' (--" + failure.Role + ")";
    }
    return failure.Text;
}

// "12 345 rows, 1 234 567 rows/s" on one line of the terminal, from one second on.
class Progress {
public:
    Progress(std::FILE* err, bool enabled) : err_(err), enabled_(enabled), start_(Clock::now()) {}
    void Show(std::uint64_t rows)
    {
        if (!enabled_) return;
        const Clock::time_point now = Clock::now();
        if (now - start_ < kProgressDelay || (shown_ && now - last_ < kProgressInterval)) return;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        std::fprintf(err_, "\r%s: %llu rows, %.0f rows/s", kProgram, static_cast<unsigned long long>(rows),
                     static_cast<double>(rows) / seconds);
        std::fflush(err_);
        shown_ = true;
        last_ = now;
    }
    void End()
    {
        if (shown_) std::fputc('\n', err_);
        shown_ = false;
    }

private:
    std::FILE* err_;
    bool enabled_;
    Clock::time_point start_;
    Clock::time_point last_{};
    bool shown_ = false;
};

int convert(const CommandLine& line, const CliStreams& streams, const Platform& platform)
{
    // utm:auto[:datum]: each point in its own zone; the route of zone 31
    // stands for them all where the run asks what kind of output it writes.
    const auto isAuto = [](const std::string& text) {
        std::string lower = text.substr(0, std::min<std::size_t>(text.size(), 8));
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return lower == "utm:auto" && (text.size() == 8 || text[8] == ':');
    };
    if (isAuto(line.From)) throw UsageError("utm:auto picks each point's zone: it is for --to only");
    const bool autoUtm = isAuto(line.To);
    const CoordinateSide from = ParseSide(line.From, platform);
    const CoordinateSide to = ParseSide(autoUtm ? "utm:31N" + line.To.substr(8) : line.To, platform);
    // The shift and its grids are set up only for a run between two datums.
    std::optional<DatumShifter> shifter;
    std::optional<GridShiftEngine> engine;
    std::optional<ConversionRoute> route;
    std::optional<Ellipsoid> ellipsoid;  // of a run on one ellipsoid
    // GeoJSON and KML place points on NAD83 / WGS 84: an input on another
    // datum goes there by the grids too.
    const CoordinateSide mapSide = DegreesSide(GeodeticDatum::Nad83);
    const bool mapShift = IsMapFormat(line.Format) && NeedsDatumShift(from, mapSide);
    if (mapShift && !HasGridPath(*from.Datum, GeodeticDatum::Nad83)) {
        throw UsageError("--format " + std::string(line.Format == OutputFormat::Kml ? "kml" : "geojson") +
                         " places points on NAD83: " + NoGridPathReason(*from.Datum, GeodeticDatum::Nad83));
    }
    if (mapShift || NeedsDatumShift(from, to)) {
        shifter.emplace(platform.DataFolder / kGridFolderName);
        engine.emplace(*shifter);
    }
    std::optional<ConversionRoute> mapRoute;
    if (mapShift) mapRoute.emplace(from, mapSide, ReadEllipsoids(platform), *engine, platform, line.Tm);
    if (NeedsDatumShift(from, to)) {
        if (!HasGridPath(*from.Datum, *to.Datum)) throw UsageError(NoGridPathReason(*from.Datum, *to.Datum));
        if (line.Ellipsoid) {
            throw UsageError("--ellipsoid does not apply between two datums: " + from.Label + " is on " +
                             from.DatumEllipsoid.value_or("?") + " and " + to.Label + " on " +
                             to.DatumEllipsoid.value_or("?") + ", each datum on its own");
        }
        route.emplace(from, to, ReadEllipsoids(platform), *engine, platform, line.Tm);
    } else {
        ellipsoid = pickEllipsoid(line, from, to, platform, streams.Err);
        if (line.ReportShift) {
            throw UsageError("--report-shift needs --from and --to on two datums (geo:nad27 and geo:nad83, say)");
        }
        route.emplace(from, to, *ellipsoid, platform, line.Tm);
        if (TakesWgs84AsNad83(from, to)) std::fprintf(streams.Err, "%s: note: %s\n", kProgram, kWgs84AsNad83Note);
    }
    const ConversionRoute& transform = *route;
    checkCombination(line, transform);
    std::optional<AutoUtmRoute> autoZone;
    if (autoUtm) {
        // Each zone's route is built as the route above was: across the datums by the grids, else on its ellipsoid.
        const std::vector<Ellipsoid> table = ellipsoid ? std::vector<Ellipsoid>() : ReadEllipsoids(platform);
        const auto build = [&, table](const CoordinateSide& target) {
            return ellipsoid ? ConversionRoute(from, target, *ellipsoid, platform, line.Tm)
                             : ConversionRoute(from, target, table, *engine, platform, line.Tm);
        };
        autoZone.emplace(build(DegreesSide(to.Datum)), build, to.Datum);
    }
    if (line.Factors && (isTm(from) || isTm(to))) {
        std::fprintf(streams.Err, "%s: factors by the %s\n", kProgram, TmEngineName(line.Tm));
    }
    BatchOptions options = optionsOf(line);
    if (autoZone) options.AutoZone = &*autoZone;

    const bool fromStdin = line.Input == "-";
    const bool toStdout = line.Output == "-";
    const std::string inputName = fromStdin ? "<stdin>" : line.Input;
    if (!fromStdin && !toStdout && !line.InPlace && NamesSameFile(line.Input, line.Output)) {
        throw UsageError("the output " + line.Output + " is the input; give --in-place to replace it");
    }
    std::optional<LineReader> reader;
    if (fromStdin) {
        reader.emplace(streams.In, line.MaxLineBytes);
    } else {
        reader.emplace(std::filesystem::path(line.Input), line.MaxLineBytes);
        if (!reader->IsOpen()) {
            std::error_code error;
            const char* why = !std::filesystem::exists(line.Input, error) ? "no such file"
                              : std::filesystem::is_directory(line.Input, error) ? "it is a folder"
                                                                                   : "it can't be read";
            throw InputOutputError("can't open the input " + line.Input + ": " + why);
        }
    }
    std::optional<AtomicFileWriter> writer;
    if (!toStdout) {
        writer.emplace(std::filesystem::path(line.Output));
        NoteLeftTemporaries(*writer, kProgram, streams.Err);
    }
    StreamOutput streamOutput(streams.Out);
    std::optional<WriterOutput> fileOutput;
    if (writer) fileOutput.emplace(*writer);
    BatchOutput& output = writer ? static_cast<BatchOutput&>(*fileOutput) : streamOutput;

    std::optional<RowWriter> rows;
    if (line.Format != OutputFormat::Text) {
        RowFormatOptions format;
        format.Format = line.Format;
        std::tie(format.XName, format.YName) = ConvertedColumnNames(transform.To());
        format.OutputIsDegrees = transform.OutputIsDegrees();
        format.Dms = options.Dms;
        format.GridDecimals = options.GridDecimals;
        format.DegreeDecimals = options.DegreeDecimals;
        format.Factors = options.Factors;
        format.ReportShift = options.ReportShift;
        format.UtmZone = autoZone.has_value();
        format.DocumentName = fromStdin ? std::string("kartoval-convert") : std::filesystem::path(line.Input).filename().string();
        // Numbers stay numbers only where the whole column is numeric; a file
        // is read once more to know (standard input can't be: strings there).
        if (line.Format == OutputFormat::GeoJson && !fromStdin) {
            LineReader scan{std::filesystem::path(line.Input), line.MaxLineBytes};
            format.NumericColumns = NumericColumns(scan, line.HeaderLines, line.FieldDelimiter);
        }
        rows.emplace(std::move(format));
        options.Rows = &*rows;
        if (mapRoute) options.MapRoute = &*mapRoute;
    }

    Progress progress(streams.Err, streams.ErrIsTerminal);
    bool readFailed = false;
    BatchCallbacks callbacks;
    callbacks.Failure = [&](const LineFailure& failure) {
        progress.End();
        readFailed = readFailed || failure.Kind == FailureKind::ReadFailed;
        std::fprintf(streams.Err, "%s:%llu: %s\n", inputName.c_str(), static_cast<unsigned long long>(failure.Line),
                     failureText(failure, line.MaxLineBytes).c_str());
    };
    callbacks.Progress = [&](std::uint64_t rows) { progress.Show(rows); };
    const BatchSummary summary = RunBatch(*reader, output, options, transform, callbacks);
    progress.End();
    if (readFailed) return kExitInputOutput;

    int status = summary.FailedLines > 0 ? kExitBadLine : kExitSuccess;
    // Points beyond their zone's area refuse the whole run, unless asked for.
    bool refused = false;
    if (summary.OutsidePoints > 0 && !summary.Stopped) {
        const auto hint = OtherSignHint(summary, "--west-positive", line.WestPositive);
        refused = !line.AllowOutside;
        if (refused) {
            std::fprintf(streams.Err, "%s: %s: %s; %s, --allow-outside converts them anyway.%s%s\n", kProgram,
                         inputName.c_str(), OutsideRunText(summary).c_str(),
                         writer ? "nothing written" : "the output stops before that line", hint ? " " : "",
                         hint.value_or("").c_str());
            status = kExitBadLine;
        } else {
            std::fprintf(streams.Err, "%s: warning: %s: %s, converted as --allow-outside asks\n", kProgram,
                         inputName.c_str(), OutsideRunText(summary).c_str());
        }
    }
    if (summary.Rows == 0) {
        // A run with nothing to show never replaces an existing output.
        status = kExitBadLine;
        const std::string outcome = writer ? "; " + NoPointOutcome(*writer) : std::string();
        if (line.HeaderLines > 0 && summary.Lines <= line.HeaderLines) {
            std::fprintf(streams.Err, "%s: %s has %llu lines, not more than the %llu header lines of --header: no point to convert%s\n",
                         kProgram, inputName.c_str(), static_cast<unsigned long long>(summary.Lines),
                         static_cast<unsigned long long>(line.HeaderLines), outcome.c_str());
        } else {
            const char* why = summary.Lines == 0 ? "is empty" : summary.FailedLines == 0 ? "holds only blank lines" : "has no line that converts";
            std::fprintf(streams.Err, "%s: %s %s: no point to convert%s\n", kProgram, inputName.c_str(), why, outcome.c_str());
        }
    }
    if (summary.FarPoints > 0 && !refused) {
        const double error = ExpectedTmSeriesError(summary.FarthestDegrees);
        std::fprintf(streams.Err, "%s: warning: %llu %s more than %g degrees from the central meridian, the farthest %.2f degrees away",
                     kProgram, static_cast<unsigned long long>(summary.FarPoints),
                     summary.FarPoints == 1 ? "point lies" : "points lie", kFarFromCentralMeridianDegrees, summary.FarthestDegrees);
        if (error > 0.0) std::fprintf(streams.Err, ", where the series may be off by about %.2g m", error);
        std::fprintf(streams.Err, "; use the exact transverse Mercator (--tm exact)");
        std::fputc('\n', streams.Err);
    }
    if (writer) {
        // A failed run leaves no output behind, unless --keep-going asked for
        // the good lines; a refused run, or one that converted no point, leaves
        // the old output as it was.
        const bool keepGood = line.KeepGoing && !summary.Stopped;
        if (!refused && summary.Rows > 0 && (status == kExitSuccess || keepGood)) writer->Commit();
    } else if (std::fflush(streams.Out) != 0) {
        throw InputOutputError(std::string("can't write the output: ") + std::strerror(errno));
    }
    return status;
}

double whichZoneAngle(const std::string& text, AngleAxis axis)
{
    double value = 0.0;
    const TextProblem problem = ParseDegrees(text, axis, false, value);
    if (problem != TextProblem::None) {
        throw UsageError(std::string("--which-zone ") + (axis == AngleAxis::Latitude ? "latitude" : "longitude") + " '" +
                         VisibleText(text) + "' " + AngleProblemText(problem, axis, false));
    }
    const double limit = axis == AngleAxis::Latitude ? 90.0 : 180.0;
    if (!(value >= -limit && value <= limit)) {
        throw UsageError(std::string("--which-zone ") + (axis == AngleAxis::Latitude ? "latitude" : "longitude") + " '" +
                         VisibleText(text) + "' lies beyond " + (axis == AngleAxis::Latitude ? "-90..90" : "-180..180"));
    }
    return value;
}

// --which-zone: each zone that holds the point, as --from / --to spell it,
// with its EPSG name and code.
int whichZone(const CommandLine& line, const Platform& platform, std::FILE* out, std::FILE* err)
{
    const double latitude = whichZoneAngle(line.WhichLatitude, AngleAxis::Latitude);
    const double longitude = whichZoneAngle(line.WhichLongitude, AngleAxis::Longitude);
    std::vector<CoordinateSide> zones;
    if (auto utm = StandardUtmZone(latitude, longitude)) zones.push_back(std::move(*utm));
    for (const XyProjectionKind family : {XyProjectionKind::Nad27, XyProjectionKind::Nad83}) {
        for (FoundZone& zone : StatePlaneZonesAt(family, {longitude, latitude}, platform)) {
            zones.push_back(std::move(zone.Side));
        }
    }
    if (zones.empty()) {
        std::fprintf(err, "%s: no zone holds %s %s: UTM stops at 80S and 84N, and no State Plane area reaches it\n",
                     kProgram, line.WhichLatitude.c_str(), line.WhichLongitude.c_str());
        return kExitBadLine;
    }
    for (const CoordinateSide& zone : zones) {
        const auto code = SideEpsgCode(zone, platform);
        const std::string codeText = code ? "  EPSG:" + std::to_string(*code) : std::string();
        std::fprintf(out, "%s  %s%s\n", SideSpelling(zone).c_str(), EpsgStyleName(zone).c_str(), codeText.c_str());
    }
    return kExitSuccess;
}

}  // namespace

int RunConvertCommand(const std::vector<std::string>& arguments, const CliStreams& streams,
                      const std::filesystem::path& dataFolder)
{
    StderrMessages messages(streams.Err);
    const Platform platform{messages, dataFolder};
    try {
        const CommandLine line = ParseCommandLine(arguments);
        switch (line.Action) {
        case CliAction::Help:
            std::fputs(HelpText(), streams.Out);
            return kExitSuccess;
        case CliAction::Version:
            std::fprintf(streams.Out, "%s %s\n", kProgram, KARTOVAL_VERSION);
            return kExitSuccess;
        case CliAction::ListZones:
            ListZones(line.ListWhat, platform, streams.Out);
            return kExitSuccess;
        case CliAction::ListEllipsoids:
            ListEllipsoidTable(platform, streams.Out);
            return kExitSuccess;
        case CliAction::CheckData:
            return CheckDataFiles(platform, streams.Out);
        case CliAction::WhichZone:
            return whichZone(line, platform, streams.Out, streams.Err);
        case CliAction::Convert:
            NoteChangedTables(dataFolder, streams.Err);
            return convert(line, streams, platform);
        }
    } catch (const UsageError& error) {
        std::fprintf(streams.Err, "%s: %s\n", kProgram, error.what());
        return kExitUsage;
    } catch (const InputOutputError& error) {
        std::fprintf(streams.Err, "%s: %s\n", kProgram, error.what());
        return kExitInputOutput;
    } catch (const OutputFileError& error) {
        std::fprintf(streams.Err, "%s: %s\n", kProgram, error.what());
        return kExitInputOutput;
    } catch (const CommandError& error) {
        // The data tables: missing or damaged.
        std::fprintf(streams.Err, "%s: %s: %s\n", kProgram, error.Caption().c_str(), error.what());
        return kExitInputOutput;
    } catch (const std::exception& error) {
        std::fprintf(streams.Err, "%s: %s\n", kProgram, error.what());
        return kExitInputOutput;
    }
    return kExitUsage;
}

}  // namespace kartoval
