#include "conversion/SideProjection.hpp"

#include "refdata/TableFile.hpp"


#include <algorithm>
#include <cctype>

namespace kartoval {
namespace {

constexpr std::string_view kGrs1980 = "GRS 1980";
constexpr std::string_view kWgs84 = "WGS 84";

}  // namespace

std::optional<GridProjection> BuildProjection(const CoordinateSide& side, const Ellipsoid& ellipsoid, TmEngine engine)
{
    switch (side.Kind) {
    case SideKind::Degrees:
        return std::nullopt;
    case SideKind::Utm:
        return GridProjection(EllipsoidInUnit(ellipsoid, GridUnit::Metre),
                              UtmZone(side.UtmZoneNumber - 1, side.UtmHemisphere), engine);
    case SideKind::StatePlane:
        return GridProjection(EllipsoidInUnit(ellipsoid, side.Zone->Unit), side.Zone->Projection, engine);
    }
    return std::nullopt;
}

bool EllipsoidFitsSide(const CoordinateSide& side, std::string_view chosen)
{
    if (!side.DatumEllipsoid) return true;
    const std::string_view wanted = *side.DatumEllipsoid;
    return SameTableName(chosen, wanted) || (SameTableName(wanted, kGrs1980) && SameTableName(chosen, kWgs84));
}

std::optional<std::string> EllipsoidNotice(const CoordinateSide& side, std::string_view chosen)
{
    // Only a side with a datum of its own has an ellipsoid to be wrong about:
    // a UTM zone is taken on whatever the user picks.
    if (!side.Datum || !side.DatumEllipsoid || (!chosen.empty() && EllipsoidFitsSide(side, chosen))) {
        return std::nullopt;
    }
    const std::string subject = (side.Zone ? side.Zone->Name : side.Label) + " (" +
                                std::string(DatumName(*side.Datum)) + ")";
    if (chosen.empty()) return "No ellipsoid is chosen; " + subject + " is defined on " + *side.DatumEllipsoid + ".";
    return subject + " is defined on " + *side.DatumEllipsoid + ", not on " + std::string(chosen) + ".";
}

std::optional<Ellipsoid> FindEllipsoid(const std::vector<Ellipsoid>& table, std::string_view name)
{
    for (const Ellipsoid& ellipsoid : table) {
        if (SameTableName(ellipsoid.Name, name)) return ellipsoid;
    }
    return std::nullopt;
}

}  // namespace kartoval
