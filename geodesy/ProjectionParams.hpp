#pragma once
// The named parameter sets that the projections are built from and the
// points they carry. Each is its own type, so a TM zone can't be handed where
// an ellipsoid or a Lambert zone belongs, and a point's two coordinates
// travel together under their names.

#include <variant>

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

// A Hotine oblique Mercator zone, variant A (grid origin at the natural
// origin, where the initial line crosses the equator of the aposphere):
// angles in degrees, false origin in the grid unit.
struct OmParams {
    double CentreLatitude;
    double CentreLongitude;
    double Azimuth;               // of the initial line at the centre, east of north
    double RectifiedToSkewAngle;  // from the rectified grid to the skew grid
    double ScaleFactor;           // on the initial line
    double FalseEasting;
    double FalseNorthing;
};

// Any zone's projection and its parameters.
using ZoneParams = std::variant<TmParams, LccParams, OmParams>;

// Which transverse Mercator computes a TM zone: the classic series (the
// program's own numbers since its first version, good to a millimetre within
// 3.5 degrees of the central meridian) or Krueger's series to sixth order
// (the exact mapping to nanometres out to 35 degrees).
enum class TmEngine { Series, Exact };

// The engine's name as the status line and kartoval-convert say it.
[[nodiscard]] constexpr const char* TmEngineName(TmEngine engine)
{
    return engine == TmEngine::Exact ? "exact transverse Mercator (Krueger)" : "classic transverse Mercator series";
}

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
