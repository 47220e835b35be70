#include "refdata/ZoneAreas.hpp"

#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

namespace kartoval {

std::map<int, ZoneArea> ReadZoneAreas(const Platform& platform)
{
    const std::filesystem::path path = platform.DataFile(kZoneAreasFileName);
    std::ifstream file(path);
    if (!file) throw CommandError("Can't find the zone area table " + path.string(), kFileErrorCaption);
    std::map<int, ZoneArea> areas;
    std::string line;
    int number = 0;
    while (std::getline(file, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        double values[5] = {};
        std::size_t begin = 0;
        bool good = true;
        for (int k = 0; k < 5 && good; ++k) {
            const std::size_t end = std::min(line.find('\t', begin), line.size());
            try {
                values[k] = FileStrToFloat(std::string_view(line).substr(begin, end - begin), '.');
            } catch (const ConvertError&) {
                good = false;
            }
            begin = end + 1;
            if (k < 4 && end == line.size()) good = false;
        }
        const ZoneArea area{values[1], values[2], values[3], values[4]};
        good = good && values[0] == std::floor(values[0]) && values[0] > 0 && area.South >= -90.0 &&
               area.South <= area.North && area.North <= 90.0 && std::abs(area.West) <= 180.0 &&
               std::abs(area.East) <= 180.0;
        const int code = good ? static_cast<int>(values[0]) : 0;
        if (!good || areas.count(code) != 0) {
            throw CommandError(path.string() + " line " + std::to_string(number) + ": '" + line +
                                   (good ? "' lists its code a second time" : "' is no area (code, south, north, west, east)"),
                               kFileErrorCaption);
        }
        areas.emplace(code, area);
    }
    return areas;
}

}  // namespace kartoval
