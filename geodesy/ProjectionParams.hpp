#pragma once
// The named parameter sets that the projections are built from and the
// points they carry. Each is its own type, so a TM zone can't be handed where
// an ellipsoid or a Lambert zone belongs, and a point's two coordinates
// travel together under their names.

namespace kartoval {

// The ellipsoid as the projections use it: the semi-major axis in the unit the
// grid values are wanted in, and the first eccentricity e (not its square).
struct EllipsoidParams {
    double SemiMajorAxis;
    double Eccentricity;
};

// A transverse Mercator zone: angles in degrees, false origin in the grid unit.
struct TmParams {
    double CentralMeridian;
    double LatitudeOfOrigin;
    double ScaleFactor;
    double FalseEasting;
    double FalseNorthing;
};

// A Lambert conformal conic zone with two standard parallels (equal for a
// tangent cone): angles in degrees, false origin in the grid unit.
struct LccParams {
    double CentralMeridian;
    double LatitudeOfOrigin;
    double FirstParallel;
    double SecondParallel;
    double FalseEasting;
    double FalseNorthing;
};

// Degrees, east and north positive.
struct GeoPoint {
    double Longitude;
    double Latitude;
};

// Grid unit.
struct GridPoint {
    double Easting;
    double Northing;
};

// The point scale factor k and the meridian convergence gamma in degrees:
// the angle from true north to grid north, clockwise (positive east of the
// central meridian in the northern hemisphere).
struct PointFactors {
    double Scale;
    double Convergence;
};

}  // namespace kartoval
