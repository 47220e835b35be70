#pragma once
// Transverse Mercator by Krueger's series in the third flattening n, carried
// to n^6: the "exact" engine, good to a few nanometres within 35 degrees of
// the central meridian (see KruegerTm.cpp). Finite within 80 degrees of it;
// beyond, the series grow without bound towards the mapping's own infinity
// on the equator 90 degrees out, and a result may be infinite, which the
// point checks of the commands refuse as no position.
//
// Angles in decimal degrees (north and east positive); the semi-major axis,
// false easting and northing and the grid values all in one unit.

#include "geodesy/ProjectionParams.hpp"

#include <array>

namespace kartoval {

class KruegerTm {
public:
    KruegerTm(const EllipsoidParams& ellipsoid, const TmParams& zone);

    [[nodiscard]] GridPoint Forward(double longitude, double latitude) const;
    // Longitude in (-180, 180].
    [[nodiscard]] GeoPoint Inverse(double easting, double northing) const;
    [[nodiscard]] PointFactors Factors(double longitude, double latitude) const;
    // Degrees (>= 0) between the longitude and the central meridian, the
    // shorter way round.
    [[nodiscard]] double DistanceFromCentralMeridian(double longitude) const;

    [[nodiscard]] const TmParams& Zone() const { return zone_; }

private:
    // A point on the conformal sphere and its spherical transverse Mercator.
    struct Conformal {
        double sinPhi, cosPhi;
        double sinChi, cosChi;       // chi the conformal latitude
        double sinLambda, cosLambda;
        double xi, eta;              // xi', eta', radians
        double s2, c2, sh2, ch2;     // sin 2xi', cos 2xi', sinh 2eta', cosh 2eta'
    };
    [[nodiscard]] Conformal conformal(double longitude, double latitude) const;

    TmParams zone_;
    double e_;
    double e2m_;            // 1 - e^2
    double lambda0_;        // radians
    double k0A_;            // k0 times the rectifying radius A
    double k0AOverA_;       // k0 A / a
    double y0_;             // grid northing of the latitude of origin on the central meridian, before k0 A
    std::array<double, 7> alpha_{};  // alpha[1..6], forward
    std::array<double, 7> beta_{};   // beta[1..6], inverse
    std::array<double, 7> toConformal_{};    // chi - phi = sum of these times sin 2j phi
    std::array<double, 7> fromConformal_{};  // phi - chi = sum of these times sin 2j chi
};

}  // namespace kartoval
