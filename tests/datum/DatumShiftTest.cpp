// The datum shift against PROJ's cs2cs with the same grids, in each region
// and both directions, and the refusals: outside every grid, grid missing,
// datums that no grid connects.

#include "Cs2cs.hpp"
#include "datum/DatumShift.hpp"
#include "support/RowNames.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>

namespace kartoval::testing {
namespace {

using ::testing::HasSubstr;
using kartoval::testing::PrintTo;

// Same grid, same bilinear interpolation: only the degree/radian rounding
// differs, far below 1e-9 degree (0.1 mm).
constexpr double kDegreeTolerance = 1e-9;

struct ShiftRow {
    const char* name;
    GeodeticDatum datum;
    double latitude;   // degrees on the older datum
    double longitude;
    const char* grid;
};

const ShiftRow kShiftRows[] = {
    {"conus_grid_check_value", GeodeticDatum::Nad27, 35.0, -100.0, "us_noaa_conus.tif"},
    {"conus_new_york", GeodeticDatum::Nad27, 40.7, -74.0, "us_noaa_conus.tif"},
    {"conus_seattle", GeodeticDatum::Nad27, 47.6, -122.3, "us_noaa_conus.tif"},
    {"conus_miami", GeodeticDatum::Nad27, 25.8, -80.2, "us_noaa_conus.tif"},
    {"alaska_anchorage", GeodeticDatum::Nad27, 61.2, -149.9, "us_noaa_alaska.tif"},
    {"alaska_fairbanks", GeodeticDatum::Nad27, 64.8, -147.7, "us_noaa_alaska.tif"},
    {"alaska_adak", GeodeticDatum::Nad27, 51.9, -176.6, "us_noaa_alaska.tif"},
    // East of 180: the Alaska grid runs from -194 degrees, so longitudes wrap.
    {"alaska_attu_east_of_antimeridian", GeodeticDatum::Nad27, 52.9, 173.2, "us_noaa_alaska.tif"},
    {"hawaii_honolulu", GeodeticDatum::OldHawaiian, 21.3, -157.85, "us_noaa_hawaii.tif"},
    {"hawaii_hilo", GeodeticDatum::OldHawaiian, 19.7, -155.1, "us_noaa_hawaii.tif"},
    {"prvi_san_juan", GeodeticDatum::PuertoRico, 18.45, -66.1, "us_noaa_prvi.tif"},
    {"prvi_st_croix", GeodeticDatum::PuertoRico, 17.75, -64.7, "us_noaa_prvi.tif"},
    {"st_george_island", GeodeticDatum::StGeorge, 56.6, -169.55, "us_noaa_stgeorge.tif"},
    {"st_lawrence_island", GeodeticDatum::StLawrence, 63.78, -171.74, "us_noaa_stlrnc.tif"},
    {"st_paul_island", GeodeticDatum::StPaul, 57.15, -170.25, "us_noaa_stpaul.tif"},
};

std::string epsg(GeodeticDatum datum)
{
    return "EPSG:" + std::to_string(DatumGeographicCode(datum));
}

class ShiftAgainstCs2cs : public ::testing::TestWithParam<ShiftRow> {};

TEST_P(ShiftAgainstCs2cs, BothDirectionsEqualCs2csWithTheSameGrid)
{
    if (!Cs2csInstalled()) GTEST_SKIP() << "cs2cs (Debian package proj-bin) is not installed";
    const ShiftRow& row = GetParam();
    DatumShifter shifter(ProgramGridFolder());

    const auto forward = RunCs2cs(epsg(row.datum), "EPSG:4269", {{row.latitude, row.longitude}});
    ASSERT_EQ(forward.size(), 1u) << "cs2cs failed";
    const DatumShiftResult to83 = shifter.Shift(row.datum, GeodeticDatum::Nad83, row.longitude, row.latitude);
    EXPECT_EQ(to83.Grid, row.grid);
    EXPECT_NEAR(to83.Latitude, forward[0].first, kDegreeTolerance);
    EXPECT_NEAR(to83.Longitude, forward[0].second, kDegreeTolerance);

    const auto inverse = RunCs2cs("EPSG:4269", epsg(row.datum), forward);
    ASSERT_EQ(inverse.size(), 1u) << "cs2cs failed";
    const DatumShiftResult back =
        shifter.Shift(GeodeticDatum::Nad83, row.datum, forward[0].second, forward[0].first);
    EXPECT_EQ(back.Grid, row.grid);
    EXPECT_NEAR(back.Latitude, inverse[0].first, kDegreeTolerance);
    EXPECT_NEAR(back.Longitude, inverse[0].second, kDegreeTolerance);
    // Round trip home: the inverse is PROJ's iteration of the same grid.
    EXPECT_NEAR(back.Latitude, row.latitude, kDegreeTolerance);
    EXPECT_NEAR(back.Longitude, row.longitude, kDegreeTolerance);
}

INSTANTIATE_TEST_SUITE_P(Regions, ShiftAgainstCs2cs, ::testing::ValuesIn(kShiftRows),
                         [](const auto& info) { return std::string(info.param.name); });

// Without the grids cs2cs quietly falls back to a three-parameter shift about
// 3 m away (35.000081672 -100.000388755); every comparison above would then be
// against the wrong answer.
TEST(Cs2csReference, UsesTheShippedGridNotItsFallback)
{
    if (!Cs2csInstalled()) GTEST_SKIP() << "cs2cs (Debian package proj-bin) is not installed";
    const auto shifted = RunCs2cs("EPSG:4267", "EPSG:4269", {{35.0, -100.0}});
    ASSERT_EQ(shifted.size(), 1u) << "cs2cs failed";
    // The grid README's value, printed to 9 decimals.
    ASSERT_NEAR(shifted[0].first, 35.000052786, 5e-10)
        << "cs2cs did not find the grids in " << KARTOVAL_RUNTIME_DIR << "/grids: the comparison is void";
    ASSERT_NEAR(shifted[0].second, -100.000384072, 5e-10);
}

TEST(ShiftMetres, MatchesGeodesicDistanceOnGrs1980)
{
    // GeodSolve -i -e 6378137 1/298.257222101, split by the mean azimuth;
    // tolerance 1 mm, the reported precision.
    const DatumShiftResult texas =
        DatumShifter(ProgramGridFolder()).Shift(GeodeticDatum::Nad27, GeodeticDatum::Nad83, -100.0, 35.0);
    EXPECT_NEAR(texas.NorthMetres, 5.8561, 1e-3);
    EXPECT_NEAR(texas.EastMetres, -35.0612, 1e-3);
    const ShiftMetres hawaii = ShiftInMetres(-157.85, 21.3, -157.8472574881, 21.2968360278);
    EXPECT_NEAR(hawaii.North, -350.3179, 1e-3);
    EXPECT_NEAR(hawaii.East, 284.5695, 1e-3);
}

struct RefusedRow {
    const char* name;
    GeodeticDatum from;
    GeodeticDatum to;
    double latitude;
    double longitude;
    const char* named;  // what the message must name
};

const RefusedRow kOutsideRows[] = {
    // cs2cs gives NAD27 in Hawaii a silent null shift; it is no NAD27 place.
    {"nad27_in_hawaii", GeodeticDatum::Nad27, GeodeticDatum::Nad83, 21.3, -157.85, "latitude 21.3, longitude -157.85"},
    {"nad27_in_the_gulf_of_guinea", GeodeticDatum::Nad27, GeodeticDatum::Nad83, 0.0, 0.0, "us_noaa_alaska.tif"},
    {"nad83_to_nad27_in_europe", GeodeticDatum::Nad83, GeodeticDatum::Nad27, 48.5, 2.25, "latitude 48.5, longitude 2.25"},
    {"old_hawaiian_in_texas", GeodeticDatum::OldHawaiian, GeodeticDatum::Nad83, 35.0, -100.0, "us_noaa_hawaii.tif"},
};

class OutsideEveryGrid : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(OutsideEveryGrid, IsRefusedNamingThePoint)
{
    const RefusedRow& row = GetParam();
    DatumShifter shifter(ProgramGridFolder());
    try {
        (void)shifter.Shift(row.from, row.to, row.longitude, row.latitude);
        FAIL() << "shifted a point outside every grid";
    } catch (const OutsideGridError& error) {
        EXPECT_THAT(error.what(), HasSubstr(row.named));
    }
}

INSTANTIATE_TEST_SUITE_P(Points, OutsideEveryGrid, ::testing::ValuesIn(kOutsideRows),
                         [](const auto& info) { return std::string(info.param.name); });

// No grid is asked about what is no position at all.
TEST(OffTheEarth, IsRefusedAsNoPositionNotAsOutsideTheGrids)
{
    DatumShifter shifter(ProgramGridFolder());
    for (const double latitude : {95.0, -90.5, std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(latitude);
        try {
            (void)shifter.Shift(GeodeticDatum::Nad27, GeodeticDatum::Nad83, -100.0, latitude);
            FAIL() << "shifted latitude " << latitude;
        } catch (const PointRangeError& error) {
            EXPECT_THAT(error.what(), HasSubstr("is not a position on the Earth"));
        }
    }
}

// Points that shift and must come back to themselves: the shift carries a
// point just inside a grid's west or south edge out of the grid, which PROJ's
// inverse once refused; near 131 W, where the conterminous and Alaska grids
// overlap, the way back once took the other grid and missed by 1.3e-7 degree.
// A round trip loses only PROJ's iteration and rounding: 1e-11 degree (1 um).
struct RoundTripRow {
    const char* name;
    GeodeticDatum datum;
    double latitude;  // degrees on the older datum, 1e-4 degree inside the edge
    double longitude;
    const char* grid;
};

const RoundTripRow kEdgeRows[] = {
    {"conus_west_edge_in_the_overlap", GeodeticDatum::Nad27, 48.05, -130.9999, "us_noaa_conus.tif"},
    {"conus_west_edge_off_oregon", GeodeticDatum::Nad27, 44.0, -130.9999, "us_noaa_conus.tif"},
    {"conus_south_edge", GeodeticDatum::Nad27, 20.0001, -90.0, "us_noaa_conus.tif"},
    {"alaska_south_edge", GeodeticDatum::Nad27, 46.0001, -150.0, "us_noaa_alaska.tif"},
    {"alaska_west_edge_east_of_antimeridian", GeodeticDatum::Nad27, 55.0, 166.0001, "us_noaa_alaska.tif"},
    {"hawaii_west_edge", GeodeticDatum::OldHawaiian, 20.0, -160.9999, "us_noaa_hawaii.tif"},
    {"prvi_south_edge", GeodeticDatum::PuertoRico, 17.0001, -66.0, "us_noaa_prvi.tif"},
    {"st_george_west_edge", GeodeticDatum::StGeorge, 56.5, -170.9999, "us_noaa_stgeorge.tif"},
};

class EdgeRoundTrip : public ::testing::TestWithParam<RoundTripRow> {};

TEST_P(EdgeRoundTrip, ComesBackByTheSameGrid)
{
    const RoundTripRow& row = GetParam();
    DatumShifter shifter(ProgramGridFolder());
    const DatumShiftResult there = shifter.Shift(row.datum, GeodeticDatum::Nad83, row.longitude, row.latitude);
    const DatumShiftResult back = shifter.Shift(GeodeticDatum::Nad83, row.datum, there.Longitude, there.Latitude);
    EXPECT_EQ(there.Grid, row.grid);
    EXPECT_EQ(back.Grid, row.grid);
    EXPECT_NEAR(back.Latitude, row.latitude, 1e-11);
    EXPECT_NEAR(back.Longitude, row.longitude, 1e-11);
}

INSTANTIATE_TEST_SUITE_P(Points, EdgeRoundTrip, ::testing::ValuesIn(kEdgeRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridFiles, AMissingGridIsNamedEvenWhenPROJCouldFindAnother)
{
    TempFolder folder;
    std::filesystem::copy_file(ProgramGridFolder() / "us_noaa_conus.tif", folder.Path / "us_noaa_conus.tif");
    std::filesystem::copy_file(ProgramGridFolder() / "SHA256SUMS", folder.Path / "SHA256SUMS");
    // A complete grid folder on PROJ's usual path must not stand in for ours.
    ::setenv("PROJ_DATA", ProgramGridFolder().c_str(), 1);
    DatumShifter shifter(folder.Path);
    EXPECT_EQ(shifter.Shift(GeodeticDatum::Nad27, GeodeticDatum::Nad83, -100.0, 35.0).Grid, "us_noaa_conus.tif");
    try {
        (void)shifter.Shift(GeodeticDatum::Nad27, GeodeticDatum::Nad83, -149.9, 61.2);
        FAIL() << "shifted Anchorage without the Alaska grid";
    } catch (const GridFileError& error) {
        EXPECT_THAT(error.what(), HasSubstr((folder.Path / "us_noaa_alaska.tif").string()));
    }
    ::unsetenv("PROJ_DATA");
}

TEST(GridPath, DatumsThatNoGridConnectsAreRefusedSayingWhy)
{
    DatumShifter shifter(ProgramGridFolder());
    EXPECT_THROW((void)shifter.Shift(GeodeticDatum::Wgs84, GeodeticDatum::Nad27, -100.0, 35.0), NoGridPathError);
    EXPECT_THROW((void)shifter.Shift(GeodeticDatum::OldHawaiian, GeodeticDatum::Nad27, -157.85, 21.3),
                 NoGridPathError);
    EXPECT_THAT(NoGridPathReason(GeodeticDatum::Nad27, GeodeticDatum::Wgs84), HasSubstr("WGS 84"));
    EXPECT_EQ(shifter.Shift(GeodeticDatum::Nad83, GeodeticDatum::Nad83, -100.0, 35.0).Longitude, -100.0);
}

}  // namespace
}  // namespace kartoval::testing
