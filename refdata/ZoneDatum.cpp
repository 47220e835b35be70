#include "refdata/ZoneDatum.hpp"

#include <array>

namespace kartoval {
namespace {

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The 1927 Michigan Lambert zones were defined on Clarke 1866 scaled to the
// state's mean elevation (EPSG 7009); the Michigan TM zones of 1927 were not.
constexpr std::array<std::string_view, 3> kMichiganLambertZones = {"Michigan Central", "Michigan North",
                                                                   "Michigan South"};

}  // namespace

std::optional<GeodeticDatum> ZoneDatum(XyProjectionKind family, std::string_view zoneName)
{
    switch (family) {
    case XyProjectionKind::Nad83:
        return GeodeticDatum::Nad83;
    case XyProjectionKind::Nad27:
        if (startsWith(zoneName, "Hawaii")) return GeodeticDatum::OldHawaiian;
        if (zoneName == "Puerto Rico" || zoneName == "St. Croix") return GeodeticDatum::PuertoRico;
        return GeodeticDatum::Nad27;
    case XyProjectionKind::UtmNorth:
    case XyProjectionKind::UtmSouth:
        break;
    }
    return std::nullopt;
}

std::optional<std::string_view> DatumEllipsoidName(XyProjectionKind family, std::string_view zoneName)
{
    const auto datum = ZoneDatum(family, zoneName);
    if (!datum) return std::nullopt;
    if (family == XyProjectionKind::Nad27) {
        for (const std::string_view michigan : kMichiganLambertZones) {
            if (zoneName == michigan) return "Clarke 1866 Michigan";
        }
    }
    return DatumEllipsoidName(*datum);
}

std::string_view DatumEllipsoidName(GeodeticDatum datum)
{
    switch (datum) {
    case GeodeticDatum::Nad83:
        return "GRS 1980";
    case GeodeticDatum::Wgs84:
        return "WGS 84";
    case GeodeticDatum::Nad27:
    case GeodeticDatum::OldHawaiian:
    case GeodeticDatum::PuertoRico:
    case GeodeticDatum::StLawrence:
    case GeodeticDatum::StPaul:
    case GeodeticDatum::StGeorge:
        break;
    }
    return "Clarke 1866";
}

int DatumGeographicCode(GeodeticDatum datum)
{
    switch (datum) {
    case GeodeticDatum::Nad27: return 4267;
    case GeodeticDatum::Nad83: return 4269;
    case GeodeticDatum::OldHawaiian: return 4135;
    case GeodeticDatum::PuertoRico: return 4139;
    case GeodeticDatum::StLawrence: return 4136;
    case GeodeticDatum::StPaul: return 4137;
    case GeodeticDatum::StGeorge: return 4138;
    case GeodeticDatum::Wgs84: return 4326;
    }
    return 0;
}

std::string_view DatumName(GeodeticDatum datum)
{
    switch (datum) {
    case GeodeticDatum::Nad27: return "NAD27";
    case GeodeticDatum::Nad83: return "NAD83";
    case GeodeticDatum::OldHawaiian: return "Old Hawaiian";
    case GeodeticDatum::PuertoRico: return "Puerto Rico";
    case GeodeticDatum::StLawrence: return "St. Lawrence Island";
    case GeodeticDatum::StPaul: return "St. Paul Island";
    case GeodeticDatum::StGeorge: return "St. George Island";
    case GeodeticDatum::Wgs84: return "WGS 84";
    }
    return "";
}

}  // namespace kartoval
