// Times the projections alone, per point: Kartoval's TransverseMercator (the
// classic series), KruegerTm (the exact engine) and LambertConformalConic
// against PROJ (through its C API, proj_trans_generic
// over the whole array) on the same points in the same run, both ways.
//
//   kartoval_projection_bench [--points N] [--repeats R]
//
// TM and TM exact: UTM zone 29 on WGS 84, both against PROJ's default tmerc
// (its exact algorithm), points 12W to 6W, 0 to 84N. LCC: Pennsylvania
// North of 1983 (metres, GRS 1980), points 80.5W to 74.5W, 39.5N to 42.5N.
// Each figure is the fastest of R passes over the N points, in CPU time, so
// the other users of a shared machine disturb it as little as they can.
// PROJ converts in place: its passes include copying the input into the
// working arrays (under 1 ns a point).

#include "geodesy/Angles.hpp"
#include "geodesy/KruegerTm.hpp"
#include "geodesy/LambertConic.hpp"
#include "geodesy/TransverseMercator.hpp"
#include "refdata/UtmZones.hpp"

#include <proj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace kartoval;

struct Case {
    const char* Name;
    const char* ProjDefinition;
    double West, East, South, North;  // degrees
};

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The fastest of `repeats` passes of `pass`, in nanoseconds a point.
template <class Pass>
double fastestNs(int repeats, std::size_t points, Pass pass)
{
    double best = std::numeric_limits<double>::infinity();
    for (int r = 0; r < repeats; ++r) {
        const double start = cpuSeconds();
        pass();
        best = std::min(best, (cpuSeconds() - start) * 1e9 / static_cast<double>(points));
    }
    return best;
}

struct Row {
    std::string Name;
    double Kartoval;
    double Proj;
};

// PROJ's grid of the same points: the check that both sides did the same work.
double largestDifference(const std::vector<double>& a, const std::vector<double>& b)
{
    double d = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) d = std::max(d, std::abs(a[i] - b[i]));
    return d;
}

template <class Projection>
void measure(const Case& c, const Projection& projection, std::size_t points, int repeats, std::vector<Row>& rows)
{
    std::mt19937_64 random(20040);
    std::uniform_real_distribution<double> lon(c.West, c.East);
    std::uniform_real_distribution<double> lat(c.South, c.North);
    std::vector<double> lons(points), lats(points), eastings(points), northings(points);
    for (std::size_t i = 0; i < points; ++i) {
        lons[i] = lon(random);
        lats[i] = lat(random);
    }

    PJ* pj = proj_create(PJ_DEFAULT_CTX, c.ProjDefinition);
    if (pj == nullptr) {
        std::fprintf(stderr, "PROJ refused %s\n", c.ProjDefinition);
        std::exit(1);
    }
    // PROJ works in radians: turned once, before any clock starts.
    std::vector<double> radLon(points), radLat(points);
    for (std::size_t i = 0; i < points; ++i) {
        radLon[i] = lons[i] * kDegreesToRadians;
        radLat[i] = lats[i] * kDegreesToRadians;
    }
    std::vector<double> px(points), py(points);

    const double kForward = fastestNs(repeats, points, [&] {
        for (std::size_t i = 0; i < points; ++i) {
            const GridPoint g = projection.Forward(lons[i], lats[i]);
            eastings[i] = g.Easting;
            northings[i] = g.Northing;
        }
    });
    const double pForward = fastestNs(repeats, points, [&] {
        px = radLon;
        py = radLat;
        proj_trans_generic(pj, PJ_FWD, px.data(), sizeof(double), points, py.data(), sizeof(double), points,
                           nullptr, 0, 0, nullptr, 0, 0);
    });
    const double gridDifference = std::max(largestDifference(px, eastings), largestDifference(py, northings));

    std::vector<double> backLon(points), backLat(points);
    const double kInverse = fastestNs(repeats, points, [&] {
        for (std::size_t i = 0; i < points; ++i) {
            const GeoPoint p = projection.Inverse(eastings[i], northings[i]);
            backLon[i] = p.Longitude;
            backLat[i] = p.Latitude;
        }
    });
    const double pInverse = fastestNs(repeats, points, [&] {
        px = eastings;
        py = northings;
        proj_trans_generic(pj, PJ_INV, px.data(), sizeof(double), points, py.data(), sizeof(double), points,
                           nullptr, 0, 0, nullptr, 0, 0);
    });
    for (std::size_t i = 0; i < points; ++i) {
        px[i] *= kRadiansToDegrees;
        py[i] *= kRadiansToDegrees;
    }
    const double degreeDifference = std::max(largestDifference(px, backLon), largestDifference(py, backLat));
    proj_destroy(pj);

    std::printf("%s: largest difference from PROJ %.2g m going forward, %.2g degree coming back\n", c.Name,
                gridDifference, degreeDifference);
    rows.push_back({std::string(c.Name) + " forward", kForward, pForward});
    rows.push_back({std::string(c.Name) + " inverse", kInverse, pInverse});
}

int run(int argc, char** argv)
{
    std::size_t points = 40000;
    int repeats = 25;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--points" && i + 1 < argc) {
            points = static_cast<std::size_t>(std::max(1, std::atoi(argv[++i])));
        } else if (arg == "--repeats" && i + 1 < argc) {
            repeats = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: kartoval_projection_bench [--points N] [--repeats R]\n");
            return 2;
        }
    }
    const PJ_INFO info = proj_info();
    std::printf("PROJ %s; %zu points, fastest of %d passes, CPU time\n", info.release, points, repeats);

    const EllipsoidParams wgs84{6378137.0, EccentricityFromInverseFlattening(298.257223563)};
    const EllipsoidParams grs80{6378137.0, EccentricityFromInverseFlattening(298.257222101)};
    std::vector<Row> rows;
    measure(Case{"TM", "+proj=utm +zone=29 +ellps=WGS84", -12.0, -6.0, 0.0, 84.0},
            TransverseMercator(wgs84, UtmZone(28, Hemisphere::North)), points, repeats, rows);
    measure(Case{"TM exact", "+proj=utm +zone=29 +ellps=WGS84", -12.0, -6.0, 0.0, 84.0},
            KruegerTm(wgs84, UtmZone(28, Hemisphere::North)), points, repeats, rows);
    measure(Case{"LCC",
                 "+proj=lcc +lat_1=41.95 +lat_2=40.8833333333333 +lat_0=40.1666666666667 +lon_0=-77.75 "
                 "+x_0=600000 +y_0=0 +ellps=GRS80",
                 -80.5, -74.5, 39.5, 42.5},
            LambertConformalConic(grs80, {-77.75, 40.1666666666667, 41.95, 40.8833333333333, 600000.0, 0.0}),
            points, repeats, rows);

    std::printf("%-18s %14s %14s %16s\n", "", "Kartoval ns", "PROJ ns", "Kartoval / PROJ");
    for (const Row& row : rows) {
        std::printf("%-18s %14.1f %14.1f %16.2f\n", row.Name.c_str(), row.Kartoval, row.Proj, row.Kartoval / row.Proj);
    }
    for (const Row& row : rows) {
        std::string key = row.Name;
        std::replace(key.begin(), key.end(), ' ', '_');
        std::printf("RESULT %s_ns=%.1f %s_proj_ns=%.1f\n", key.c_str(), row.Kartoval, key.c_str(), row.Proj);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return run(argc, argv); }
