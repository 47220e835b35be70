#pragma once
// The geodetic datum that each State Plane zone of the tables is defined on,
// and the ellipsoid of that datum. Answered from the zone's table name and
// family, so nad27.txt and nad83.txt keep their format.

#include "refdata/GridFamily.hpp"

#include <optional>
#include <string_view>

namespace kartoval {

enum class GeodeticDatum {
    Nad27,        // North American 1927 (EPSG 4267): conterminous US and Alaska
    Nad83,        // North American 1983 (EPSG 4269)
    OldHawaiian,  // EPSG 4135: the NAD27-era Hawaii zones
    PuertoRico,   // EPSG 4139: Puerto Rico and St. Croix of 1927
    StLawrence,   // EPSG 4136: St. Lawrence Island, Alaska
    StPaul,       // EPSG 4137: St. Paul Island, Alaska
    StGeorge,     // EPSG 4138: St. George Island, Alaska
    Wgs84,        // World Geodetic System 1984 (EPSG 4326), the UTM default
};

// The datum of a State Plane zone: NAD83 for every nad83.txt zone; for
// nad27.txt, Old Hawaiian for the Hawaii zones, Puerto Rico for Puerto Rico
// and St. Croix, NAD27 for the rest. Nothing for the UTM families, which carry
// no datum of their own.
[[nodiscard]] std::optional<GeodeticDatum> ZoneDatum(XyProjectionKind family, std::string_view zoneName);

// The ellips.txt name of the ellipsoid a zone is defined on: "Clarke 1866"
// for NAD27, Old Hawaiian and Puerto Rico (as EPSG gives them), except
// "Clarke 1866 Michigan" for the three Michigan Lambert zones of 1927;
// "GRS 1980" for NAD83. Nothing for the UTM families.
[[nodiscard]] std::optional<std::string_view> DatumEllipsoidName(XyProjectionKind family, std::string_view zoneName);

// The ellipsoid name of a datum ("Clarke 1866", "GRS 1980", "WGS 84").
[[nodiscard]] std::string_view DatumEllipsoidName(GeodeticDatum datum);

// The EPSG code of the datum's geographic coordinate system (4267, 4269, ...).
[[nodiscard]] int DatumGeographicCode(GeodeticDatum datum);

// A short name for messages and lists: "NAD27", "NAD83", "Old Hawaiian",
// "Puerto Rico", "St. Lawrence Island", "St. Paul Island", "St. George Island", "WGS 84".
[[nodiscard]] std::string_view DatumName(GeodeticDatum datum);

}  // namespace kartoval
