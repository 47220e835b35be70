#pragma once
// The coordinate systems of kartoval-convert's --from and --to: "geo",
// "geo:nad27", "utm:29N", "utm:14N:nad83", "nad27:Texas South Central",
// "nad83:...", "EPSG:32629".

#include "geodesy/ProjectionParams.hpp"
#include "refdata/GridFamily.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/ZoneCodes.hpp"
#include "refdata/ZoneDatum.hpp"
#include "toolkit/Platform.hpp"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kartoval {

struct CrsChoice {
    std::string Label;  // "UTM zone 29N", "NAD27 Texas South Central", "degrees"
    std::optional<std::variant<TmParams, LccParams>> Zone;  // none: latitude/longitude
    GridUnit Unit = GridUnit::Metre;
    std::optional<std::string> DatumEllipsoid;  // the ellipsoid the zone or code is defined on
    bool Utm = false;
    // The datum, where the name gives one (geo:nad27, utm:14N:nad83, a State
    // Plane zone, an EPSG code); two different ones call for a datum shift.
    std::optional<GeodeticDatum> Datum;
};

// Throws UsageError naming close matches for a name that is not in the
// tables, and CommandError ("File error") when a table can't be read.
[[nodiscard]] CrsChoice ResolveCrs(const std::string& text, const Platform& platform);

}  // namespace kartoval
