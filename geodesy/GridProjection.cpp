#include "geodesy/GridProjection.hpp"

namespace kartoval {
namespace {

std::variant<TransverseMercator, KruegerTm, LambertConformalConic, HotineOm> make(const EllipsoidParams& ellipsoid,
                                                                                 const ZoneParams& zone,
                                                                                 TmEngine engine)
{
    if (const auto* tm = std::get_if<TmParams>(&zone)) {
        if (engine == TmEngine::Exact) return KruegerTm(ellipsoid, *tm);
        return TransverseMercator(ellipsoid, *tm);
    }
    if (const auto* om = std::get_if<OmParams>(&zone)) return HotineOm(ellipsoid, *om);
    return LambertConformalConic(ellipsoid, std::get<LccParams>(zone));
}

}  // namespace

GridProjection::GridProjection(const EllipsoidParams& ellipsoid, const ZoneParams& zone, TmEngine engine)
    : projection_(make(ellipsoid, zone, engine))
{
}

GridPoint GridProjection::Forward(double longitude, double latitude) const
{
    return std::visit([&](const auto& p) { return p.Forward(longitude, latitude); }, projection_);
}

GeoPoint GridProjection::Inverse(double easting, double northing) const
{
    return std::visit([&](const auto& p) { return p.Inverse(easting, northing); }, projection_);
}

PointFactors GridProjection::Factors(double longitude, double latitude) const
{
    return std::visit([&](const auto& p) { return p.Factors(longitude, latitude); }, projection_);
}

std::optional<double> GridProjection::DistanceFromCentralMeridian(double longitude) const
{
    if (const auto* tm = std::get_if<TransverseMercator>(&projection_)) return tm->DistanceFromCentralMeridian(longitude);
    return std::nullopt;
}

std::optional<TmEngine> GridProjection::Engine() const
{
    if (std::holds_alternative<TransverseMercator>(projection_)) return TmEngine::Series;
    if (std::holds_alternative<KruegerTm>(projection_)) return TmEngine::Exact;
    return std::nullopt;
}

}  // namespace kartoval
