#pragma once
// The layouts a run can write besides the input's own: CSV with a header row
// for spreadsheets, and GeoJSON and KML for GIS tools and Google Earth. Each
// is written a row at a time, so a file of any length is written in flat
// memory.

#include "batch/LineFields.hpp"
#include "conversion/ConversionRoute.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kartoval {

enum class OutputFormat { Text, Csv, GeoJson, Kml };

// "text", "csv", "geojson", "kml"; nothing for another name.
[[nodiscard]] std::optional<OutputFormat> OutputFormatNamed(std::string_view name);

// Map formats place points by longitude and latitude on NAD83 / WGS 84.
[[nodiscard]] constexpr bool IsMapFormat(OutputFormat format)
{
    return format == OutputFormat::GeoJson || format == OutputFormat::Kml;
}

struct RowFormatOptions {
    OutputFormat Format = OutputFormat::Csv;
    // The names of the converted columns: "easting_m", "latitude", ...
    std::string XName;
    std::string YName;
    bool OutputIsDegrees = false;
    bool Dms = false;
    int GridDecimals = 4;
    int DegreeDecimals = 9;
    int MapDecimals = 7;  // GeoJSON and KML coordinates: 7 decimals is about a centimetre
    bool Factors = false;
    bool ReportShift = false;
    bool UtmZone = false;  // utm:auto: each row's zone as the column utm_zone
    // GeoJSON: the columns (from 0) whose every value is a JSON number; they
    // are written as numbers, every other field as a string.
    std::vector<bool> NumericColumns;
    std::string DocumentName;  // KML: the document's name
};

// One converted row as the run hands it on.
struct RowData {
    std::string_view Line;
    const std::vector<FieldSpan>& Fields;
    std::uint64_t LineNumber = 0;  // from 1
    std::size_t XColumn = 0;
    std::size_t YColumn = 0;
    std::size_t IdColumn = 0;
    const PointResult& Point;
    std::optional<PointFactors> Factors;
    GeoPoint MapDegrees{};  // NAD83 / WGS 84, for GeoJSON and KML
    std::string_view UtmZone;  // utm:auto: "32N"
};

class RowWriter {
public:
    explicit RowWriter(RowFormatOptions options);

    // Each header line in turn; the last one names the columns.
    void Header(std::string_view line);
    // The delimiter of the data lines, known from the first of them.
    void SetDelimiter(Delimiter delimiter) { delimiter_ = delimiter; }
    void Begin(std::string& out);
    void Row(const RowData& row, std::string& out);
    void End(std::string& out);

    [[nodiscard]] const RowFormatOptions& Options() const { return options_; }

private:
    void nameColumns(const RowData& row);
    void csvRow(const RowData& row, std::string& out);
    void geoJsonRow(const RowData& row, std::string& out);
    void kmlRow(const RowData& row, std::string& out);
    // The appended columns (factors, datum shift) each format writes in its
    // own syntax: `put(name, text)` once for each asked for.
    template <class Put>
    void extraColumns(const RowData& row, Put put);
    void appendConverted(std::string& out, double value, bool longitude);
    std::string_view value(const RowData& row, std::size_t column);

    RowFormatOptions options_;
    Delimiter delimiter_ = Delimiter::Whitespace;
    std::string header_;            // the last header line
    std::vector<std::string> names_;  // of the first data line's fields, unique
    std::string lineName_;          // the property of the source line number
    bool named_ = false;
    bool first_ = true;
    std::string scratch_;
    std::string number_;
};

// The names of a header line's fields (quotes removed), split as the data
// lines are.
[[nodiscard]] std::vector<std::string> HeaderNames(std::string_view line, Delimiter delimiter);

// The converted column names for an output side: "longitude"/"latitude" for
// degrees, "easting_m"/"northing_m" or "easting_ftUS"/"northing_ftUS".
[[nodiscard]] std::pair<std::string, std::string> ConvertedColumnNames(const CoordinateSide& side);

// True when `text` is a number as JSON writes one (no leading zeros, no
// plus sign, digits around the point).
[[nodiscard]] bool IsJsonNumber(std::string_view text);

class LineReader;

// For GeoJSON: which columns (from 0) hold JSON numbers on every data line
// (an empty field counts as a missing number). Reads `input` to its end.
[[nodiscard]] std::vector<bool> NumericColumns(LineReader& input, std::uint64_t headerLines, Delimiter delimiter);

// Appends `text` as a JSON string, and as XML character data.
void AppendJsonString(std::string& out, std::string_view text);
void AppendXmlText(std::string& out, std::string_view text);

}  // namespace kartoval
