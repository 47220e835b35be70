#include "batch/BatchRun.hpp"

#include "batch/LineReader.hpp"
#include "geodesy/DegreesText.hpp"
#include "batch/RowFormats.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"

#include <algorithm>
#include <array>
#include <vector>

namespace kartoval {
namespace {

// Converted text is handed on in chunks of about this size: small, since the
// output's writer buffers too, and every page of a buffer is first touched
// (a page fault) in each fresh process.
constexpr std::size_t kChunkSize = std::size_t{16} * 1024;
// Progress is offered every this many lines.
constexpr std::uint64_t kProgressEvery = 16384;
constexpr int kPageDecimals = 6;
constexpr int kScaleDecimals = 9;
constexpr int kConvergenceDecimals = 7;
constexpr int kShiftDecimals = 3;  // a millimetre
constexpr std::size_t kLettersInAlphabet = 26;

// Most lines start with their first field: only the others are scanned.
bool isBlankLine(std::string_view line)
{
    if (!line.empty() && static_cast<unsigned char>(line.front()) > 32) return false;
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

// A field the run reads a number from.
struct Selected {
    std::size_t Column;
    double* Target;
    const char* Role;
    std::optional<AngleAxis> Axis;  // degrees, read with hemispheres and DMS; none for grid values
};

class Loop {
public:
    Loop(LineReader& input, BatchOutput& output, const BatchOptions& options, const ConversionRoute& transform,
         const BatchCallbacks& callbacks)
        : input_(input), output_(output), options_(options), transform_(transform), callbacks_(callbacks),
          delimiter_(options.FieldDelimiter)
    {
        out_.reserve(kChunkSize * 2);
        fields_.reserve(16);
        xColumn_ = options.XColumn;
        yColumn_ = options.YColumn;
        idColumn_ = options.IdColumn;
        const bool degrees = transform.InputIsDegrees();
        selected_.push_back({xColumn_, &x_, degrees ? "longitude" : "easting",
                             degrees ? std::optional(AngleAxis::Longitude) : std::nullopt});
        selected_.push_back({yColumn_, &y_, degrees ? "latitude" : "northing",
                             degrees ? std::optional(AngleAxis::Latitude) : std::nullopt});
        if (options.ShotPointColumn) selected_.push_back({*options.ShotPointColumn, &shotPoint_, "shot point", {}});
        // In line order, so that a line's first bad field is the one reported.
        std::stable_sort(selected_.begin(), selected_.end(),
                         [](const Selected& a, const Selected& b) { return a.Column < b.Column; });
    }

    BatchSummary Run()
    {
        std::string_view line;
        if (options_.Rows) options_.Rows->Begin(out_);
        for (;;) {
            const LineReader::Result result = input_.Next(line);
            if (result == LineReader::Result::End) break;
            if (result == LineReader::Result::Failed) {
                fail({FailureKind::ReadFailed, summary_.Lines + 1, 0, {}, {}, {}, {}, 0}, true);
                break;
            }
            ++summary_.Lines;
            if (result == LineReader::Result::TooLong) {
                fail({FailureKind::TooLong, summary_.Lines, 0, {}, {}, {}, {}, 0}, true);
                break;
            }
            if (callbacks_.Progress && summary_.Lines % kProgressEvery == 0) callbacks_.Progress(summary_.Rows);
            if (!convertLine(line)) break;
            if (out_.size() >= kChunkSize) flush();
        }
        if (options_.Rows && !summary_.Stopped) options_.Rows->End(out_);
        flush();
        return summary_;
    }

private:
    // False when the run ends here.
    bool convertLine(std::string_view line)
    {
        // A UTF-16 file reads as bytes with a NUL in every other place: say
        // what it is rather than quote its first field.
        if (summary_.Lines == 1 && (line.starts_with("\xFF\xFE") || line.starts_with("\xFE\xFF"))) {
            return fail({FailureKind::Utf16, 1, 0, {}, {}, {}, {}, 0}, true);
        }
        if (summary_.Lines <= options_.HeaderLines) {
            if (summary_.Lines == options_.HeaderLines && !nameColumns(line)) return false;
            if (options_.Rows) {
                options_.Rows->Header(line);
            } else if (options_.KeepHeader) {
                out_ += line;
                out_ += '\n';
            }
            return true;
        }
        if (isBlankLine(line)) {
            if (options_.KeepBlankLines && !options_.Rows) out_ += '\n';
            return true;
        }
        if (options_.MaxRows != 0 && summary_.Rows + summary_.FailedLines >= options_.MaxRows) {
            return fail({FailureKind::TooManyRows, summary_.Lines, 0, {}, {}, {}, {}, 0}, true);
        }
        if (delimiter_ == Delimiter::Auto) delimiter_ = DetectDelimiter(line);
        if (options_.Rows && summary_.Rows == 0) options_.Rows->SetDelimiter(delimiter_);
        std::size_t badField = 0;
        if (!SplitFields(line, delimiter_, fields_, badField)) {
            return fail({FailureKind::BrokenQuote, summary_.Lines, badField, {}, {}, {}, {}, fields_.size()}, false);
        }
        // A line too short is named as such, even when a field before the gap is no number.
        for (const Selected& s : selected_) {
            if (s.Column >= fields_.size()) {
                return fail({FailureKind::MissingField, summary_.Lines, s.Column, s.Role, {}, {}, {}, fields_.size()},
                            false);
            }
        }
        for (const Selected& s : selected_) {
            // Blank-separated fields come trimmed and never quoted: no second look.
            const FieldSpan& field = fields_[s.Column];
            const std::string_view text = delimiter_ == Delimiter::Whitespace
                                              ? line.substr(field.Begin, field.End - field.Begin)
                                              : FieldValue(line, field, scratch_);
            const TextProblem problem = readNumber(text, s, *s.Target);
            if (problem != TextProblem::None) {
                return fail({FailureKind::BadNumber, summary_.Lines, s.Column, s.Role, problem, std::string(text),
                             problemText(problem, s), fields_.size()},
                            false);
            }
        }
        PointResult point;
        GeoPoint mapDegrees;
        try {
            // utm:auto picks the point's zone first; the zone's route converts it.
            const ConversionRoute& route = options_.AutoZone ? options_.AutoZone->RouteFor(x_, y_) : transform_;
            point = route.Convert(x_, y_, options_.Factors);
            if (options_.AutoZone) zone_ = UtmZoneText(route.To());
            // A point the map's datum shift can't take is refused like any shift.
            mapDegrees = options_.MapRoute ? options_.MapRoute->Convert(x_, y_).Degrees : point.InputDegrees;
        } catch (const PointRangeError& error) {
            return fail({FailureKind::PointRange, summary_.Lines, 0, {}, {}, error.what(), {}, fields_.size()}, false);
        }
        if (const auto distance = point.DegreesFromCentralMeridian) {
            if (*distance > kFarFromCentralMeridianDegrees) ++summary_.FarPoints;
            summary_.FarthestDegrees = std::max(summary_.FarthestDegrees, *distance);
        }
        ++summary_.Rows;
        if (point.Outside) noteOutside(point);
        if (callbacks_.Point) {
            const std::string_view id =
                idColumn_ < fields_.size() ? FieldValue(line, fields_[idColumn_], idScratch_) : std::string_view{};
            callbacks_.Point(ConvertedPoint{summary_.Lines, id, point});
        }
        // Past the first outside point the run only counts: its output is
        // refused as a whole.
        if (summary_.OutsidePoints > 0 && !options_.AllowOutside) return true;
        if (pageLayout()) {
            AppendFixed(out_, shotPoint_, kPageDecimals);
            out_ += '\t';
            AppendFixed(out_, point.X, kPageDecimals);
            out_ += '\t';
            AppendFixed(out_, point.Y, kPageDecimals);
            out_ += '\n';
            return true;
        }
        if (options_.Rows) {
            const std::optional<PointFactors> factors =
                !options_.Factors ? std::nullopt
                : point.Factors   ? point.Factors
                                  : std::optional(transform_.Factors(point.Degrees));
            options_.Rows->Row(RowData{line, fields_, summary_.Lines, xColumn_, yColumn_, idColumn_, point, factors,
                                       mapDegrees, zone_},
                               out_);
            return true;
        }
        writeFields(line, point);
        return true;
    }

    // The columns the header names, looked up in its last line; false when
    // a name is neither there nor a column.
    bool nameColumns(std::string_view header)
    {
        if (!options_.XName && !options_.YName && !options_.IdName) return true;
        const std::vector<std::string> names = HeaderNames(header, delimiter_);
        const auto find = [&](const std::optional<NamedColumn>& named, std::size_t& column, const char* role) {
            if (!named) return true;
            const auto found = std::find(names.begin(), names.end(), named->Name);
            if (found != names.end()) {
                column = static_cast<std::size_t>(found - names.begin());
            } else if (named->Fallback && *named->Fallback < names.size()) {
                column = *named->Fallback;
            } else {
                return fail({FailureKind::NoSuchColumn, summary_.Lines, 0, role, {}, named->Name, {}, names.size()},
                            true);
            }
            return true;
        };
        if (!find(options_.XName, xColumn_, "x") || !find(options_.YName, yColumn_, "y") ||
            !find(options_.IdName, idColumn_, "id")) {
            return false;
        }
        for (Selected& s : selected_) {
            if (s.Target == &x_) s.Column = xColumn_;
            if (s.Target == &y_) s.Column = yColumn_;
        }
        std::stable_sort(selected_.begin(), selected_.end(),
                         [](const Selected& a, const Selected& b) { return a.Column < b.Column; });
        return true;
    }

    void noteOutside(const PointResult& point)
    {
        const bool otherSign = transform_.InputIsDegrees() && transform_.InsideAreas(GeoPoint{-x_, y_});
        if (summary_.OutsidePoints++ == 0) {
            summary_.FirstOutsideLine = summary_.Lines;
            summary_.FirstOutside = FloatToStr(x_) + ", " + FloatToStr(y_) + " lies " +
                                    AreaMissText(point.Outside->Miss, point.Outside->ZoneLabel);
            summary_.OtherSignInside = otherSign;
            // What was gathered for writing is dropped with the run.
            out_.clear();
        } else {
            summary_.OtherSignInside = summary_.OtherSignInside && otherSign;
        }
    }

    [[nodiscard]] bool pageLayout() const { return options_.ShotPointColumn.has_value(); }
    [[nodiscard]] bool quotesFields() const
    {
        return delimiter_ == Delimiter::Comma || delimiter_ == Delimiter::Semicolon;
    }

    TextProblem readNumber(std::string_view text, const Selected& s, double& value) const
    {
        const bool west = options_.WestWithoutMinus && s.Axis == AngleAxis::Longitude;
        if (pageLayout()) {
            try {
                value = FileStrToFloat(text, options_.DecimalSeparator);
            } catch (const ConvertError&) {
                return TextProblem::NotANumber;
            }
            // The minus is added here; one already written means the file
            // follows the other convention, and dropping it would put the
            // point on the other side of Greenwich.
            if (west && options_.MinusIsError && text.front() == '-') return TextProblem::MinusNotAllowed;
            if (west) value = -value;
            return TextProblem::None;
        }
        if (!options_.WestWithoutMinus) {
            if (const std::optional<double> quick = QuickPlainDecimal(text)) {
                value = *quick;
                return TextProblem::None;
            }
        }
        if (s.Axis) return ParseDegrees(text, *s.Axis, west && options_.MinusIsError, value);
        return ParsePlainNumber(text, value);
    }

    // What a bad field is told: the page's own words, or for degrees what was expected.
    [[nodiscard]] std::string problemText(TextProblem problem, const Selected& s) const
    {
        if (pageLayout()) {
            return problem == TextProblem::NotANumber ? "is not a valid floating point value" : ProblemText(problem);
        }
        if (!s.Axis) return ProblemText(problem);
        const bool west = options_.WestWithoutMinus && options_.MinusIsError && s.Axis == AngleAxis::Longitude;
        return AngleProblemText(problem, *s.Axis, west);
    }

    void appendValue(double value, AngleAxis axis)
    {
        if (!transform_.OutputIsDegrees()) {
            AppendFixed(out_, value, options_.GridDecimals);
        } else if (options_.Dms) {
            AppendDms(out_, value, axis, options_.DegreeDecimals);
        } else if (options_.Dm) {
            AppendDm(out_, value, axis, options_.DegreeDecimals);
        } else {
            AppendFixed(out_, value, options_.DegreeDecimals);
        }
    }

    // Every field as it came, the two converted ones replaced (quoted again if
    // they came quoted), the factors appended.
    void writeFields(std::string_view line, const PointResult& point)
    {
        const char separator = OutputSeparator(delimiter_);
        for (std::size_t k = 0; k < fields_.size(); ++k) {
            if (k > 0) out_ += separator;
            const FieldSpan& field = fields_[k];
            if (k == xColumn_ || k == yColumn_) {
                const double value = k == xColumn_ ? point.X : point.Y;
                const AngleAxis axis = k == xColumn_ ? AngleAxis::Longitude : AngleAxis::Latitude;
                if (!quotesFields()) {
                    appendValue(value, axis);
                } else {
                    // A seconds mark is a quote: such a value is quoted, its quote doubled.
                    scratch_.clear();
                    std::swap(scratch_, out_);
                    appendValue(value, axis);
                    std::swap(scratch_, out_);
                    AppendField(out_, scratch_, separator, field.Quoted);
                }
            } else {
                out_.append(line.data() + field.Begin, field.End - field.Begin);
            }
        }
        if (options_.Factors) {
            const PointFactors factors = point.Factors ? *point.Factors : transform_.Factors(point.Degrees);
            out_ += separator;
            AppendFixed(out_, factors.Scale, kScaleDecimals);
            out_ += separator;
            AppendFixed(out_, factors.Convergence, kConvergenceDecimals);
        }
        if (options_.ReportShift) {
            out_ += separator;
            AppendFixed(out_, point.Shift ? point.Shift->NorthMetres : 0.0, kShiftDecimals);
            out_ += separator;
            AppendFixed(out_, point.Shift ? point.Shift->EastMetres : 0.0, kShiftDecimals);
        }
        if (options_.AutoZone) {
            out_ += separator;
            out_ += zone_;
        }
        out_ += '\n';
    }

    // Reports the failure; true when the run goes on past it.
    bool fail(LineFailure failure, bool always)
    {
        ++summary_.FailedLines;
        if (callbacks_.Failure) callbacks_.Failure(failure);
        if (always || !options_.KeepGoing) {
            summary_.Stopped = true;
            return false;
        }
        return true;
    }

    void flush()
    {
        if (summary_.OutsidePoints > 0 && !options_.AllowOutside) out_.clear();
        if (out_.empty()) return;
        output_.Write(out_);
        out_.clear();
    }

    LineReader& input_;
    BatchOutput& output_;
    const BatchOptions& options_;
    const ConversionRoute& transform_;
    std::string zone_;  // the utm:auto zone of the point being written
    const BatchCallbacks& callbacks_;
    Delimiter delimiter_;
    std::vector<Selected> selected_;
    std::vector<FieldSpan> fields_;
    std::string scratch_;
    std::string idScratch_;
    std::string out_;
    std::size_t xColumn_ = 0;
    std::size_t yColumn_ = 0;
    std::size_t idColumn_ = 0;
    double x_ = 0.0;
    double y_ = 0.0;
    double shotPoint_ = 0.0;
    BatchSummary summary_;
};

}  // namespace

BatchSummary RunBatch(LineReader& input, BatchOutput& output, const BatchOptions& options,
                      const ConversionRoute& transform, const BatchCallbacks& callbacks)
{
    Loop loop(input, output, options, transform, callbacks);
    return loop.Run();
}

std::string OutsideRunText(const BatchSummary& summary)
{
    return "Line " + std::to_string(summary.FirstOutsideLine) + ": " + summary.FirstOutside + " (" +
           std::to_string(summary.OutsidePoints) + " of " + std::to_string(summary.Rows) + " points)";
}

std::optional<std::string> OtherSignHint(const BatchSummary& summary, const std::string& westSetting, bool westInForce)
{
    if (!summary.OtherSignInside) return std::nullopt;
    if (westInForce) return "Read without " + westSetting + " they would lie inside: are they east longitudes?";
    return "With the other sign of longitude they would lie inside: are they west longitudes without their minus?";
}

std::string ColumnName(std::size_t column)
{
    std::string name;
    ++column;
    while (column > 0) {
        --column;
        name.insert(name.begin(), static_cast<char>('A' + column % kLettersInAlphabet));
        column /= kLettersInAlphabet;
    }
    return name;
}

}  // namespace kartoval
