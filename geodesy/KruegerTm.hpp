#pragma once
// Transverse Mercator by Krueger's series in the third flattening n, carried
// to n^6: the "exact" engine, good to a few nanometres within 35 degrees of
// the central meridian (see KruegerTm.cpp).
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
    struct Conformal {
        double xi;   // xi', eta': the sphere's transverse Mercator of the conformal sphere, radians
        double eta;
        double tau;  // tan phi
        double taup; // tan of the conformal latitude
        double cosLambda;
        double sinLambda;
    };
    [[nodiscard]] Conformal conformal(double longitude, double latitude) const;
    [[nodiscard]] double tauOf(double taup) const;

    TmParams zone_;
    double e_;
    double e2m_;            // 1 - e^2
    double lambda0_;        // radians
    double k0A_;            // k0 times the rectifying radius A
    double k0AOverA_;       // k0 A / a
    double y0_;             // grid northing of the latitude of origin on the central meridian, before k0 A
    std::array<double, 7> alpha_{};  // alpha[1..6], forward
    std::array<double, 7> beta_{};   // beta[1..6], inverse
};

}  // namespace kartoval
