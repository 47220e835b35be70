// Transverse Mercator, after J. P. Snyder, "Map Projections: A Working Manual",
// USGS Professional Paper 1395 (1987), pp. 60-64: equations 3-21 (meridian
// distance M), 8-9 to 8-15 (forward) and 3-26, 7-19, 8-17 to 8-25 (inverse,
// footpoint latitude by the closed series in e1).
//
// Valid near the central meridian: within the 3 degrees of a UTM zone the
// series agree with Karney's exact mapping to about a millimetre; the error
// grows quickly beyond some 10 degrees. The meridian arc series stops at e^6,
// which alone is good to well under a millimetre on Earth's ellipsoids.
//
// TransverseMercator computes the constants of a zone once (the powers of e,
// the meridian arc and footpoint coefficients, the arc to the latitude of
// origin) and each shared term of a point once. The footpoint series' sines
// come from sin 2mu and cos 2mu by the double- and sum-angle identities.
// Going forward, sin 2phi, sin 4phi (from degrees) and tan phi stay the
// library's own, and only sin 6phi comes from the sum-angle identity, because
// a grid value near 10000000 m has a last bit of 1.9e-9 m and the arc to a
// State Plane origin cancels most of a large arc: so the grids come out as the
// one-term-at-a-time evaluation gives them, bit for bit in every case measured.
// Coming back, tan phi1 = sin phi1 / cos phi1 and N1 / R1 = w / (1 - e^2):
// the latitude and longitude move by at most 2e-14 degree.
//
// Point scale factor and meridian convergence: Snyder 8-16 for k, and the
// matching series gamma = A tan phi [1 + A^2 (1 + 3C + 2C^2)/3 + A^4 (2 - T)/15]
// (US Army TM 5-241-8, 1958), both in the terms of the forward series.
//
// Departures from the book:
// - lambda - lambda0 is brought into [-180, 180) degrees first (see
//   LongitudeDifference), and the inverse longitude into (-180, 180], so a
//   longitude written as 286.5 is the same point as -73.5.
//
// Legend: phi latitude, lambda longitude (radians); N radius of curvature in the
// prime vertical; T = tan^2 phi; C = e'^2 cos^2 phi; A = (lambda - lambda0) cos phi;
// M meridian distance; mu rectifying latitude; phi1 footpoint latitude.

#include "geodesy/TransverseMercator.hpp"

#include "geodesy/Angles.hpp"

#include <array>
#include <cmath>

namespace kartoval {
namespace {

struct SinCos {
    double s;
    double c;
};

// sin 2x, sin 4x, sin 6x (and sin 8x) from sin 2x and cos 2x.
struct MultipleSines {
    double s2, s4, s6, s8;
    MultipleSines(double s2x, double c2x)
        : s2(s2x), s4(2.0 * s2x * c2x), s6(0.0), s8(0.0)
    {
        const double c4 = 1.0 - 2.0 * s2x * s2x;
        s6 = s4 * c2x + c4 * s2x;
        s8 = 2.0 * s4 * c4;
    }
};

// lambda - lambda0 in radians for a central meridian whose radians are
// precomputed; the same value as LongitudeDifference, bit for bit.
inline double longitudeDifference(double longitude, double centralMeridian, double lambda0)
{
    const double degrees = longitude - centralMeridian;
    if (degrees >= -180.0 && degrees < 180.0) return longitude * kDegreesToRadians - lambda0;
    return LongitudeDifference(longitude, centralMeridian);
}

// The series' error on the ground, in metres, at distances from the central
// meridian in degrees: the larger of the forward error and that of the inverse
// (the inverse's is the larger from 3.5 degrees out), each the maximum over
// latitudes 0 to 84 in steps of 1 degree, against Karney's exact transverse
// Mercator (GeographicLib's TransverseMercatorProj -t, WGS 84, k0 = 1). The
// floor of just under a millimetre is the meridian arc's e^6 series.
// Interpolated linearly in the logarithm of the error.
struct ErrorStep {
    double degrees;
    double metres;
};
constexpr std::array<ErrorStep, 18> kSeriesErrors{{
    {0.0, 0.00096}, {3.0, 0.00096}, {3.5, 0.0013}, {4.0, 0.0029}, {4.5, 0.0065}, {5.0, 0.014},
    {6.0, 0.049},   {7.0, 0.15},    {8.0, 0.37},   {9.0, 0.86},   {10.0, 1.8},   {12.0, 6.7},
    {15.0, 33.0},   {20.0, 273.0},  {25.0, 1482.0}, {30.0, 6270.0}, {35.0, 22700.0}, {40.0, 74300.0},
}};

}  // namespace

double MeridianDistance(double latitude, double a, double e)
{
    const double e2 = e * e;
    const double e4 = e2 * e2;
    const double e6 = e4 * e2;
    const double phi = latitude * kDegreesToRadians;
    // The multiple angles are formed straight from degrees.
    return a * ((1.0 - e2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0) * phi -
                (3.0 * e2 / 8.0 + 3.0 * e4 / 32.0 + 45.0 * e6 / 1024.0) * std::sin(latitude * kPi / 90.0) +
                (15.0 * e4 / 256.0 + 45.0 * e6 / 1024.0) * std::sin(latitude * kPi / 45.0) -
                (35.0 * e6 / 3072.0) * std::sin(latitude * kPi / 30.0));
}

TransverseMercator::TransverseMercator(const EllipsoidParams& ellipsoid, const TmParams& zone)
    : zone_(zone), a_(ellipsoid.SemiMajorAxis)
{
    const double e = ellipsoid.Eccentricity;
    e2_ = e * e;
    const double e4 = e2_ * e2_;
    const double e6 = e4 * e2_;
    ep2_ = e2_ / (1.0 - e2_);
    lambda0_ = zone.CentralMeridian * kDegreesToRadians;
    arc0_ = 1.0 - e2_ / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0;
    arc2_ = 3.0 * e2_ / 8.0 + 3.0 * e4 / 32.0 + 45.0 * e6 / 1024.0;
    arc4_ = 15.0 * e4 / 256.0 + 45.0 * e6 / 1024.0;
    arc6_ = 35.0 * e6 / 3072.0;
    m0_ = MeridianDistance(zone.LatitudeOfOrigin, a_, e);
    const double root = std::sqrt(1.0 - e2_);
    const double e1 = (1.0 - root) / (1.0 + root);
    const double e1_2 = e1 * e1;
    const double e1_3 = e1_2 * e1;
    const double e1_4 = e1_3 * e1;
    foot2_ = 3.0 * e1 / 2.0 - 27.0 * e1_3 / 32.0;
    foot4_ = 21.0 * e1_2 / 16.0 - 55.0 * e1_4 / 32.0;
    foot6_ = 151.0 * e1_3 / 96.0;
    foot8_ = 1097.0 * e1_4 / 512.0;
}

GridPoint TransverseMercator::Forward(double longitude, double latitude) const
{
    const double phi = latitude * kDegreesToRadians;
    const SinCos p{std::sin(phi), std::cos(phi)};
    const double tanPhi = std::tan(phi);
    const double N = a_ / std::sqrt(1.0 - e2_ * p.s * p.s);
    const double T = tanPhi * tanPhi;
    const double C = ep2_ * p.c * p.c;
    const double A = longitudeDifference(longitude, zone_.CentralMeridian, lambda0_) * p.c;
    // The meridian arc as MeridianDistance forms it, sin 6phi aside (its term
    // is a thousand times smaller than the last bit of the arc).
    const double s2 = std::sin(latitude * kPi / 90.0);
    const double c2 = std::cos(latitude * kPi / 90.0);
    const double s4 = std::sin(latitude * kPi / 45.0);
    const double c4 = std::cos(latitude * kPi / 45.0);
    const double M = a_ * (arc0_ * phi - arc2_ * s2 + arc4_ * s4 - arc6_ * (s4 * c2 + c4 * s2));
    const double A2 = A * A;
    const double A3 = A2 * A;
    const double A4 = A2 * A2;
    const double A5 = A3 * A2;
    const double A6 = A4 * A2;
    const double k0 = zone_.ScaleFactor;
    return {zone_.FalseEasting +
                k0 * N * (A + (1.0 - T + C) * A3 / 6.0 + (5.0 - 18.0 * T + T * T + 72.0 * C - 58.0 * ep2_) * A5 / 120.0),
            zone_.FalseNorthing +
                k0 * (M - m0_ +
                      N * tanPhi *
                          (A2 / 2.0 + (5.0 - T + 9.0 * C + 4.0 * C * C) * A4 / 24.0 +
                           (61.0 - 58.0 * T + T * T + 600.0 * C - 330.0 * ep2_) * A6 / 720.0))};
}

GeoPoint TransverseMercator::Inverse(double easting, double northing) const
{
    const double k0 = zone_.ScaleFactor;
    const double M = m0_ + (northing - zone_.FalseNorthing) / k0;
    const double mu = M / (a_ * arc0_);
    const MultipleSines m(std::sin(2.0 * mu), std::cos(2.0 * mu));
    const double phi1 = mu + foot2_ * m.s2 + foot4_ * m.s4 + foot6_ * m.s6 + foot8_ * m.s8;
    const SinCos p{std::sin(phi1), std::cos(phi1)};
    const double tanPhi1 = p.s / p.c;
    const double w = 1.0 - e2_ * p.s * p.s;
    const double N1 = a_ / std::sqrt(w);
    const double T1 = tanPhi1 * tanPhi1;
    const double C1 = ep2_ * p.c * p.c;
    const double D = (easting - zone_.FalseEasting) / (N1 * k0);
    const double D2 = D * D;
    const double D3 = D2 * D;
    const double D4 = D2 * D2;
    const double D5 = D4 * D;
    const double D6 = D4 * D2;
    // N1 / R1 = w / (1 - e^2), R1 being the meridian's radius of curvature.
    const double phi = phi1 - (tanPhi1 * w / (1.0 - e2_)) *
                                  (D2 / 2.0 - (5.0 + 3.0 * T1 + 10.0 * C1 - 4.0 * C1 * C1 - 9.0 * ep2_) * D4 / 24.0 +
                                   (61.0 + 90.0 * T1 + 298.0 * C1 + 45.0 * T1 * T1 - 252.0 * ep2_ - 3.0 * C1 * C1) *
                                       D6 / 720.0);
    const double lambda =
        lambda0_ + (D - (1.0 + 2.0 * T1 + C1) * D3 / 6.0 +
                    (5.0 - 2.0 * C1 + 28.0 * T1 - 3.0 * C1 * C1 + 8.0 * ep2_ + 24.0 * T1 * T1) * D5 / 120.0) /
                       p.c;
    return {NormalizeLongitude(lambda * kRadiansToDegrees), phi * kRadiansToDegrees};
}

PointFactors TransverseMercator::Factors(double longitude, double latitude) const
{
    const double phi = latitude * kDegreesToRadians;
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    const double tanPhi = s / c;
    const double T = tanPhi * tanPhi;
    const double C = ep2_ * c * c;
    const double A = longitudeDifference(longitude, zone_.CentralMeridian, lambda0_) * c;
    const double A2 = A * A;
    const double A4 = A2 * A2;
    const double scale = zone_.ScaleFactor * (1.0 + (1.0 + C) * A2 / 2.0 +
                                              (5.0 - 4.0 * T + 42.0 * C + 13.0 * C * C - 28.0 * ep2_) * A4 / 24.0 +
                                              (61.0 - 148.0 * T + 16.0 * T * T) * A4 * A2 / 720.0);
    const double gamma = A * tanPhi * (1.0 + A2 * (1.0 + 3.0 * C + 2.0 * C * C) / 3.0 + A4 * (2.0 - T) / 15.0);
    return {scale, gamma * kRadiansToDegrees};
}

double TransverseMercator::DistanceFromCentralMeridian(double longitude) const
{
    return std::fabs(longitudeDifference(longitude, zone_.CentralMeridian, lambda0_)) * kRadiansToDegrees;
}

double ExpectedTmSeriesError(double degreesFromCentralMeridian)
{
    const double d = std::fabs(degreesFromCentralMeridian);
    if (std::isnan(d)) return d;
    if (d <= kSeriesErrors[1].degrees) return kSeriesErrors[1].metres;
    // Past the last step the error only grows faster: the last step's growth
    // carried on is a lower bound.
    std::size_t i = 2;
    while (i + 1 < kSeriesErrors.size() && d > kSeriesErrors[i].degrees) ++i;
    const ErrorStep& lo = kSeriesErrors[i - 1];
    const ErrorStep& hi = kSeriesErrors[i];
    const double f = (d - lo.degrees) / (hi.degrees - lo.degrees);
    return std::exp(std::log(lo.metres) + f * (std::log(hi.metres) - std::log(lo.metres)));
}

}  // namespace kartoval
