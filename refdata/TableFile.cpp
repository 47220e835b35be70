#include "refdata/TableFile.hpp"

#include "toolkit/Errors.hpp"
#include "toolkit/LineReader.hpp"
#include "toolkit/NumberText.hpp"
#include "toolkit/Platform.hpp"
#include "toolkit/VisibleText.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace kartoval {
namespace {

std::string tableLineName(const std::filesystem::path& path, std::uint64_t lineNumber)
{
    return VisibleText(path.string()) + ", line " + std::to_string(lineNumber);
}

std::string cantRead(const std::filesystem::path& path) { return "Can't read " + VisibleText(path.string()) + "."; }

// The table's own message first, then where it was looked for.
std::string missingText(const std::string& missingMessage, const std::filesystem::path& path)
{
    return missingMessage + "\nLooked for " + VisibleText(path.string());
}

}  // namespace

TableLines ReadTableLines(const std::filesystem::path& path, std::size_t maxLines)
{
    TableLines result;
    LineReader reader(path, kMaxTableLineLength);
    if (!reader.IsOpen()) return result;
    result.Opened = true;
    std::string_view line;
    while (result.Lines.size() < maxLines) {
        const LineReader::Result read = reader.Next(line);
        if (read == LineReader::Result::End) break;
        if (read == LineReader::Result::Failed) {
            result.Failed = true;
            break;
        }
        if (read == LineReader::Result::TooLong) {
            result.LongLine = reader.LineNumber();
            break;
        }
        result.Lines.emplace_back(line);
    }
    return result;
}

std::vector<std::string> SplitTableFields(std::string_view line)
{
    std::vector<std::string> fields;
    std::string rest = Trim(line);
    while (!rest.empty()) {
        const std::size_t tab = rest.find('\t');
        if (tab == std::string::npos) {
            fields.push_back(Trim(rest));
            break;
        }
        fields.push_back(Trim(std::string_view(rest).substr(0, tab)));
        rest = Trim(std::string_view(rest).substr(tab));
    }
    return fields;
}

std::string TableLineName(const std::filesystem::path& path, int lineNumber)
{
    return tableLineName(path, static_cast<std::uint64_t>(lineNumber));
}

std::vector<std::string> ListTableNames(const std::filesystem::path& path, const std::string& missingMessage,
                                        MessageBoxes& messages)
{
    const TableLines table = ReadTableLines(path);
    if (!table.Opened) {
        messages.ShowMessage(missingText(missingMessage, path), kFileErrorCaption);
        return {};
    }
    if (table.Failed) messages.ShowMessage(cantRead(path), kFileErrorCaption);
    if (table.LongLine != 0) {
        // The line before it now stands last, and the last line is the end marker.
        const std::uint64_t lastListed = table.LongLine >= 3 ? table.LongLine - 2 : 0;
        messages.ShowMessage(tableLineName(path, table.LongLine) + " is longer than 199 characters; " +
                                 (lastListed >= 1 ? "only lines 1 to " + std::to_string(lastListed) + " are listed."
                                                  : std::string("no line is listed.")),
                             kFileErrorCaption);
    }
    std::vector<std::string> names;
    for (std::size_t i = 0; i + 1 < table.Lines.size(); ++i) {
        const std::vector<std::string> fields = SplitTableFields(table.Lines[i]);
        names.push_back(fields.size() >= 2 ? fields.front() : std::string());
    }
    return names;
}

void ThrowFileError(const std::string& message) { throw CommandError(message, kFileErrorCaption); }

std::vector<std::string> LookUpTableLine(const std::filesystem::path& path, int lineNumber,
                                         const std::string& missingMessage)
{
    const int wanted = lineNumber < 1 ? 1 : lineNumber;
    const TableLines table = ReadTableLines(path, static_cast<std::size_t>(wanted));
    if (!table.Opened) ThrowFileError(missingText(missingMessage, path));
    if (table.Failed) ThrowFileError(cantRead(path));
    if (table.LongLine != 0) ThrowFileError(tableLineName(path, table.LongLine) + " is longer than 199 characters.");
    if (table.Lines.size() < static_cast<std::size_t>(wanted)) {
        ThrowFileError(VisibleText(path.string()) + " has no line " + std::to_string(wanted) + ".");
    }
    return SplitTableFields(table.Lines.back());
}

std::vector<std::vector<std::string>> ReadTableEntries(const std::filesystem::path& path,
                                                       const std::string& missingMessage)
{
    const TableLines table = ReadTableLines(path);
    if (!table.Opened) ThrowFileError(missingText(missingMessage, path));
    if (table.Failed) ThrowFileError(cantRead(path));
    if (table.LongLine != 0) ThrowFileError(tableLineName(path, table.LongLine) + " is longer than 199 characters.");
    // A whole table ends with its end marker, a line without a TAB; an entry
    // in its place means the file was cut short.
    if (table.Lines.size() < 2) {
        ThrowFileError(VisibleText(path.string()) + (table.Lines.empty() ? " is empty" : " has no entries") +
                       ": the table is damaged; reinstall Kartoval to restore it.");
    }
    if (table.Lines.back().find('\t') != std::string::npos) {
        ThrowFileError(tableLineName(path, table.Lines.size()) +
                       " holds an entry where the end marker line (\"End of table\") belongs: the table is cut "
                       "short; reinstall Kartoval to restore it.");
    }
    std::vector<std::vector<std::string>> entries;
    for (std::size_t i = 0; i + 1 < table.Lines.size(); ++i) entries.push_back(SplitTableFields(table.Lines[i]));
    return entries;
}

double TableNumber(const std::string& field, const std::filesystem::path& path, int lineNumber,
                   char decimalSeparator)
{
    double value = 0.0;
    try {
        value = FileStrToFloat(field, decimalSeparator);
    } catch (const ConvertError& error) {
        ThrowFileError(TableLineName(path, lineNumber) + ": " + error.what());
    }
    if (!std::isfinite(value)) {
        ThrowFileError(TableLineName(path, lineNumber) + ": " + QuotedField(field) + " is not a finite number.");
    }
    return value;
}

bool SameTableName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace kartoval
