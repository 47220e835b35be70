#pragma once
// Lambert conformal conic projection with two standard parallels.
//
// All four functions take the same ten arguments: the point (longitude and
// latitude going forward, easting and northing coming back), e (the first
// eccentricity, not its square), the semi-major axis a, the false easting and
// northing, the two standard parallels, the latitude of origin and the central
// meridian. Angles in decimal degrees, linear values in the unit of a. The
// cone must open northward (standard parallels north of the equator).

namespace kartoval {

[[nodiscard]] double LccEasting(double longitude, double latitude, double e, double a, double falseEasting,
                                double falseNorthing, double firstParallel, double secondParallel,
                                double latitudeOfOrigin, double centralMeridian);

[[nodiscard]] double LccNorthing(double longitude, double latitude, double e, double a, double falseEasting,
                                 double falseNorthing, double firstParallel, double secondParallel,
                                 double latitudeOfOrigin, double centralMeridian);

// Longitude in degrees, in (-180, 180].
[[nodiscard]] double LccLongitude(double easting, double northing, double e, double a, double falseEasting,
                                  double falseNorthing, double firstParallel, double secondParallel,
                                  double latitudeOfOrigin, double centralMeridian);

// Latitude in degrees.
[[nodiscard]] double LccLatitude(double easting, double northing, double e, double a, double falseEasting,
                                 double falseNorthing, double firstParallel, double secondParallel,
                                 double latitudeOfOrigin, double centralMeridian);

}  // namespace kartoval
