#include "geodesy/GridProjection.hpp"

namespace kartoval {
namespace {

std::variant<TransverseMercator, LambertConformalConic> make(const EllipsoidParams& ellipsoid,
                                                             const std::variant<TmParams, LccParams>& zone)
{
    if (const auto* tm = std::get_if<TmParams>(&zone)) return TransverseMercator(ellipsoid, *tm);
    return LambertConformalConic(ellipsoid, std::get<LccParams>(zone));
}

}  // namespace

GridProjection::GridProjection(const EllipsoidParams& ellipsoid, const std::variant<TmParams, LccParams>& zone)
    : projection_(make(ellipsoid, zone))
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

}  // namespace kartoval
