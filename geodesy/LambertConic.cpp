// Lambert conformal conic with two standard parallels, after J. P. Snyder,
// "Map Projections: A Working Manual", USGS Professional Paper 1395 (1987),
// pp. 107-109: equations 14-15 (m), 15-9 (t), 15-8 (n), 15-10 (F), 15-7 (rho),
// 14-4 (theta), 15-5 and 15-4 (inverse), 7-9 (the latitude from t).
//
// Exact (no series): the forward mapping is accurate to rounding, and so is
// the inverse latitude (below).
//
// LambertConformalConic forms the cone's constants (n, F, rho0) once. Its
// forward mapping evaluates the book's equations in the book's order.
//
// Departures from the book:
// - The inverse latitude is not iterated by 7-9: the conformal latitude chi
//   (from t, 7-13) is carried to phi by the series 3-5 to e^8, and one Newton
//   step on the isometric latitude, psi(phi) = asinh(tan phi) - e atanh(e sin
//   phi), whose derivative is (1 - e^2) / ((1 - e^2 sin^2 phi) cos phi),
//   takes the series' 1e-11 radian error below rounding.
// - A cone opening south (both parallels south of the equator) has n < 0 and
//   so F < 0: rho then takes the sign of n (Snyder 14-10), and t = (rho /
//   (a F))^(1/n) stays a real number. theta = atan(x / (rho0 - y)) serves
//   both signs as it is.
// - Point scale factor k = rho n / (a m) (15-4) and meridian convergence
//   gamma = theta = n (lambda - lambda0).
// - Equal standard parallels (a tangent cone) take n = sin phi1, the limit
//   of 15-8, which is 0/0 there.
// - lambda - lambda0 is brought into [-180, 180) degrees (see
//   LongitudeDifference) and the inverse longitude into (-180, 180].
//
// Legend: phi latitude, lambda longitude (radians); phi1, phi2 standard
// parallels; phi0 latitude of origin; lambda0 central meridian; m, t the
// book's auxiliary functions; n cone constant; F scale constant; rho radius
// of the parallel on the map; theta angle of the meridian on the map.

#include "geodesy/LambertConic.hpp"

#include "geodesy/Angles.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kartoval {
namespace {

// Standard parallels closer than this (radians, about two arc seconds) are
// taken as one tangent cone.
constexpr double kNearlyTangentGap = 1e-5;

double mFunction(double phi, double e)
{
    const double esin = e * std::sin(phi);
    return std::cos(phi) / std::sqrt(1.0 - esin * esin);
}

double tFunction(double phi, double e)
{
    // At the south pole t is infinite (the parallel's circle has no end), but
    // tan(pi/2) in doubles is a mere 1.6e16: say so, or a finite wrong point
    // would come out.
    if (phi <= -kPi / 2.0) return std::numeric_limits<double>::infinity();
    const double esin = e * std::sin(phi);
    return std::tan(kPi / 4.0 - phi / 2.0) / std::pow((1.0 - esin) / (1.0 + esin), e / 2.0);
}

// Latitude (radians) of the isometric latitude psi.
double latitudeOfIsometric(double psi, double e)
{
    if (std::isinf(psi)) return std::copysign(kPi / 2.0, psi);
    const double e2 = e * e;
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double e8 = e4 * e4;
    const double chi = std::atan(std::sinh(psi));
    const double s2 = std::sin(2.0 * chi);
    const double c2 = std::cos(2.0 * chi);
    const double s4 = 2.0 * s2 * c2;
    const double c4 = 1.0 - 2.0 * s2 * s2;
    const double s6 = s4 * c2 + c4 * s2;
    const double s8 = 2.0 * s4 * c4;
    const double phi = chi + (e2 / 2.0 + 5.0 * e4 / 24.0 + e6 / 12.0 + 13.0 * e8 / 360.0) * s2 +
                       (7.0 * e4 / 48.0 + 29.0 * e6 / 240.0 + 811.0 * e8 / 11520.0) * s4 +
                       (7.0 * e6 / 120.0 + 81.0 * e8 / 1120.0) * s6 + (4279.0 * e8 / 161280.0) * s8;
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    if (!(c > 0.0)) return phi;  // at a pole, where the series is exact
    const double psiOfPhi = std::asinh(s / c) - e * std::atanh(e * s);
    const double newton = phi - (psiOfPhi - psi) * c * (1.0 - e2 * s * s) / (1.0 - e2);
    // Within a millimetre of a pole the step can pass it by a few 1e-16.
    return std::clamp(newton, -kPi / 2.0, kPi / 2.0);
}

}  // namespace

LambertConformalConic::LambertConformalConic(const EllipsoidParams& ellipsoid, const LccParams& zone)
    : zone_(zone), a_(ellipsoid.SemiMajorAxis), e_(ellipsoid.Eccentricity)
{
    const double phi1 = zone.FirstParallel * kDegreesToRadians;
    const double phi2 = zone.SecondParallel * kDegreesToRadians;
    const double m1 = mFunction(phi1, e_);
    const double m2 = mFunction(phi2, e_);
    const double t1 = tFunction(phi1, e_);
    const double t2 = tFunction(phi2, e_);
    // Equal parallels make a tangent cone, where the quotient is 0/0 and its
    // limit is sin phi1. Parallels a hair apart make it a quotient of
    // rounding errors (0/0 again, or any number): there the limit at the
    // mid-parallel is closer than the quotient (its error grows with the
    // square of the gap, the quotient's with its inverse; they meet near a
    // gap of two arc seconds).
    n_ = std::fabs(phi1 - phi2) < kNearlyTangentGap
             ? std::sin((phi1 + phi2) / 2.0)
             : (std::log(m1) - std::log(m2)) / (std::log(t1) - std::log(t2));
    const double F = m1 / (n_ * std::pow(t1, n_));
    aF_ = a_ * F;
    rho0_ = a_ * F * std::pow(tFunction(zone.LatitudeOfOrigin * kDegreesToRadians, e_), n_);
    lambda0_ = zone.CentralMeridian * kDegreesToRadians;
}

GridPoint LambertConformalConic::Forward(double longitude, double latitude) const
{
    const double rho = aF_ * std::pow(tFunction(latitude * kDegreesToRadians, e_), n_);
    const double theta = n_ * LongitudeDifference(longitude, zone_.CentralMeridian);
    return {zone_.FalseEasting + rho * std::sin(theta), zone_.FalseNorthing + rho0_ - rho * std::cos(theta)};
}

GeoPoint LambertConformalConic::Inverse(double easting, double northing) const
{
    const double dx = easting - zone_.FalseEasting;
    const double dy = rho0_ - (northing - zone_.FalseNorthing);
    const double theta = std::atan(dx / dy);
    const double rho = std::copysign(std::sqrt(dx * dx + dy * dy), n_);
    const double psi = -std::log(rho / aF_) / n_;
    return {NormalizeLongitude((lambda0_ + theta / n_) * kRadiansToDegrees),
            latitudeOfIsometric(psi, e_) * kRadiansToDegrees};
}

PointFactors LambertConformalConic::Factors(double longitude, double latitude) const
{
    const double phi = latitude * kDegreesToRadians;
    const double rho = aF_ * std::pow(tFunction(phi, e_), n_);
    const double theta = n_ * LongitudeDifference(longitude, zone_.CentralMeridian);
    return {rho * n_ / (a_ * mFunction(phi, e_)), theta * kRadiansToDegrees};
}

}  // namespace kartoval
