// Lambert conformal conic with two standard parallels, after J. P. Snyder,
// "Map Projections: A Working Manual", USGS Professional Paper 1395 (1987),
// pp. 107-109: equations 14-15 (m), 15-9 (t), 15-8 (n), 15-10 (F), 15-7 (rho),
// 14-4 (theta), 15-5 and 15-4 (inverse), 7-9 (the latitude from t).
//
// Exact (no series): the forward mapping is accurate to rounding; the inverse
// latitude is iterated to 1e-12 radian (about 6 micrometres on the ground).
// Serves cones with n > 0, whose standard parallels lie north of the equator.
//
// Departures from the book:
// - The latitude iteration (7-9) runs until the change is below 1e-12 rad,
//   not a fixed two passes, which would leave up to 9 m of error at the edge
//   of a zone.
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

#include <cmath>
#include <limits>

namespace kartoval {
namespace {

constexpr double kLatitudeTolerance = 1e-12;  // radians
constexpr int kMaxLatitudePasses = 50;       // far more than the 5 or 6 a zone needs

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

// Standard parallels closer than this (radians, about two arc seconds) are
// taken as one tangent cone.
constexpr double kNearlyTangentGap = 1e-5;

// The constants of one cone, formed by each function for itself.
struct Cone {
    double n;
    double F;
    double rho0;

    Cone(double e, double a, double firstParallel, double secondParallel, double latitudeOfOrigin)
    {
        const double phi1 = firstParallel * kDegreesToRadians;
        const double phi2 = secondParallel * kDegreesToRadians;
        const double m1 = mFunction(phi1, e);
        const double m2 = mFunction(phi2, e);
        const double t1 = tFunction(phi1, e);
        const double t2 = tFunction(phi2, e);
        // Equal parallels make a tangent cone, where the quotient is 0/0 and its
        // limit is sin phi1. Parallels a hair apart make it a quotient of
        // rounding errors (0/0 again, or any number): there the limit at the
        // mid-parallel is closer than the quotient (its error grows with the
        // square of the gap, the quotient's with its inverse; they meet near
        // a gap of two arc seconds).
        n = std::fabs(phi1 - phi2) < kNearlyTangentGap
                ? std::sin((phi1 + phi2) / 2.0)
                : (std::log(m1) - std::log(m2)) / (std::log(t1) - std::log(t2));
        F = m1 / (n * std::pow(t1, n));
        rho0 = a * F * std::pow(tFunction(latitudeOfOrigin * kDegreesToRadians, e), n);
    }
};

}  // namespace

double LccEasting(double longitude, double latitude, double e, double a, double falseEasting,
                  double /*falseNorthing*/, double firstParallel, double secondParallel, double latitudeOfOrigin,
                  double centralMeridian)
{
    const Cone cone(e, a, firstParallel, secondParallel, latitudeOfOrigin);
    const double rho = a * cone.F * std::pow(tFunction(latitude * kDegreesToRadians, e), cone.n);
    const double theta = cone.n * LongitudeDifference(longitude, centralMeridian);
    return falseEasting + rho * std::sin(theta);
}

double LccNorthing(double longitude, double latitude, double e, double a, double /*falseEasting*/,
                   double falseNorthing, double firstParallel, double secondParallel, double latitudeOfOrigin,
                   double centralMeridian)
{
    const Cone cone(e, a, firstParallel, secondParallel, latitudeOfOrigin);
    const double rho = a * cone.F * std::pow(tFunction(latitude * kDegreesToRadians, e), cone.n);
    const double theta = cone.n * LongitudeDifference(longitude, centralMeridian);
    return falseNorthing + cone.rho0 - rho * std::cos(theta);
}

double LccLongitude(double easting, double northing, double e, double a, double falseEasting, double falseNorthing,
                    double firstParallel, double secondParallel, double latitudeOfOrigin, double centralMeridian)
{
    const Cone cone(e, a, firstParallel, secondParallel, latitudeOfOrigin);
    const double theta = std::atan((easting - falseEasting) / (cone.rho0 - (northing - falseNorthing)));
    return NormalizeLongitude((centralMeridian * kDegreesToRadians + theta / cone.n) * kRadiansToDegrees);
}

double LccLatitude(double easting, double northing, double e, double a, double falseEasting, double falseNorthing,
                   double firstParallel, double secondParallel, double latitudeOfOrigin, double /*centralMeridian*/)
{
    const Cone cone(e, a, firstParallel, secondParallel, latitudeOfOrigin);
    const double dx = easting - falseEasting;
    const double dy = cone.rho0 - (northing - falseNorthing);
    const double rho = std::sqrt(dx * dx + dy * dy);
    const double t = std::pow(rho / (a * cone.F), 1.0 / cone.n);
    double phi = (firstParallel + secondParallel) / 2.0 * kDegreesToRadians;
    for (int pass = 0; pass < kMaxLatitudePasses; ++pass) {
        const double esin = e * std::sin(phi);
        const double next = kPi / 2.0 - 2.0 * std::atan(t * std::pow((1.0 - esin) / (1.0 + esin), e / 2.0));
        const double change = std::fabs(next - phi);
        phi = next;
        if (!(change >= kLatitudeTolerance)) break;  // also ends on NaN
    }
    return phi * kRadiansToDegrees;
}

}  // namespace kartoval
