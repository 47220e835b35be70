// The projection formulas on finite inputs inside their domain: ellipsoids of
// the Earth's size and shape, latitudes from pole to pole (the conic's far
// pole excepted, which the commands refuse), longitudes within a full turn of
// the central meridian, grid values within 10000 km of the false origin. Each
// result is a finite number, from the Tm*/Lcc* functions and from the
// projection objects alike (cones opening north or south, both transverse
// Mercator engines).

#include "geodesy/Angles.hpp"
#include "geodesy/GridProjection.hpp"
#include "tests/support/ClassicProjectionFunctions.hpp"
#include "geodesy/LambertConic.hpp"
#include "geodesy/TransverseMercator.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Reads the next 8 bytes as a fraction in [0, 1]; zero once the data runs out.
class Fractions {
public:
    Fractions(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    double Next()
    {
        std::uint64_t bits = 0;
        const std::size_t n = std::min<std::size_t>(8, size_ - used_);
        std::memcpy(&bits, data_ + used_, n);
        used_ += n;
        return static_cast<double>(bits) / 18446744073709551615.0;
    }
    double In(double low, double high) { return low + (high - low) * Next(); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

void expectFinite(double value, const char* what)
{
    if (!std::isfinite(value)) {
        std::fprintf(stderr, "%s is not finite: %g\n", what, value);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kartoval;
    Fractions f(data, size);
    // a in metres or US survey feet; inverse flattening of any Earth ellipsoid, and a sphere's huge one.
    const double a = f.In(6.3e6, 6.4e6) * (f.Next() < 0.5 ? 1.0 : 3.28083333333333);
    const double e = EccentricityFromInverseFlattening(f.In(250.0, 1e9));
    const double falseEasting = f.In(0.0, 3e6);
    const double falseNorthing = f.In(-1e7, 1e7);
    const double scale = f.In(0.9990, 1.0);
    const double centralMeridian = f.In(-180.0, 180.0);
    const double origin = f.In(-80.0, 80.0);

    const double latitude = f.In(-90.0, 90.0);
    const double longitude = centralMeridian + f.In(-360.0, 360.0);
    expectFinite(TmEasting(longitude, latitude, centralMeridian, a, falseEasting, scale, e), "TmEasting");
    expectFinite(TmNorthing(longitude, latitude, centralMeridian, origin, a, e, falseNorthing, scale), "TmNorthing");
    const double easting = falseEasting + f.In(-1e7, 1e7);
    const double northing = falseNorthing + f.In(-1e7, 1e7);
    expectFinite(TmLatitude(northing, easting, centralMeridian, origin, a, falseEasting, scale, e, falseNorthing),
                 "TmLatitude");
    expectFinite(TmLongitude(northing, easting, centralMeridian, origin, a, falseEasting, scale, e, falseNorthing),
                 "TmLongitude");

    // North cones: standard parallels and origin in the northern hemisphere.
    const double first = f.In(1.0, 89.0);
    const double second = f.In(1.0, 89.0);
    const double lccOrigin = f.In(0.0, 89.0);
    const double lccLatitude = f.In(-89.999, 90.0);
    expectFinite(LccEasting(longitude, lccLatitude, e, a, falseEasting, falseNorthing, first, second, lccOrigin,
                            centralMeridian),
                 "LccEasting");
    expectFinite(LccNorthing(longitude, lccLatitude, e, a, falseEasting, falseNorthing, first, second, lccOrigin,
                             centralMeridian),
                 "LccNorthing");
    expectFinite(LccLongitude(easting, northing, e, a, falseEasting, falseNorthing, first, second, lccOrigin,
                              centralMeridian),
                 "LccLongitude");
    expectFinite(LccLatitude(easting, northing, e, a, falseEasting, falseNorthing, first, second, lccOrigin,
                             centralMeridian),
                 "LccLatitude");

    // The objects a run uses, with the scale factor and convergence; a cone
    // opening south is a north one mirrored, its far pole the north pole.
    const EllipsoidParams ellipsoid{a, e};
    const GridProjection tm(ellipsoid, TmParams{centralMeridian, origin, scale, falseEasting, falseNorthing});
    const double side = f.Next() < 0.5 ? 1.0 : -1.0;
    const GridProjection lcc(ellipsoid, LccParams{centralMeridian, side * lccOrigin, side * first, side * second,
                                                  falseEasting, falseNorthing});
    const auto expectPoint = [&](const GridProjection& projection, double lat, const char* what) {
        const GridPoint grid = projection.Forward(longitude, lat);
        expectFinite(grid.Easting, what);
        expectFinite(grid.Northing, what);
        const PointFactors factors = projection.Factors(longitude, lat);
        expectFinite(factors.Scale, what);
        expectFinite(factors.Convergence, what);
        const GeoPoint back = projection.Inverse(easting, northing);
        expectFinite(back.Longitude, what);
        expectFinite(back.Latitude, what);
    };
    expectPoint(tm, latitude, "the TM object");
    // The exact engine within 80 degrees of its meridian: its series grow as
    // cosh 12 eta' and the mapping itself is infinite on the equator at 90.
    const GridProjection exact(ellipsoid, TmParams{centralMeridian, origin, scale, falseEasting, falseNorthing},
                               TmEngine::Exact);
    if (std::fabs(std::remainder(longitude - centralMeridian, 360.0)) <= 80.0) {
        expectPoint(exact, latitude, "the exact TM object");
    }
    expectPoint(lcc, side * lccLatitude, "the cone object");
    return 0;
}
