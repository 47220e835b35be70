#pragma once
// The conversion loop that the File page and kartoval-convert share: lines
// are read, split, converted and written in one pass through buffers of
// fixed size, so a file of any length is converted in flat memory. What the
// two differ in (delimiter, columns, header, number syntax, output layout,
// limits) are the options below.

#include "batch/LineFields.hpp"
#include "conversion/ConversionRoute.hpp"
#include "conversion/ZoneFinder.hpp"
#include "geodesy/DegreesText.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kartoval {

class LineReader;
class RowWriter;

// A column named by the header (--x Easting): found in the last header line,
// else taken as `Fallback` when the header has that column.
struct NamedColumn {
    std::string Name;
    std::optional<std::size_t> Fallback;
};

struct BatchOptions {
    Delimiter FieldDelimiter = Delimiter::Auto;
    std::size_t XColumn = 1;  // from 0: longitude or easting
    std::size_t YColumn = 2;  // latitude or northing
    std::uint64_t HeaderLines = 0;
    bool KeepHeader = true;       // header lines are written unchanged, or dropped
    bool WestWithoutMinus = false;
    bool MinusIsError = true;     // with WestWithoutMinus, a minus sign is refused instead of meaning east
    int GridDecimals = 4;
    int DegreeDecimals = 9;       // seconds' decimals with Dms, minutes' with Dm
    bool Dms = false;
    bool Dm = false;              // degrees and decimal minutes
    bool Factors = false;         // scale factor and convergence appended to each line
    bool ReportShift = false;     // the datum shift in metres (north, east) appended to each line
    bool KeepGoing = false;       // a bad line is reported and left out; the run goes on
    bool KeepBlankLines = true;   // a blank line is written as an empty line, or dropped
    // A point beyond its zone's area is written all the same; otherwise the
    // first one stops the writing (the run goes on only to count them).
    bool AllowOutside = false;
    std::uint64_t MaxRows = 0;    // 0: no limit

    // The File page's layout: each row is written "shot point TAB X TAB Y",
    // all three in fixed notation with six decimals, and numbers are read as
    // the page reads them (the point, or the user's own separator).
    std::optional<std::size_t> ShotPointColumn;
    char DecimalSeparator = '.';

    // Rows written as CSV, GeoJSON or KML by this writer instead of the
    // input's layout; header and blank lines are its to write or drop.
    RowWriter* Rows = nullptr;
    // The route to NAD83 / WGS 84 degrees of the map formats, when the input
    // is on another datum; else the input's own degrees are used.
    const ConversionRoute* MapRoute = nullptr;
    // utm:auto: each point converted in its own UTM zone, the zone ("32N")
    // appended to its line after every other appended column.
    const AutoUtmRoute* AutoZone = nullptr;
    std::size_t IdColumn = 0;  // the point ID of the map formats
    std::optional<NamedColumn> XName;
    std::optional<NamedColumn> YName;
    std::optional<NamedColumn> IdName;
};

enum class FailureKind {
    BadNumber,     // a selected field is no number or no angle
    MissingField,  // the line has no such field
    BrokenQuote,   // a quoted field without its closing quote
    PointRange,    // a point the projection can't take, or a result that is no number
    TooLong,       // a line longer than the reader's limit
    TooManyRows,   // more rows than MaxRows
    ReadFailed,    // the input could not be read
    Utf16,         // the input is UTF-16 text, which reads as bytes with NULs between
    NoSuchColumn,  // a column named by the header is not in it (Text: the name)
};

struct LineFailure {
    FailureKind Kind;
    std::uint64_t Line = 0;      // from 1; 0 when the failure belongs to no line
    std::size_t Column = 0;      // from 0, for BadNumber, MissingField, BrokenQuote
    std::string Role;            // "longitude", "easting", ... for BadNumber and MissingField
    TextProblem Reason = TextProblem::None;  // why the field is no number (BadNumber)
    std::string Text;            // the field's text (BadNumber) or the range message (PointRange)
    std::string Problem;         // "is not a number", ... (BadNumber)
    std::size_t FieldCount = 0;  // fields the line has (MissingField)
};

// Where the converted text goes, a chunk at a time.
class BatchOutput {
public:
    virtual ~BatchOutput() = default;
    virtual void Write(std::string_view chunk) = 0;
};

struct BatchSummary {
    std::uint64_t Lines = 0;        // lines read, header included
    std::uint64_t Rows = 0;         // points converted
    std::uint64_t FailedLines = 0;  // lines reported
    bool Stopped = false;           // ended at a failure, before the end of the input
    std::uint64_t FarPoints = 0;    // points more than kFarFromCentralMeridianDegrees from a TM central meridian
    double FarthestDegrees = 0.0;   // the largest distance from it of any point
    std::uint64_t OutsidePoints = 0;     // points beyond their zone's area
    std::uint64_t FirstOutsideLine = 0;  // from 1
    std::string FirstOutside;            // "-6.8, 4.9 lies 1,700 km west of the area of UTM zone 32N"
    // Every outside point so far would lie inside with its longitude's sign
    // turned: the file's longitudes follow the other convention.
    bool OtherSignInside = false;
};

// "Line 2: -6.8, 4.9 lies 1,700 km west of the area of UTM zone 32N (200 of
// 200 points)", for a run with outside points.
[[nodiscard]] std::string OutsideRunText(const BatchSummary& summary);

// When turning the longitudes' sign would put every outside point inside:
// "Read without 'West longitudes without minuses' they would lie inside: are
// they east longitudes?" (`westSetting` names the setting that made them
// west, when it was in force) or "With a minus sign ... west longitudes
// without their minus?". Nothing otherwise.
[[nodiscard]] std::optional<std::string> OtherSignHint(const BatchSummary& summary, const std::string& westSetting,
                                                       bool westInForce);

// Beyond this distance from the central meridian (degrees) the transverse
// Mercator series drifts from the exact mapping by more than a centimetre.
inline constexpr double kFarFromCentralMeridianDegrees = 4.0;

// A converted point, for a plot of the run.
struct ConvertedPoint {
    std::uint64_t Line = 0;   // from 1
    std::string_view Id;      // the ID column's value (empty when the line has none)
    const PointResult& Point;
};

struct BatchCallbacks {
    std::function<void(const LineFailure&)> Failure;           // each failure, in line order
    std::function<void(std::uint64_t rows)> Progress;          // now and then, with the rows so far
    std::function<void(const ConvertedPoint&)> Point;          // each point converted
};

// Converts the lines of `input` into `output`. Returns at the end of the
// input, or at the first failure unless KeepGoing is set (TooLong,
// TooManyRows and ReadFailed always end the run).
BatchSummary RunBatch(LineReader& input, BatchOutput& output, const BatchOptions& options,
                      const ConversionRoute& route, const BatchCallbacks& callbacks);

// "A", "B", ..., "Z", "AA", ...: the letter name of a column (from 0).
[[nodiscard]] std::string ColumnName(std::size_t column);

}  // namespace kartoval
