#include "batch/RowFormats.hpp"

#include "batch/BatchRun.hpp"
#include "geodesy/DegreesText.hpp"
#include "batch/LineReader.hpp"

#include <algorithm>
#include <cctype>
#include <set>

namespace kartoval {
namespace {

constexpr int kScaleDecimals = 9;
constexpr int kConvergenceDecimals = 7;
constexpr int kShiftDecimals = 3;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr const char* kHexDigits = "0123456789abcdef";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A CSV field is quoted when it holds the comma, a quote or a line end.
void appendCsvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

std::optional<OutputFormat> OutputFormatNamed(std::string_view name)
{
    if (name == "text") return OutputFormat::Text;
    if (name == "csv") return OutputFormat::Csv;
    if (name == "geojson") return OutputFormat::GeoJson;
    if (name == "kml") return OutputFormat::Kml;
    return std::nullopt;
}

std::vector<std::string> HeaderNames(std::string_view line, Delimiter delimiter)
{
    if (delimiter == Delimiter::Auto) delimiter = DetectDelimiter(line);
    std::vector<FieldSpan> fields;
    std::size_t bad = 0;
    std::vector<std::string> names;
    if (!SplitFields(line, delimiter, fields, bad)) return names;
    std::string scratch;
    for (const FieldSpan& field : fields) {
        std::string_view value = delimiter == Delimiter::Whitespace
                                     ? line.substr(field.Begin, field.End - field.Begin)
                                     : FieldValue(line, field, scratch);
        names.emplace_back(value);
    }
    return names;
}

std::pair<std::string, std::string> ConvertedColumnNames(const CoordinateSide& side)
{
    if (side.IsDegrees()) return {"longitude", "latitude"};
    const std::string unit = side.Unit == GridUnit::UsSurveyFoot ? "ftUS" : "m";
    return {"easting_" + unit, "northing_" + unit};
}

bool IsJsonNumber(std::string_view text)
{
    std::size_t k = 0;
    const auto digits = [&] {
        const std::size_t start = k;
        while (k < text.size() && isDigit(text[k])) ++k;
        return k > start;
    };
    if (k < text.size() && text[k] == '-') ++k;
    if (k < text.size() && text[k] == '0') {
        ++k;
    } else if (!digits()) {
        return false;
    }
    if (k < text.size() && text[k] == '.') {
        ++k;
        if (!digits()) return false;
    }
    if (k < text.size() && (text[k] == 'e' || text[k] == 'E')) {
        ++k;
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
        if (!digits()) return false;
    }
    return k == text.size();
}

void AppendJsonString(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < kFirstPrintable) {
            out += "\\u00";
            out += kHexDigits[u >> 4U];
            out += kHexDigits[u & 0xFU];
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendXmlText(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // XML 1.0 has no place for the other control characters.
            if (static_cast<unsigned char>(c) < kFirstPrintable && c != '\t') out += ' ';
            else out += c;
        }
    }
}

RowWriter::RowWriter(RowFormatOptions options) : options_(std::move(options)) {}

void RowWriter::Header(std::string_view line) { header_.assign(line); }

void RowWriter::Begin(std::string& out)
{
    if (options_.Format == OutputFormat::GeoJson) {
        out += "{\"type\":\"FeatureCollection\",\"features\":[\n";
    } else if (options_.Format == OutputFormat::Kml) {
        out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n";
        if (!options_.DocumentName.empty()) {
            out += "<name>";
            AppendXmlText(out, options_.DocumentName);
            out += "</name>\n";
        }
    }
}

void RowWriter::End(std::string& out)
{
    if (options_.Format == OutputFormat::GeoJson) out += (first_ ? "]}\n" : "\n]}\n");
    if (options_.Format == OutputFormat::Kml) out += "</Document>\n</kml>\n";
}

// The names of the first data line's fields: the header's, else the column
// letters; the converted columns named after the output side. Every name is
// made unique, since a property or column is found by its name.
void RowWriter::nameColumns(const RowData& row)
{
    named_ = true;
    std::vector<std::string> header = header_.empty() ? std::vector<std::string>{} : HeaderNames(header_, delimiter_);
    // A header typed with blanks over TAB-separated data is still a header.
    if (!header_.empty() && header.size() < row.Fields.size()) {
        std::vector<std::string> own = HeaderNames(header_, Delimiter::Auto);
        if (own.size() > header.size()) header = std::move(own);
    }
    std::set<std::string> taken;
    const auto unique = [&](std::string name) {
        if (taken.insert(name).second) return name;
        for (int k = 2;; ++k) {
            std::string candidate = name + "_" + std::to_string(k);
            if (taken.insert(candidate).second) return candidate;
        }
    };
    taken.insert(options_.XName);
    taken.insert(options_.YName);
    if (options_.Factors) {
        taken.insert("scale_factor");
        taken.insert("convergence_deg");
    }
    if (options_.ReportShift) {
        taken.insert("shift_north_m");
        taken.insert("shift_east_m");
    }
    if (options_.UtmZone) taken.insert("utm_zone");
    names_.clear();
    for (std::size_t k = 0; k < row.Fields.size(); ++k) {
        if (k == row.XColumn) names_.push_back(options_.XName);
        else if (k == row.YColumn) names_.push_back(options_.YName);
        else names_.push_back(unique(k < header.size() && !header[k].empty() ? header[k] : ColumnName(k)));
    }
    lineName_ = unique("line");
}

std::string_view RowWriter::value(const RowData& row, std::size_t column)
{
    const FieldSpan& field = row.Fields[column];
    if (delimiter_ == Delimiter::Whitespace) return row.Line.substr(field.Begin, field.End - field.Begin);
    return FieldValue(row.Line, field, scratch_);
}

void RowWriter::appendConverted(std::string& out, double value, bool longitude)
{
    if (!options_.OutputIsDegrees) AppendFixed(out, value, options_.GridDecimals);
    else if (options_.Dms) AppendDms(out, value, longitude ? AngleAxis::Longitude : AngleAxis::Latitude, options_.DegreeDecimals);
    else AppendFixed(out, value, options_.DegreeDecimals);
}

void RowWriter::Row(const RowData& row, std::string& out)
{
    if (!named_) {
        nameColumns(row);
        if (options_.Format == OutputFormat::Csv) {
            for (std::size_t k = 0; k < names_.size(); ++k) {
                if (k > 0) out += ',';
                appendCsvField(out, names_[k]);
            }
            if (options_.Factors) out += ",scale_factor,convergence_deg";
            if (options_.ReportShift) out += ",shift_north_m,shift_east_m";
            if (options_.UtmZone) out += ",utm_zone";
            out += "\r\n";
        }
    }
    switch (options_.Format) {
    case OutputFormat::Csv: csvRow(row, out); break;
    case OutputFormat::GeoJson: geoJsonRow(row, out); break;
    case OutputFormat::Kml: kmlRow(row, out); break;
    case OutputFormat::Text: break;
    }
    first_ = false;
}

void RowWriter::csvRow(const RowData& row, std::string& out)
{
    for (std::size_t k = 0; k < row.Fields.size(); ++k) {
        if (k > 0) out += ',';
        if (k == row.XColumn || k == row.YColumn) {
            number_.clear();
            appendConverted(number_, k == row.XColumn ? row.Point.X : row.Point.Y, k == row.XColumn);
            appendCsvField(out, number_);
        } else {
            appendCsvField(out, value(row, k));
        }
    }
    extraColumns(row, [&](const char*, const std::string& text) {
        out += ',';
        out += text;
    });
    out += "\r\n";
}

template <class Put>
void RowWriter::extraColumns(const RowData& row, Put put)
{
    const auto fixed = [this](double value, int decimals) -> const std::string& {
        number_.clear();
        AppendFixed(number_, value, decimals);
        return number_;
    };
    if (options_.Factors && row.Factors) {
        put("scale_factor", fixed(row.Factors->Scale, kScaleDecimals));
        put("convergence_deg", fixed(row.Factors->Convergence, kConvergenceDecimals));
    }
    if (options_.ReportShift) {
        put("shift_north_m", fixed(row.Point.Shift ? row.Point.Shift->NorthMetres : 0.0, kShiftDecimals));
        put("shift_east_m", fixed(row.Point.Shift ? row.Point.Shift->EastMetres : 0.0, kShiftDecimals));
    }
    if (options_.UtmZone) {
        // A zone is text: GeoJSON writes it as a string ("32N": digits and a letter, nothing to escape).
        number_.clear();
        if (options_.Format == OutputFormat::GeoJson) number_ += '"';
        number_ += row.UtmZone;
        if (options_.Format == OutputFormat::GeoJson) number_ += '"';
        put("utm_zone", number_);
    }
}

void RowWriter::geoJsonRow(const RowData& row, std::string& out)
{
    if (!first_) out += ",\n";
    out += "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[";
    AppendFixed(out, row.MapDegrees.Longitude, options_.MapDecimals);
    out += ',';
    AppendFixed(out, row.MapDegrees.Latitude, options_.MapDecimals);
    out += "]},\"properties\":{";
    AppendJsonString(out, lineName_);
    out += ':';
    out += std::to_string(row.LineNumber);
    for (std::size_t k = 0; k < row.Fields.size(); ++k) {
        out += ',';
        AppendJsonString(out, k < names_.size() ? names_[k] : ColumnName(k));
        out += ':';
        if (k == row.XColumn || k == row.YColumn) {
            number_.clear();
            appendConverted(number_, k == row.XColumn ? row.Point.X : row.Point.Y, k == row.XColumn);
            if (options_.Dms) AppendJsonString(out, number_);
            else out += number_;
            continue;
        }
        const std::string_view text = value(row, k);
        const bool numeric = k < options_.NumericColumns.size() && options_.NumericColumns[k];
        if (numeric && text.empty()) out += "null";
        else if (numeric && IsJsonNumber(text)) out += text;
        else AppendJsonString(out, text);
    }
    extraColumns(row, [&](const char* name, const std::string& text) {
        out += ',';
        AppendJsonString(out, name);
        out += ':';
        out += text;
    });
    out += "}}";
}

void RowWriter::kmlRow(const RowData& row, std::string& out)
{
    out += "<Placemark><name>";
    if (row.IdColumn < row.Fields.size()) AppendXmlText(out, value(row, row.IdColumn));
    out += "</name><ExtendedData>";
    const auto data = [&](std::string_view name, std::string_view text) {
        out += "<Data name=\"";
        AppendXmlText(out, name);
        out += "\"><value>";
        AppendXmlText(out, text);
        out += "</value></Data>";
    };
    data(lineName_, std::to_string(row.LineNumber));
    for (std::size_t k = 0; k < row.Fields.size(); ++k) {
        if (k == row.IdColumn) continue;
        const std::string name = k < names_.size() ? names_[k] : ColumnName(k);
        if (k == row.XColumn || k == row.YColumn) {
            number_.clear();
            appendConverted(number_, k == row.XColumn ? row.Point.X : row.Point.Y, k == row.XColumn);
            data(name, number_);
        } else {
            data(name, value(row, k));
        }
    }
    extraColumns(row, data);
    out += "</ExtendedData><Point><coordinates>";
    AppendFixed(out, row.MapDegrees.Longitude, options_.MapDecimals);
    out += ',';
    AppendFixed(out, row.MapDegrees.Latitude, options_.MapDecimals);
    out += "</coordinates></Point></Placemark>\n";
}

std::vector<bool> NumericColumns(LineReader& input, std::uint64_t headerLines, Delimiter delimiter)
{
    std::vector<bool> numeric;
    std::vector<FieldSpan> fields;
    std::string scratch;
    std::string_view line;
    std::uint64_t count = 0;
    while (input.Next(line) == LineReader::Result::Line) {
        if (++count <= headerLines) continue;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
        if (delimiter == Delimiter::Auto) delimiter = DetectDelimiter(line);
        std::size_t bad = 0;
        if (!SplitFields(line, delimiter, fields, bad)) continue;
        if (fields.size() > numeric.size()) numeric.resize(fields.size(), true);
        for (std::size_t k = 0; k < fields.size(); ++k) {
            if (!numeric[k]) continue;
            const std::string_view text = delimiter == Delimiter::Whitespace
                                              ? line.substr(fields[k].Begin, fields[k].End - fields[k].Begin)
                                              : FieldValue(line, fields[k], scratch);
            if (!text.empty() && !IsJsonNumber(text)) numeric[k] = false;
        }
    }
    return numeric;
}

}  // namespace kartoval
