#pragma once
// zone_codes.txt: the codes by which the State Plane zones of nad27.txt and
// nad83.txt are known outside their tables, the EPSG code (EPSG:32140) and
// the four-digit State Plane zone code of NGS datasheets and survey software
// (4204 for Texas South Central, 0101 for Alabama East).

#include "refdata/GridFamily.hpp"
#include "toolkit/Platform.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kartoval {

inline constexpr const char* kZoneCodesFileName = "zone_codes.txt";

// One line of zone_codes.txt.
struct ZoneCode {
    int Code = 0;       // EPSG
    std::string Table;  // "nad27.txt" or "nad83.txt"
    std::string Name;   // the zone's name in that table
    std::optional<int> StatePlaneCode;  // none for a zone its source gives no code
};

// Every line of zone_codes.txt in the data folder, read through the tables'
// own line reader. Throws CommandError ("File error") naming the file, and the
// line where there is one, when it can't be read, is empty, has a line that
// is no code, table, name and optional zone code, or lists an EPSG code or a
// zone twice: one code converting as the wrong zone would pass unseen.
[[nodiscard]] std::vector<ZoneCode> ReadZoneCodes(const Platform& platform);

// A State Plane zone code as typed: one to four digits, the leading zero
// optional ("0101" and "101" are Alabama East). Nothing for any other text.
[[nodiscard]] std::optional<int> ParseStatePlaneCode(std::string_view text);

// The code as datasheets write it, four digits: 101 -> "0101".
[[nodiscard]] std::string StatePlaneCodeText(int code);

// The line of a State Plane family's zone with that zone code, or with that
// table name; nullptr when there is none (and for the UTM families).
[[nodiscard]] const ZoneCode* FindByStatePlaneCode(const std::vector<ZoneCode>& codes, XyProjectionKind family,
                                                   int code);
[[nodiscard]] const ZoneCode* FindByZoneName(const std::vector<ZoneCode>& codes, XyProjectionKind family,
                                             std::string_view name);

// "(4204, EPSG:32140)", "(EPSG:3088)" for a zone without a zone code; empty
// for no line.
[[nodiscard]] std::string ZoneCodesNote(const ZoneCode* line);

}  // namespace kartoval
