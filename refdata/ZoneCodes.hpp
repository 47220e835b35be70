#pragma once
// zone_codes.txt: the EPSG code of each State Plane zone of the two zone
// tables, one a line (code, TAB, table, TAB, zone name). Read through the
// tables' own line reader; a code or a zone listed twice would make one code
// convert as the wrong zone, so it is refused.

#include "toolkit/Platform.hpp"

#include <string>
#include <vector>

namespace kartoval {

inline constexpr const char* kZoneCodesFileName = "zone_codes.txt";

// One line of zone_codes.txt: the EPSG code of a State Plane zone of a table.
struct ZoneCode {
    int Code = 0;
    std::string Table;  // "nad27.txt" or "nad83.txt"
    std::string Name;   // the zone's name in that table
};

// Every line of zone_codes.txt in the data folder. Throws CommandError
// ("File error") naming the file, and the line where there is one, when it
// can't be read, is empty, has a line that is no code, table and name, or
// lists a code or a zone twice.
[[nodiscard]] std::vector<ZoneCode> ReadZoneCodes(const Platform& platform);

}  // namespace kartoval
