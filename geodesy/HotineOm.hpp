#pragma once
// Hotine oblique Mercator, variant A: the grid's origin is the natural origin,
// where the initial line meets the aposphere's equator (PROJ's omerc with
// no_uoff), as Alaska zone 1 is defined.
//
// Angles in decimal degrees (north and east positive); the semi-major axis,
// false easting and northing and the grid values all in one unit.

#include "geodesy/ProjectionParams.hpp"

namespace kartoval {

class HotineOm {
public:
    HotineOm(const EllipsoidParams& ellipsoid, const OmParams& zone);

    [[nodiscard]] GridPoint Forward(double longitude, double latitude) const;
    // Longitude in (-180, 180].
    [[nodiscard]] GeoPoint Inverse(double easting, double northing) const;
    [[nodiscard]] PointFactors Factors(double longitude, double latitude) const;

    [[nodiscard]] const OmParams& Zone() const { return zone_; }

private:
    // Hotine's (u, v) on the initial line's frame and the terms of a point
    // that scale and convergence reuse.
    struct Skew {
        double u, v;
        double S, T, V, U, cosBl;
    };
    [[nodiscard]] Skew skew(double longitude, double latitude) const;
    // t, the tangent of half the conformal co-latitude, of a latitude in radians.
    [[nodiscard]] double tOf(double phi) const;

    OmParams zone_;
    double a_;
    double e_;
    double e2_;
    double A_, B_, H_;
    double gamma0_;          // radians: azimuth of the initial line at the aposphere's equator
    double sinGamma0_, cosGamma0_;
    double sinGammaC_, cosGammaC_;
    double lambda0Degrees_;  // longitude of the natural origin
};

}  // namespace kartoval
