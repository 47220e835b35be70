#pragma once
// One side of a conversion, as every front end names it: latitude/longitude
// on a datum, a UTM zone and hemisphere on a datum, or a State Plane zone of
// a family (which brings its datum, unit and datum ellipsoid). The window
// builds a side from its lists; kartoval-convert from its spellings
// ("geo", "geo:nad27", "utm:29N", "utm:14N:nad83", "nad27:\"Texas South
// Central\"", "EPSG:32629"), read and written here only.

#include "refdata/GridFamily.hpp"
#include "refdata/GridUnit.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/UtmZones.hpp"
#include "refdata/ZoneCodes.hpp"
#include "refdata/ZoneDatum.hpp"
#include "toolkit/Platform.hpp"

#include <optional>
#include <string>
#include <vector>

namespace kartoval {

enum class SideKind { Degrees, Utm, StatePlane };

struct CoordinateSide {
    SideKind Kind = SideKind::Degrees;
    std::string Label = "degrees";  // "UTM zone 29N", "NAD27 Texas South Central", for messages
    // The datum the side names (geo:nad27, utm:14N:nad83, a State Plane zone,
    // an EPSG code); none for plain degrees and UTM, taken on WGS 84.
    std::optional<GeodeticDatum> Datum;
    // The ellipsoid the side is defined on ("Clarke 1866", "GRS 1980"); none
    // for plain degrees, which take the other side's or the user's.
    std::optional<std::string> DatumEllipsoid;
    GridUnit Unit = GridUnit::Metre;
    // UTM: zone 1..60 and hemisphere.
    int UtmZoneNumber = 0;
    Hemisphere UtmHemisphere = Hemisphere::North;
    // State Plane: the family and the zone as its table gives it.
    std::optional<XyProjectionKind> Family;
    std::optional<StatePlaneZone> Zone;

    [[nodiscard]] bool IsDegrees() const { return Kind == SideKind::Degrees; }
};

// Latitude/longitude, on a datum or on none.
[[nodiscard]] CoordinateSide DegreesSide(std::optional<GeodeticDatum> datum = std::nullopt);
// UTM zone 1..60 of a hemisphere; without a datum its ellipsoid is WGS 84.
[[nodiscard]] CoordinateSide UtmSide(int zone, Hemisphere hemisphere, std::optional<GeodeticDatum> datum = std::nullopt);
// A State Plane zone already read from its family's table.
[[nodiscard]] CoordinateSide StatePlaneSide(XyProjectionKind family, StatePlaneZone zone);
// The zone at list position `position` of a family's zone list, as the
// window's lists give it: UTM zone position + 1, or line position + 1 of the
// family's table (read here; throws the table's CommandError).
[[nodiscard]] CoordinateSide FamilySide(XyProjectionKind family, int position, const Platform& platform);

// kartoval-convert's spelling of a side. Throws UsageError naming close
// matches for a name not in the tables, CommandError ("File error") for a
// table that can't be read.
[[nodiscard]] CoordinateSide ParseSide(const std::string& text, const Platform& platform);
// The spelling that ParseSide reads back as the same side.
[[nodiscard]] std::string SideSpelling(const CoordinateSide& side);

// The EPSG code of a State Plane side, from zone_codes.txt; nothing for other
// sides or a zone the table doesn't list.
[[nodiscard]] std::optional<int> ZoneEpsgCode(const CoordinateSide& side, const std::vector<ZoneCode>& codes);

}  // namespace kartoval
