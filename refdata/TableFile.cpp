#include "refdata/TableFile.hpp"

#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"
#include "toolkit/Platform.hpp"

#include <fstream>

namespace kartoval {

TableLines ReadTableLines(const std::filesystem::path& path, std::size_t maxLines)
{
    TableLines result;
    std::ifstream file(path, std::ios::binary);
    if (!file) return result;
    result.Opened = true;
    std::string line;
    while (result.Lines.size() < maxLines && std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kMaxTableLineLength) {
            result.LongLine = static_cast<int>(result.Lines.size()) + 1;
            break;
        }
        result.Lines.push_back(line);
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
    return path.string() + ", line " + std::to_string(lineNumber);
}

std::vector<std::string> ListTableNames(const std::filesystem::path& path, const std::string& missingMessage,
                                        MessageBoxes& messages)
{
    const TableLines table = ReadTableLines(path);
    if (!table.Opened) {
        messages.ShowMessage(missingMessage, kFileErrorCaption);
        return {};
    }
    if (table.LongLine != 0) {
        // The line before it now stands last, and the last line is the end marker.
        const int lastListed = table.LongLine - 2;
        messages.ShowMessage(TableLineName(path, table.LongLine) + " is longer than 199 characters; " +
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
    if (!table.Opened) ThrowFileError(missingMessage);
    if (table.LongLine != 0) ThrowFileError(TableLineName(path, table.LongLine) + " is longer than 199 characters.");
    if (table.Lines.size() < static_cast<std::size_t>(wanted)) {
        ThrowFileError(path.string() + " has no line " + std::to_string(wanted) + ".");
    }
    return SplitTableFields(table.Lines.back());
}

std::vector<std::vector<std::string>> ReadTableEntries(const std::filesystem::path& path,
                                                       const std::string& missingMessage)
{
    const TableLines table = ReadTableLines(path);
    if (!table.Opened) ThrowFileError(missingMessage);
    if (table.LongLine != 0) ThrowFileError(TableLineName(path, table.LongLine) + " is longer than 199 characters.");
    std::vector<std::vector<std::string>> entries;
    for (std::size_t i = 0; i + 1 < table.Lines.size(); ++i) entries.push_back(SplitTableFields(table.Lines[i]));
    return entries;
}

double TableNumber(const std::string& field, const std::filesystem::path& path, int lineNumber,
                   char decimalSeparator)
{
    try {
        return FileStrToFloat(field, decimalSeparator);
    } catch (const ConvertError& error) {
        ThrowFileError(TableLineName(path, lineNumber) + ": " + error.what());
    }
}

}  // namespace kartoval
