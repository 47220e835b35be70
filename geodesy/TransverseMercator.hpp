#pragma once
// Transverse Mercator projection on the ellipsoid, closed series.
//
// Angles in decimal degrees (north and east positive); linear values
// (semi-major axis, false easting and northing, easting, northing) all in the
// one unit of the semi-major axis passed. e is the first eccentricity, not its
// square. The argument orders are the program's own and differ between the
// functions: read them with care.

namespace kartoval {

// Meridian distance from the equator to `latitude` (degrees), in the unit of a.
[[nodiscard]] double MeridianDistance(double latitude, double a, double e);

[[nodiscard]] double TmEasting(double longitude, double latitude, double centralMeridian, double a,
                               double falseEasting, double scaleFactor, double e);

[[nodiscard]] double TmNorthing(double longitude, double latitude, double centralMeridian,
                                double latitudeOfOrigin, double a, double e, double falseNorthing,
                                double scaleFactor);

// Latitude in degrees. The central meridian is taken and not used, so that
// both inverse functions share one argument list.
[[nodiscard]] double TmLatitude(double northing, double easting, double centralMeridian, double latitudeOfOrigin,
                                double a, double falseEasting, double scaleFactor, double e,
                                double falseNorthing);

// Longitude in degrees, in (-180, 180].
[[nodiscard]] double TmLongitude(double northing, double easting, double centralMeridian, double latitudeOfOrigin,
                                 double a, double falseEasting, double scaleFactor, double e,
                                 double falseNorthing);

}  // namespace kartoval
