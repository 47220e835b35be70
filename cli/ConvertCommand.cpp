#include "cli/ConvertCommand.hpp"

#include "batch/AtomicFileWriter.hpp"
#include "batch/BatchRun.hpp"
#include "batch/LineReader.hpp"
#include "cli/Arguments.hpp"
#include "cli/CloseMatch.hpp"
#include "cli/DataCommand.hpp"
#include "cli/Crs.hpp"
#include "cli/DatumRoute.hpp"
#include "cli/Listings.hpp"
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

class FileOutput : public BatchOutput {
public:
    explicit FileOutput(AtomicFileWriter& writer) : writer_(writer) {}
    void Write(std::string_view chunk) override { writer_.Write(chunk); }

private:
    AtomicFileWriter& writer_;
};

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

Ellipsoid pickEllipsoid(const CommandLine& line, const CrsChoice& from, const CrsChoice& to, const Platform& platform)
{
    std::string name;
    if (line.Ellipsoid) {
        name = *line.Ellipsoid;
    } else if (from.DatumEllipsoid && to.DatumEllipsoid && !sameName(*from.DatumEllipsoid, *to.DatumEllipsoid)) {
        // Two datums: that needs a datum shift, which this conversion is not.
        throw UsageError(from.Label + " is on " + *from.DatumEllipsoid + " and " + to.Label + " on " +
                         *to.DatumEllipsoid + "; Kartoval converts on one ellipsoid: name it with --ellipsoid");
    } else {
        name = from.DatumEllipsoid.value_or(to.DatumEllipsoid.value_or(kDefaultEllipsoid));
    }
    const std::vector<Ellipsoid> ellipsoids = ReadEllipsoids(platform);
    for (const Ellipsoid& ellipsoid : ellipsoids) {
        if (sameName(ellipsoid.Name, name)) return ellipsoid;
    }
    std::vector<std::string> names;
    for (const Ellipsoid& ellipsoid : ellipsoids) names.push_back(ellipsoid.Name);
    const auto matches = CloseMatches(name, names);
    throw UsageError("unknown ellipsoid '" + name + "';" +
                     (matches.empty() ? std::string(" see --list-ellipsoids") : DidYouMean(matches)));
}

std::optional<GridProjection> projectionOf(const CrsChoice& crs, const Ellipsoid& ellipsoid)
{
    if (!crs.Zone) return std::nullopt;
    return GridProjection(EllipsoidInUnit(ellipsoid, crs.Unit), *crs.Zone);
}

void checkCombination(const CommandLine& line, const PointTransform& transform)
{
    if (line.WestPositive && !transform.InputIsDegrees()) {
        throw UsageError("--west-positive is about longitudes read; the input holds grid values");
    }
    if (line.Dms && !transform.OutputIsDegrees()) {
        throw UsageError("--dms writes degrees; the output holds grid values");
    }
    if (line.Factors && !transform.HasGrid()) throw UsageError("--factors needs a grid on one side");
}

BatchOptions optionsOf(const CommandLine& line, const PointTransform& transform)
{
    BatchOptions options;
    options.FieldDelimiter = line.FieldDelimiter;
    options.XColumn = line.XColumn;
    options.YColumn = line.YColumn;
    options.HeaderLines = line.HeaderLines;
    options.WestWithoutMinus = line.WestPositive;
    options.Dms = line.Dms;
    options.GridDecimals = line.Decimals.value_or(kDefaultGridDecimals);
    options.DegreeDecimals = line.Decimals.value_or(line.Dms ? kDefaultSecondDecimals : kDefaultDegreeDecimals);
    options.Factors = line.Factors;
    options.ReportShift = line.ReportShift;
    options.KeepGoing = line.KeepGoing;
    (void)transform;
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

bool sameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

int convert(const CommandLine& line, const CliStreams& streams, const Platform& platform)
{
    const CrsChoice from = ResolveCrs(line.From, platform);
    const CrsChoice to = ResolveCrs(line.To, platform);
    std::optional<DatumRoute> route;
    if (NeedsDatumShift(from, to)) {
        route.emplace(from, to, line.Ellipsoid.has_value(), platform);
    } else if (line.ReportShift) {
        throw UsageError("--report-shift needs --from and --to on two datums (geo:nad27 and geo:nad83, say)");
    }
    const PointTransform transform = route ? route->Transform() : [&] {
        const Ellipsoid ellipsoid = pickEllipsoid(line, from, to, platform);
        return PointTransform(projectionOf(from, ellipsoid), projectionOf(to, ellipsoid));
    }();
    checkCombination(line, transform);
    const BatchOptions options = optionsOf(line, transform);

    const bool fromStdin = line.Input == "-";
    const bool toStdout = line.Output == "-";
    const std::string inputName = fromStdin ? "<stdin>" : line.Input;
    if (!fromStdin && !toStdout && !line.InPlace && sameFile(line.Input, line.Output)) {
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
    std::optional<FileOutput> fileOutput;
    if (writer) fileOutput.emplace(*writer);
    BatchOutput& output = writer ? static_cast<BatchOutput&>(*fileOutput) : streamOutput;

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
    if (summary.FarPoints > 0) {
        const double error = ExpectedTmSeriesError(summary.FarthestDegrees);
        std::fprintf(streams.Err, "%s: warning: %llu %s more than %g degrees from the central meridian, the farthest %.2f degrees away",
                     kProgram, static_cast<unsigned long long>(summary.FarPoints),
                     summary.FarPoints == 1 ? "point lies" : "points lie", kFarFromCentralMeridianDegrees, summary.FarthestDegrees);
        if (error > 0.0) std::fprintf(streams.Err, ", where the series may be off by about %.2g m", error);
        std::fputc('\n', streams.Err);
    }
    if (writer) {
        // A failed run leaves no output behind, unless --keep-going asked for the good lines.
        if (summary.Rows > 0 && (status == kExitSuccess || (line.KeepGoing && !summary.Stopped))) {
            writer->Commit();
        }
    } else if (std::fflush(streams.Out) != 0) {
        throw InputOutputError(std::string("can't write the output: ") + std::strerror(errno));
    }
    return status;
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
