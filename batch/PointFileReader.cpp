#include "batch/PointFileReader.hpp"

#include "batch/LineReader.hpp"
#include "batch/PointFields.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"
#include "toolkit/VisibleText.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace kartoval {
namespace {

const char* const kNothingWritten = " No file was written.";

bool isBlankLine(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
}

void showFileError(MessageBoxes& messages, const std::string& text)
{
    messages.ShowMessage(text + kNothingWritten, kFileErrorCaption);
}

std::string lineOf(std::uint64_t lineNumber, const std::filesystem::path& input)
{
    return "Line " + std::to_string(lineNumber) + " of " + InputName(input);
}

void showTooLong(MessageBoxes& messages, const std::filesystem::path& input, std::uint64_t lineNumber)
{
    showFileError(messages, lineOf(lineNumber, input) + " is longer than " + std::to_string(kMaxPointLineLength) +
                                " characters.");
}

void showUnreadable(MessageBoxes& messages, const std::filesystem::path& input)
{
    showFileError(messages, "Can't read " + InputName(input) + ".");
}

// A selected column of a row and the field of FilePoint it feeds.
struct SelectedColumn {
    int Column;
    double FilePoint::*Member;
    const char* Role;
};

// The three selected columns in the order their fields stand in a line, so a
// line's first bad field is the one reported.
std::array<SelectedColumn, 3> selectedColumns(const FileConversionSettings& settings)
{
    const bool toGrid = settings.Direction == ConversionDirection::DegreesToUtm;
    std::array<SelectedColumn, 3> columns{{
        {settings.SpColumn, &FilePoint::ShotPoint, "shot point"},
        {settings.LonColumn, &FilePoint::Lon, toGrid ? "longitude" : "easting"},
        {settings.LatColumn, &FilePoint::Lat, toGrid ? "latitude" : "northing"},
    }};
    std::stable_sort(columns.begin(), columns.end(),
                     [](const SelectedColumn& a, const SelectedColumn& b) { return a.Column < b.Column; });
    return columns;
}

// A selected field's number; a field that is no number is named with its line.
double fieldNumber(std::string_view field, std::uint64_t lineNumber, char decimalSeparator)
{
    try {
        return FileStrToFloat(field, decimalSeparator);
    } catch (const ConvertError& error) {
        throw ConvertError("Line " + std::to_string(lineNumber) + ": " + error.what());
    }
}

// Under "West longitudes without minuses" the minus is added here; one
// already written means the file follows the other convention, and taking it
// away would put the point on the other side of Greenwich.
void refuseMinusSign(std::string_view field, std::uint64_t lineNumber, const SelectedColumn& column,
                     const FileConversionSettings& settings)
{
    if (settings.Direction != ConversionDirection::DegreesToUtm || !settings.WestWithoutMinus) return;
    if (column.Member != &FilePoint::Lon || field.empty() || field.front() != '-') return;
    throw CommandError("Line " + std::to_string(lineNumber) + ": longitude '" + VisibleText(field) +
                       "' has a minus sign, but 'West longitudes without minuses' is checked");
}

// A UTF-16 file reads as bytes with a NUL in every other place: say what it
// is rather than quote its first field.
bool startsWithUtf16Mark(std::string_view firstLine)
{
    return firstLine.starts_with("\xFF\xFE") || firstLine.starts_with("\xFE\xFF");
}

}  // namespace

std::string InputName(const std::filesystem::path& input) { return VisibleText(input.string()); }

bool CountPointFile(const std::filesystem::path& input, bool skipFirstRow, MessageBoxes& messages)
{
    LineReader reader(input, kMaxPointLineLength);
    if (!reader.IsOpen()) {
        showUnreadable(messages, input);
        return false;
    }
    int rows = 0;
    std::string_view line;
    for (;;) {
        const LineReader::Result result = reader.Next(line);
        if (result == LineReader::Result::End) break;
        if (result == LineReader::Result::Failed) {
            showUnreadable(messages, input);
            return false;
        }
        const std::uint64_t lineNumber = reader.LineNumber();
        if (result == LineReader::Result::TooLong) {
            showTooLong(messages, input, lineNumber);
            return false;
        }
        if (lineNumber == 1 && startsWithUtf16Mark(line)) {
            showFileError(messages, InputName(input) + " is UTF-16 text; save it as plain text (ANSI or UTF-8).");
            return false;
        }
        if ((lineNumber > 1 || !skipFirstRow) && !isBlankLine(line) && ++rows > PointTable::kMaxRows) {
            showFileError(messages, InputName(input) + " holds more than " + std::to_string(PointTable::kMaxRows) +
                                        " points; a file conversion takes at most " +
                                        std::to_string(PointTable::kMaxRows) + ".");
            return false;
        }
    }
    if (rows == 0) {
        showFileError(messages, InputName(input) + " holds no points.");
        return false;
    }
    return true;
}

bool ReadPointFile(const std::filesystem::path& input, const FileConversionSettings& settings,
                   const Platform& platform, PointTable& table)
{
    LineReader reader(input, kMaxPointLineLength);
    if (!reader.IsOpen()) {
        showUnreadable(platform.Messages, input);
        return false;
    }
    const std::array<SelectedColumn, 3> columns = selectedColumns(settings);
    const int lastColumn = columns.back().Column;
    std::string_view line;
    for (;;) {
        const LineReader::Result result = reader.Next(line);
        if (result == LineReader::Result::End) return true;
        if (result == LineReader::Result::Failed) {
            showUnreadable(platform.Messages, input);
            return false;
        }
        const std::uint64_t lineNumber = reader.LineNumber();
        if (result == LineReader::Result::TooLong) {
            showTooLong(platform.Messages, input, lineNumber);
            return false;
        }
        if (lineNumber == 1 && settings.SkipFirstRow) {
            table.HeaderDiscarded = true;
            continue;
        }
        const PointFields fields = SplitPointFields(line);
        if (fields.Count == 0) continue;
        if (fields.Count <= lastColumn) {
            const auto missing = std::find_if(columns.begin(), columns.end(), [&](const SelectedColumn& c) {
                return c.Column >= fields.Count;
            });
            showFileError(platform.Messages, lineOf(lineNumber, input) + " has no column " +
                                                 ColumnLetter(missing->Column) + " (" + missing->Role + ").");
            return false;
        }
        if (table.IsFull()) {
            showFileError(platform.Messages, InputName(input) + " changed while it was being read.");
            return false;
        }
        FilePoint point;
        for (const SelectedColumn& c : columns) {
            const std::string_view field = fields.Field[static_cast<std::size_t>(c.Column)];
            point.*c.Member = fieldNumber(field, lineNumber, platform.DecimalSeparator);
            refuseMinusSign(field, lineNumber, c, settings);
        }
        table.Append(point, lineNumber);
    }
}

}  // namespace kartoval
