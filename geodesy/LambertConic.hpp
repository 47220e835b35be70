#pragma once
// Lambert conformal conic projection with two standard parallels.
//
// All four functions take the same ten arguments: the point (longitude and
// latitude going forward, easting and northing coming back), e (the first
// eccentricity, not its square), the semi-major axis a, the false easting and
// northing, the two standard parallels, the latitude of origin and the central
// meridian. Angles in decimal degrees, linear values in the unit of a. The
// functions are one-line wrappers over LambertConformalConic, which forms the
// cone's constants once: new code uses the object. Cones opening north, south
// (both standard parallels south of the equator) and tangent cones all work.

#include "geodesy/ProjectionParams.hpp"

namespace kartoval {

class LambertConformalConic {
public:
    LambertConformalConic(const EllipsoidParams& ellipsoid, const LccParams& zone);

    [[nodiscard]] GridPoint Forward(double longitude, double latitude) const;
    // Longitude in (-180, 180].
    [[nodiscard]] GeoPoint Inverse(double easting, double northing) const;
    [[nodiscard]] PointFactors Factors(double longitude, double latitude) const;

    [[nodiscard]] const LccParams& Zone() const { return zone_; }

private:
    LccParams zone_;
    double a_;
    double e_;
    double n_;       // cone constant, negative for a cone opening south
    double aF_;      // a F
    double rho0_;    // radius of the parallel of origin
    double lambda0_; // radians
};

}  // namespace kartoval
