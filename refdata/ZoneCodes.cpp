#include "refdata/ZoneCodes.hpp"

#include "refdata/StatePlaneZones.hpp"
#include "refdata/TableFile.hpp"

#include <charconv>
#include <map>
#include <utility>

namespace kartoval {
namespace {

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
        if (fields.size() != 3 || (fields[1] != kNad27FileName && fields[1] != kNad83FileName)) {
            ThrowFileError(TableLineName(path, line) +
                           ": a zone code line is an EPSG code, nad27.txt or nad83.txt, and a zone name, separated "
                           "by TABs.");
        }
        ZoneCode entry{parseCode(fields[0], path, line), fields[1], fields[2]};
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

}  // namespace kartoval
