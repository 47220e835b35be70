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

#include <cmath>

namespace kartoval {
namespace {

// The powers of e and e'^2 that every function forms for itself.
struct Eccentricities {
    double e2;
    double e4;
    double e6;
    double ep2;  // second eccentricity squared

    explicit Eccentricities(double e)
        : e2(e * e), e4(e2 * e2), e6(e4 * e2), ep2(e2 / (1.0 - e2))
    {
    }
};

struct Footpoint {
    double phi1;
    double N1;
    double T1;
    double C1;
    double D;
};

Footpoint footpoint(double northing, double easting, double latitudeOfOrigin, double a, double falseEasting,
                    double scaleFactor, double e, double falseNorthing)
{
    const Eccentricities k(e);
    const double M = MeridianDistance(latitudeOfOrigin, a, e) + (northing - falseNorthing) / scaleFactor;
    const double mu = M / (a * (1.0 - k.e2 / 4.0 - 3.0 * k.e4 / 64.0 - 5.0 * k.e6 / 256.0));
    const double root = std::sqrt(1.0 - k.e2);
    const double e1 = (1.0 - root) / (1.0 + root);
    const double e1_2 = e1 * e1;
    const double e1_3 = e1_2 * e1;
    const double e1_4 = e1_3 * e1;
    const double phi1 = mu + (3.0 * e1 / 2.0 - 27.0 * e1_3 / 32.0) * std::sin(2.0 * mu) +
                        (21.0 * e1_2 / 16.0 - 55.0 * e1_4 / 32.0) * std::sin(4.0 * mu) +
                        (151.0 * e1_3 / 96.0) * std::sin(6.0 * mu) + (1097.0 * e1_4 / 512.0) * std::sin(8.0 * mu);
    const double sinPhi1 = std::sin(phi1);
    const double cosPhi1 = std::cos(phi1);
    const double tanPhi1 = std::tan(phi1);
    Footpoint f{};
    f.phi1 = phi1;
    f.N1 = a / std::sqrt(1.0 - e * e * sinPhi1 * sinPhi1);
    f.T1 = tanPhi1 * tanPhi1;
    f.C1 = k.ep2 * cosPhi1 * cosPhi1;
    f.D = (easting - falseEasting) / (f.N1 * scaleFactor);
    return f;
}

}  // namespace

double MeridianDistance(double latitude, double a, double e)
{
    const Eccentricities k(e);
    const double phi = latitude * kDegreesToRadians;
    // The multiple angles are formed straight from degrees.
    return a * ((1.0 - k.e2 / 4.0 - 3.0 * k.e4 / 64.0 - 5.0 * k.e6 / 256.0) * phi -
                (3.0 * k.e2 / 8.0 + 3.0 * k.e4 / 32.0 + 45.0 * k.e6 / 1024.0) * std::sin(latitude * kPi / 90.0) +
                (15.0 * k.e4 / 256.0 + 45.0 * k.e6 / 1024.0) * std::sin(latitude * kPi / 45.0) -
                (35.0 * k.e6 / 3072.0) * std::sin(latitude * kPi / 30.0));
}

double TmEasting(double longitude, double latitude, double centralMeridian, double a, double falseEasting,
                 double scaleFactor, double e)
{
    const Eccentricities k(e);
    const double phi = latitude * kDegreesToRadians;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double tanPhi = std::tan(phi);
    const double N = a / std::sqrt(1.0 - e * e * sinPhi * sinPhi);
    const double T = tanPhi * tanPhi;
    const double C = k.ep2 * cosPhi * cosPhi;
    const double A = LongitudeDifference(longitude, centralMeridian) * cosPhi;
    const double A3 = A * A * A;
    const double A5 = A3 * A * A;
    return falseEasting + scaleFactor * N *
                              (A + (1.0 - T + C) * A3 / 6.0 +
                               (5.0 - 18.0 * T + T * T + 72.0 * C - 58.0 * k.ep2) * A5 / 120.0);
}

double TmNorthing(double longitude, double latitude, double centralMeridian, double latitudeOfOrigin, double a,
                  double e, double falseNorthing, double scaleFactor)
{
    const Eccentricities k(e);
    const double phi = latitude * kDegreesToRadians;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double tanPhi = std::tan(phi);
    const double N = a / std::sqrt(1.0 - e * e * sinPhi * sinPhi);
    const double T = tanPhi * tanPhi;
    const double C = k.ep2 * cosPhi * cosPhi;
    const double A = LongitudeDifference(longitude, centralMeridian) * cosPhi;
    const double A2 = A * A;
    const double A4 = A2 * A2;
    const double A6 = A4 * A2;
    return falseNorthing +
           scaleFactor * (MeridianDistance(latitude, a, e) - MeridianDistance(latitudeOfOrigin, a, e) +
                          N * tanPhi *
                              (A2 / 2.0 + (5.0 - T + 9.0 * C + 4.0 * C * C) * A4 / 24.0 +
                               (61.0 - 58.0 * T + T * T + 600.0 * C - 330.0 * k.ep2) * A6 / 720.0));
}

double TmLatitude(double northing, double easting, double /*centralMeridian*/, double latitudeOfOrigin, double a,
                  double falseEasting, double scaleFactor, double e, double falseNorthing)
{
    const Eccentricities k(e);
    const Footpoint f =
        footpoint(northing, easting, latitudeOfOrigin, a, falseEasting, scaleFactor, e, falseNorthing);
    const double sinPhi1 = std::sin(f.phi1);
    const double R1 = a * (1.0 - k.e2) / std::pow(1.0 - e * e * sinPhi1 * sinPhi1, 1.5);
    const double D2 = f.D * f.D;
    const double D4 = D2 * D2;
    const double D6 = D4 * D2;
    const double phi =
        f.phi1 - (f.N1 * std::tan(f.phi1) / R1) *
                     (D2 / 2.0 - (5.0 + 3.0 * f.T1 + 10.0 * f.C1 - 4.0 * f.C1 * f.C1 - 9.0 * k.ep2) * D4 / 24.0 +
                      (61.0 + 90.0 * f.T1 + 298.0 * f.C1 + 45.0 * f.T1 * f.T1 - 252.0 * k.ep2 -
                       3.0 * f.C1 * f.C1) *
                          D6 / 720.0);
    return phi * kRadiansToDegrees;
}

double TmLongitude(double northing, double easting, double centralMeridian, double latitudeOfOrigin, double a,
                   double falseEasting, double scaleFactor, double e, double falseNorthing)
{
    const Eccentricities k(e);
    const Footpoint f =
        footpoint(northing, easting, latitudeOfOrigin, a, falseEasting, scaleFactor, e, falseNorthing);
    const double D3 = f.D * f.D * f.D;
    const double D5 = D3 * f.D * f.D;
    const double lambda =
        centralMeridian * kDegreesToRadians +
        (f.D - (1.0 + 2.0 * f.T1 + f.C1) * D3 / 6.0 +
         (5.0 - 2.0 * f.C1 + 28.0 * f.T1 - 3.0 * f.C1 * f.C1 + 8.0 * k.ep2 + 24.0 * f.T1 * f.T1) * D5 / 120.0) /
            std::cos(f.phi1);
    return NormalizeLongitude(lambda * kRadiansToDegrees);
}

}  // namespace kartoval
