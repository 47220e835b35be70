#include "conversion/SideProjection.hpp"

#include "toolkit/Errors.hpp"

#include <algorithm>
#include <cctype>
#include <variant>

namespace kartoval {
namespace {

constexpr std::string_view kGrs1980 = "GRS 1980";
constexpr std::string_view kWgs84 = "WGS 84";

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<GridProjection> BuildProjection(const CoordinateSide& side, const Ellipsoid& ellipsoid)
{
    switch (side.Kind) {
    case SideKind::Degrees:
        return std::nullopt;
    case SideKind::Utm:
        return GridProjection(EllipsoidInUnit(ellipsoid, GridUnit::Metre),
                              UtmZone(side.UtmZoneNumber - 1, side.UtmHemisphere));
    case SideKind::StatePlane: {
        const EllipsoidParams params = EllipsoidInUnit(ellipsoid, side.Zone->Unit);
        if (const auto* tm = std::get_if<TmParams>(&side.Zone->Projection)) return GridProjection(params, *tm);
        if (const auto* lcc = std::get_if<LccParams>(&side.Zone->Projection)) return GridProjection(params, *lcc);
        throw UsageError(side.Label + " is an oblique Mercator zone, which Kartoval lists but can't convert.");
    }
    }
    return std::nullopt;
}

bool EllipsoidFitsSide(const CoordinateSide& side, std::string_view chosen)
{
    if (!side.DatumEllipsoid) return true;
    const std::string_view wanted = *side.DatumEllipsoid;
    return sameName(chosen, wanted) || (sameName(wanted, kGrs1980) && sameName(chosen, kWgs84));
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
        if (sameName(ellipsoid.Name, name)) return ellipsoid;
    }
    return std::nullopt;
}

}  // namespace kartoval
