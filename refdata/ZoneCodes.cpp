#include "refdata/ZoneCodes.hpp"

#include "refdata/StatePlaneZones.hpp"
#include "toolkit/Errors.hpp"

#include <algorithm>
#include <charconv>
#include <fstream>

namespace kartoval {
namespace {

constexpr std::size_t kStatePlaneCodeDigits = 4;

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
    const auto path = platform.DataFile(kZoneCodesFileName);
    std::ifstream file(path);
    if (!file) throw CommandError("Can't find the zone code table " + path.string(), kFileErrorCaption);
    std::vector<ZoneCode> codes;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t first = line.find('\t');
        const std::size_t second = line.find('\t', first + 1);
        if (first == std::string::npos || second == std::string::npos) continue;
        ZoneCode entry;
        if (!readInt(std::string_view(line).substr(0, first), entry.Code)) continue;
        entry.Table = line.substr(first + 1, second - first - 1);
        // The zone code is a fourth field, absent for a zone that has none.
        const std::size_t third = line.find('\t', second + 1);
        entry.Name = line.substr(second + 1, third == std::string::npos ? std::string::npos : third - second - 1);
        if (third != std::string::npos) entry.StatePlaneCode = ParseStatePlaneCode(line.substr(third + 1));
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
