#include "refdata/ZoneCodes.hpp"

#include "refdata/StatePlaneZones.hpp"
#include "refdata/TableFile.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/VisibleText.hpp"

#include <algorithm>
#include <charconv>
#include <map>
#include <utility>

namespace kartoval {
namespace {

constexpr std::size_t kStatePlaneCodeDigits = 4;
constexpr int kLargestEpsgCode = 999999;

int parseCode(const std::string& field, const std::filesystem::path& path, int line)
{
    int code = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), code);
    if (error != std::errc() || end != field.data() + field.size() || code < 1 || code > kLargestEpsgCode) {
        ThrowFileError(TableLineName(path, line) + ": " + QuotedField(field) + " is no EPSG code.");
    }
    return code;
}


bool readInt(std::string_view text, int& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

template <class Wanted>
const ZoneCode* findLine(const std::vector<ZoneCode>& codes, XyProjectionKind family, Wanted wanted)
{
    const char* table = ZoneFileName(family);
    if (table == nullptr) return nullptr;
    const auto found = std::find_if(codes.begin(), codes.end(),
                                    [&](const ZoneCode& line) { return line.Table == table && wanted(line); });
    return found == codes.end() ? nullptr : &*found;
}

}  // namespace

std::vector<ZoneCode> ReadZoneCodes(const Platform& platform)
{
    const std::filesystem::path path = platform.DataFile(kZoneCodesFileName);
    const TableLines table = ReadTableLines(path);
    if (!table.Opened) ThrowFileError("Can't find the zone code table " + VisibleText(path.string()));
    if (table.Failed) ThrowFileError("Can't read " + VisibleText(path.string()) + ".");
    if (table.LongLine != 0) {
        ThrowFileError(TableLineName(path, static_cast<int>(table.LongLine)) + " is longer than 199 characters.");
    }
    if (table.Lines.empty()) ThrowFileError(VisibleText(path.string()) + " is empty: reinstall Kartoval to restore it.");
    std::vector<ZoneCode> codes;
    std::map<int, int> lineOfCode;
    std::map<std::pair<std::string, std::string>, int> lineOfZone;
    for (std::size_t k = 0; k < table.Lines.size(); ++k) {
        const int line = static_cast<int>(k + 1);
        const std::vector<std::string> fields = SplitTableFields(table.Lines[k]);
        if (fields.size() < 3 || fields.size() > 4 || (fields[1] != kNad27FileName && fields[1] != kNad83FileName)) {
            ThrowFileError(TableLineName(path, line) +
                           ": a zone code line is an EPSG code, nad27.txt or nad83.txt, a zone name and, where the "
                           "zone has one, its four-digit zone code, separated by TABs.");
        }
        ZoneCode entry{parseCode(fields[0], path, line), fields[1], fields[2], std::nullopt};
        if (fields.size() == 4) {
            entry.StatePlaneCode = ParseStatePlaneCode(fields[3]);
            if (!entry.StatePlaneCode) {
                ThrowFileError(TableLineName(path, line) + ": " + QuotedField(fields[3]) + " is no zone code.");
            }
        }
        if (const auto [at, added] = lineOfCode.emplace(entry.Code, line); !added) {
            ThrowFileError(TableLineName(path, line) + ": EPSG code " + fields[0] + " is also on line " +
                           std::to_string(at->second) + "; a code names one zone.");
        }
        if (const auto [at, added] = lineOfZone.emplace(std::pair(entry.Table, entry.Name), line); !added) {
            ThrowFileError(TableLineName(path, line) + ": the zone " + QuotedField(entry.Name) + " of " + entry.Table +
                           " is also on line " + std::to_string(at->second) + "; a zone has one code.");
        }
        codes.push_back(std::move(entry));
    }
    return codes;
}

std::optional<int> ParseStatePlaneCode(std::string_view text)
{
    int code = 0;
    if (text.empty() || text.size() > kStatePlaneCodeDigits || text.front() == '-' || text.front() == '+' ||
        !readInt(text, code)) {
        return std::nullopt;
    }
    return code;
}

std::string StatePlaneCodeText(int code)
{
    std::string text = std::to_string(code);
    if (text.size() < kStatePlaneCodeDigits) text.insert(0, kStatePlaneCodeDigits - text.size(), '0');
    return text;
}

const ZoneCode* FindByStatePlaneCode(const std::vector<ZoneCode>& codes, XyProjectionKind family, int code)
{
    return findLine(codes, family, [code](const ZoneCode& line) { return line.StatePlaneCode == code; });
}

const ZoneCode* FindByZoneName(const std::vector<ZoneCode>& codes, XyProjectionKind family, std::string_view name)
{
    return findLine(codes, family, [name](const ZoneCode& line) { return line.Name == name; });
}

std::string ZoneCodesNote(const ZoneCode* line)
{
    if (line == nullptr) return {};
    const std::string epsg = "EPSG:" + std::to_string(line->Code);
    return "(" + (line->StatePlaneCode ? StatePlaneCodeText(*line->StatePlaneCode) + ", " + epsg : epsg) + ")";
}

}  // namespace kartoval
