#pragma once
// The classic one-value-a-call projection functions (TmEasting, LccLatitude,
// ...), each building its projection object for one coordinate. The program
// converts through projection objects and the conversion core; tests, the
// fuzz targets and the benches keep these to hold the formulas against
// published values in the classic argument order.

#include "geodesy/LambertConic.hpp"
#include "geodesy/TransverseMercator.hpp"

namespace kartoval {

inline double TmEasting(double longitude, double latitude, double centralMeridian, double a, double falseEasting,
                 double scaleFactor, double e)
{
    return TransverseMercator({a, e}, {centralMeridian, 0.0, scaleFactor, falseEasting, 0.0})
        .Forward(longitude, latitude)
        .Easting;
}

inline double TmNorthing(double longitude, double latitude, double centralMeridian, double latitudeOfOrigin, double a,
                  double e, double falseNorthing, double scaleFactor)
{
    return TransverseMercator({a, e}, {centralMeridian, latitudeOfOrigin, scaleFactor, 0.0, falseNorthing})
        .Forward(longitude, latitude)
        .Northing;
}

inline double TmLatitude(double northing, double easting, double centralMeridian, double latitudeOfOrigin, double a,
                  double falseEasting, double scaleFactor, double e, double falseNorthing)
{
    return TransverseMercator({a, e}, {centralMeridian, latitudeOfOrigin, scaleFactor, falseEasting, falseNorthing})
        .Inverse(easting, northing)
        .Latitude;
}

inline double TmLongitude(double northing, double easting, double centralMeridian, double latitudeOfOrigin, double a,
                   double falseEasting, double scaleFactor, double e, double falseNorthing)
{
    return TransverseMercator({a, e}, {centralMeridian, latitudeOfOrigin, scaleFactor, falseEasting, falseNorthing})
        .Inverse(easting, northing)
        .Longitude;
}

inline double LccEasting(double longitude, double latitude, double e, double a, double falseEasting, double falseNorthing,
                  double firstParallel, double secondParallel, double latitudeOfOrigin, double centralMeridian)
{
    return LambertConformalConic({a, e}, {centralMeridian, latitudeOfOrigin, firstParallel, secondParallel,
                                          falseEasting, falseNorthing})
        .Forward(longitude, latitude)
        .Easting;
}

inline double LccNorthing(double longitude, double latitude, double e, double a, double falseEasting, double falseNorthing,
                   double firstParallel, double secondParallel, double latitudeOfOrigin, double centralMeridian)
{
    return LambertConformalConic({a, e}, {centralMeridian, latitudeOfOrigin, firstParallel, secondParallel,
                                          falseEasting, falseNorthing})
        .Forward(longitude, latitude)
        .Northing;
}

inline double LccLongitude(double easting, double northing, double e, double a, double falseEasting, double falseNorthing,
                    double firstParallel, double secondParallel, double latitudeOfOrigin, double centralMeridian)
{
    return LambertConformalConic({a, e}, {centralMeridian, latitudeOfOrigin, firstParallel, secondParallel,
                                          falseEasting, falseNorthing})
        .Inverse(easting, northing)
        .Longitude;
}

inline double LccLatitude(double easting, double northing, double e, double a, double falseEasting, double falseNorthing,
                   double firstParallel, double secondParallel, double latitudeOfOrigin, double centralMeridian)
{
    return LambertConformalConic({a, e}, {centralMeridian, latitudeOfOrigin, firstParallel, secondParallel,
                                          falseEasting, falseNorthing})
        .Inverse(easting, northing)
        .Latitude;
}

}  // namespace kartoval
