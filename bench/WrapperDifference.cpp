// Largest difference between the projection functions as they stand and as
// they were before the projection objects (commit 0ca68fb: one function a
// coordinate, each forming its own constants), over every UTM zone of both
// hemispheres and every TM and Lambert zone of the shipped tables, 2000
// random points a zone. Built and run by bench/wrapper_difference.sh, which
// supplies the earlier functions in namespace kartoval::before.
//
//   wrapper_difference <data folder>

#include "geodesy/Angles.hpp"
#include "tests/support/ClassicProjectionFunctions.hpp"
#include "geodesy/LambertConic.hpp"
#include "geodesy/TransverseMercator.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/UtmZones.hpp"
#include "toolkit/Controls.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <variant>

namespace kartoval::before {
double TmEasting(double, double, double, double, double, double, double);
double TmNorthing(double, double, double, double, double, double, double, double);
double TmLatitude(double, double, double, double, double, double, double, double, double);
double TmLongitude(double, double, double, double, double, double, double, double, double);
double LccEasting(double, double, double, double, double, double, double, double, double, double);
double LccNorthing(double, double, double, double, double, double, double, double, double, double);
double LccLatitude(double, double, double, double, double, double, double, double, double, double);
double LccLongitude(double, double, double, double, double, double, double, double, double, double);
}  // namespace kartoval::before

namespace {

using namespace kartoval;

class NoMessages : public MessageBoxes {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
};

struct Largest {
    double Metres = 0.0;
    double Degrees = 0.0;
    long Same = 0;
    long Values = 0;
    void Grid(double now, double was, double metresPerUnit)
    {
        Metres = std::max(Metres, std::abs(now - was) * metresPerUnit);
        Same += now == was;
        ++Values;
    }
    void Angle(double now, double was)
    {
        Degrees = std::max(Degrees, std::abs(now - was));
        Same += now == was;
        ++Values;
    }
};

void compareTm(const EllipsoidParams& el, const TmParams& z, double metresPerUnit, double south, double north,
        std::mt19937_64& random, Largest& largest)
{
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const double a = el.SemiMajorAxis;
    const double e = el.Eccentricity;
    for (int i = 0; i < 2000; ++i) {
        const double lon = z.CentralMeridian - 4.5 + 9.0 * u(random);
        const double lat = south + (north - south) * u(random);
        const double x = before::TmEasting(lon, lat, z.CentralMeridian, a, z.FalseEasting, z.ScaleFactor, e);
        const double y = before::TmNorthing(lon, lat, z.CentralMeridian, z.LatitudeOfOrigin, a, e, z.FalseNorthing,
                                            z.ScaleFactor);
        largest.Grid(TmEasting(lon, lat, z.CentralMeridian, a, z.FalseEasting, z.ScaleFactor, e), x, metresPerUnit);
        largest.Grid(TmNorthing(lon, lat, z.CentralMeridian, z.LatitudeOfOrigin, a, e, z.FalseNorthing, z.ScaleFactor),
                     y, metresPerUnit);
        const auto args = [&](auto f) {
            return f(y, x, z.CentralMeridian, z.LatitudeOfOrigin, a, z.FalseEasting, z.ScaleFactor, e, z.FalseNorthing);
        };
        largest.Angle(args(TmLatitude), args(before::TmLatitude));
        largest.Angle(args(TmLongitude), args(before::TmLongitude));
    }
}

void compareLcc(const EllipsoidParams& el, const LccParams& z, double metresPerUnit, std::mt19937_64& random, Largest& largest)
{
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int i = 0; i < 2000; ++i) {
        const double lon = z.CentralMeridian + 6.0 * u(random);
        const double lat = z.LatitudeOfOrigin + 2.0 + 5.0 * u(random);
        const auto args = [&](auto f, double p, double q) {
            return f(p, q, el.Eccentricity, el.SemiMajorAxis, z.FalseEasting, z.FalseNorthing, z.FirstParallel,
                     z.SecondParallel, z.LatitudeOfOrigin, z.CentralMeridian);
        };
        const double x = args(before::LccEasting, lon, lat);
        const double y = args(before::LccNorthing, lon, lat);
        largest.Grid(args(LccEasting, lon, lat), x, metresPerUnit);
        largest.Grid(args(LccNorthing, lon, lat), y, metresPerUnit);
        largest.Angle(args(LccLatitude, x, y), args(before::LccLatitude, x, y));
        largest.Angle(args(LccLongitude, x, y), args(before::LccLongitude, x, y));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wrapper_difference <data folder>\n");
        return 2;
    }
    NoMessages messages;
    const Platform platform{messages, argv[1], '.'};
    const std::vector<Ellipsoid> ellipsoids = ReadEllipsoids(platform);
    std::mt19937_64 random(20040);
    Largest tmLargest;
    Largest lccLargest;
    for (int p = 0; p < kUtmZoneCount; ++p) {
        const EllipsoidParams el = EllipsoidInUnit(ellipsoids[static_cast<std::size_t>(p) % ellipsoids.size()],
                                                   GridUnit::Metre);
        compareTm(el, UtmZone(p, Hemisphere::North), 1.0, 0.0, 84.0, random, tmLargest);
        compareTm(el, UtmZone(p, Hemisphere::South), 1.0, -80.0, 0.0, random, tmLargest);
    }
    int zones = 0;
    for (const XyProjectionKind family : {XyProjectionKind::Nad27, XyProjectionKind::Nad83}) {
        for (const StatePlaneZone& zone : ReadStatePlaneZones(platform, family)) {
            const Ellipsoid& shape = ellipsoids[static_cast<std::size_t>(zones++) % ellipsoids.size()];
            const EllipsoidParams el = EllipsoidInUnit(shape, zone.Unit);
            const double metresPerUnit = 1.0 / GridUnitsPerMetre(zone.Unit);
            if (const auto* t = std::get_if<TmParams>(&zone.Projection)) {
                compareTm(el, *t, metresPerUnit, t->LatitudeOfOrigin, t->LatitudeOfOrigin + 10.0, random, tmLargest);
            } else if (const auto* l = std::get_if<LccParams>(&zone.Projection)) {
                compareLcc(el, *l, metresPerUnit, random, lccLargest);
            }
        }
    }
    for (const auto& [name, l] : {std::pair{"TM", tmLargest}, std::pair{"LCC", lccLargest}}) {
        std::printf("%-3s largest difference %.3g m, %.3g degree; %ld of %ld values bit for bit the same\n", name,
                    l.Metres, l.Degrees, l.Same, l.Values);
    }
    return 0;
}
