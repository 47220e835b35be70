// State Plane 27 -> 83 through the shift against cs2cs between the two zones'
// EPSG codes, both ways; and the "Datum Shift" page's command over fake controls.

#include "Cs2cs.hpp"
#include "conversion/ConversionRoute.hpp"
#include "datum/GridShiftEngine.hpp"
#include "refdata/Ellipsoids.hpp"
#include "datum/DatumShiftPage.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "support/RowNames.hpp"
#include "toolkit/NumberText.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace kartoval::testing {
namespace {

using ::testing::HasSubstr;

constexpr double kMillimetre = 0.001;                                      // metres
constexpr double kMillimetreInFeet = kMillimetre * kUsSurveyFeetPerMetre;  // US survey feet

struct ZoneRow {
    const char* name;
    const char* zone27;  // nad27.txt name
    int epsg27;
    const char* zone83;  // nad83.txt name
    int epsg83;
    int geographic27;    // EPSG code of the older datum's degrees
    double latitude;     // a point in the zone, degrees on the older datum
    double longitude;
};

const ZoneRow kZoneRows[] = {
    {"texas_south_central_lambert", "Texas South Central", 32040, "Texas South Central", 32140, 4267, 29.76, -95.37},
    {"new_york_east_tm", "New York East", 32015, "New York East", 32115, 4267, 40.75, -73.95},
    // Clarke 1866 enlarged for Michigan's cones, NAD27 degrees all the same.
    {"michigan_south_lambert", "Michigan South", 6202, "Michigan South", 26990, 4267, 42.3, -83.05},
    {"alaska_zone_4_tm", "Alaska zone 4", 26734, "Alaska zone 4", 26934, 4267, 61.2, -149.9},
    {"hawaii_zone_3_old_hawaiian", "Hawaii zone 3", 3563, "Hawaii zone 3", 26963, 4135, 21.3, -157.85},
    {"st_croix_to_puerto_rico", "St. Croix", 3992, "Puerto Rico & Virgin Is.", 32161, 4139, 17.75, -64.7},
};

class ZonesAcrossDatums : public ::testing::TestWithParam<ZoneRow> {
protected:
    FakeMessages messages;
    Platform platform{messages, KARTOVAL_RUNTIME_DIR, '.'};

    CoordinateSide side(XyProjectionKind family, const std::string& name)
    {
        for (const StatePlaneZone& zone : ReadStatePlaneZones(platform, family)) {
            if (zone.Name == name) return StatePlaneSide(family, zone);
        }
        ADD_FAILURE() << name << " is not in the zone table";
        return DegreesSide(GeodeticDatum::Nad83);
    }
};

TEST_P(ZonesAcrossDatums, MatchCs2csBetweenTheZonesToAMillimetre)
{
    if (!Cs2csInstalled()) GTEST_SKIP() << "cs2cs (Debian package proj-bin) is not installed";
    const ZoneRow& row = GetParam();
    const std::string from = "EPSG:" + std::to_string(row.epsg27);
    const std::string to = "EPSG:" + std::to_string(row.epsg83);
    const auto grid27 = RunCs2cs("EPSG:" + std::to_string(row.geographic27), from, {{row.latitude, row.longitude}});
    ASSERT_EQ(grid27.size(), 1u) << "cs2cs failed";
    const auto grid83 = RunCs2cs(from, to, grid27);
    const auto back27 = RunCs2cs(to, from, grid83);
    ASSERT_EQ(grid83.size(), 1u) << "cs2cs failed";
    ASSERT_EQ(back27.size(), 1u) << "cs2cs failed";

    DatumShifter shifter(KARTOVAL_RUNTIME_DIR / std::filesystem::path(kGridFolderName));
    GridShiftEngine engine(shifter);
    const CoordinateSide side27 = side(XyProjectionKind::Nad27, row.zone27);
    const CoordinateSide side83 = side(XyProjectionKind::Nad83, row.zone83);
    const std::vector<Ellipsoid> table = ReadEllipsoids(platform);
    const PointResult forward =
        ConversionRoute(side27, side83, table, engine, platform).Convert(grid27[0].first, grid27[0].second);
    EXPECT_NEAR(forward.X, grid83[0].first, kMillimetre);
    EXPECT_NEAR(forward.Y, grid83[0].second, kMillimetre);
    const PointResult inverse =
        ConversionRoute(side83, side27, table, engine, platform).Convert(grid83[0].first, grid83[0].second);
    EXPECT_NEAR(inverse.X, back27[0].first, kMillimetreInFeet);
    EXPECT_NEAR(inverse.Y, back27[0].second, kMillimetreInFeet);
}

INSTANTIATE_TEST_SUITE_P(Zones, ZonesAcrossDatums, ::testing::ValuesIn(kZoneRows),
                         [](const auto& info) { return std::string(info.param.name); });

class DatumPageTest : public ::testing::Test {
protected:
    FakeMessages messages;
    Platform platform{messages, KARTOVAL_RUNTIME_DIR, '.'};
    FakeList box27, box83;
    FakeText lab27XLat, edit27XLat, lab27YLon, edit27YLon, lab83XLat, edit83XLat, lab83YLon, edit83YLon;
    DatumShiftPage page{box27, lab27XLat, edit27XLat, lab27YLon, edit27YLon,
                        box83, lab83XLat, edit83XLat, lab83YLon, edit83YLon};
    DatumShifter shifter{KARTOVAL_RUNTIME_DIR / std::filesystem::path(kGridFolderName)};

    void select(FakeList& box, DatumPageSide side, const std::string& item)
    {
        for (std::size_t i = 0; i < box.Items.size(); ++i) {
            if (box.Items[i] == item) box.Index = static_cast<int>(i);
        }
        DatumSideChanged(page, side, platform);
    }
};

TEST_F(DatumPageTest, GeographicNad27ToTexasSouthCentralInMetresAndBack)
{
    FillDatumShiftPage(page, platform);
    EXPECT_EQ(lab27XLat.Text, "Latitude:");
    select(box83, DatumPageSide::Nad83, "Texas South Central");
    EXPECT_EQ(lab83XLat.Text, "X (m):");
    edit27XLat.Text = "29.76";
    edit27YLon.Text = "-95.37";
    const DatumShiftOutcome there = ButNad27ToNad83Click(page, platform, shifter);
    EXPECT_EQ(there.Shift.Grid, "us_noaa_conus.tif");
    EXPECT_THAT(DatumShiftStatus(there), HasSubstr("Shifted with us_noaa_conus.tif: "));
    EXPECT_THAT(DatumShiftStatus(there), HasSubstr("(NAD27 geographic -> NAD83 Texas South Central)"));

    // Back: the typed degrees again, within what the metres shown to 3
    // decimals hold (half a millimetre is 5e-9 degree).
    edit27XLat.Text.clear();
    edit27YLon.Text.clear();
    (void)ButNad83ToNad27Click(page, platform, shifter);
    EXPECT_NEAR(StrToFloat(edit27XLat.Text), 29.76, 1e-8);
    EXPECT_NEAR(StrToFloat(edit27YLon.Text), -95.37, 1e-8);
}

// The window's engine reaches this page: Michigan West of 1927 at 5 degrees
// from its meridian, where the classic series is 28 mm (3.6e-7 degree) off
// coming back. cs2cs EPSG:5625 EPSG:4267 gives 43.8280704072 -83.0660999896
// for X 2000000, Y 900000; from the grid and from those degrees the page must
// land on the same NAD83 point, within their 10 printed decimals (1e-9 degree).
TEST_F(DatumPageTest, ExactEngineTakesMichiganWestBackAsCs2csDoes)
{
    FillDatumShiftPage(page, platform);
    select(box83, DatumPageSide::Nad83, "Geographic");
    select(box27, DatumPageSide::Nad27, "Michigan West");
    edit27XLat.Text = "2000000";
    edit27YLon.Text = "900000";
    (void)ButNad27ToNad83Click(page, platform, shifter, TmEngine::Exact);
    const double latitude = StrToFloat(edit83XLat.Text);
    const double longitude = StrToFloat(edit83YLon.Text);
    select(box27, DatumPageSide::Nad27, "Geographic");
    edit27XLat.Text = "43.8280704072";
    edit27YLon.Text = "-83.0660999896";
    (void)ButNad27ToNad83Click(page, platform, shifter);
    EXPECT_NEAR(latitude, StrToFloat(edit83XLat.Text), 1e-9);
    EXPECT_NEAR(longitude, StrToFloat(edit83YLon.Text), 1e-9);
}

// A NAD27 zone below the older datums' degrees in the list, to its NAD83
// zone: cs2cs EPSG:32040 EPSG:32140 gives 599969.9341 4213393.2803; the page
// shows 3 decimals, so 1 mm holds its rounding and the grid's.
TEST_F(DatumPageTest, Nad27ZoneFarDownTheListMatchesCs2cs)
{
    FillDatumShiftPage(page, platform);
    select(box27, DatumPageSide::Nad27, "Texas South Central");
    select(box83, DatumPageSide::Nad83, "Texas South Central");
    edit27XLat.Text = "2000000";
    edit27YLon.Text = "700000";
    (void)ButNad27ToNad83Click(page, platform, shifter);
    EXPECT_NEAR(StrToFloat(edit83XLat.Text), 599969.9341, 1e-3);
    EXPECT_NEAR(StrToFloat(edit83YLon.Text), 4213393.2803, 1e-3);
    EXPECT_EQ(edit83XLat.Text.size() - edit83XLat.Text.find('.'), 4U) << edit83XLat.Text;  // millimetres
}

TEST_F(DatumPageTest, ABadNumberNamesItsBoxAndChangesNothing)
{
    FillDatumShiftPage(page, platform);
    select(box27, DatumPageSide::Nad27, "Texas South Central");
    EXPECT_EQ(lab27YLon.Text, "Y (ftUS):");
    edit27XLat.Text = "abc";
    edit27YLon.Text = "700000";
    try {
        (void)ButNad27ToNad83Click(page, platform, shifter);
        FAIL() << "converted 'abc'";
    } catch (const ConvertError& error) {
        EXPECT_THAT(error.what(), HasSubstr("NAD27 X (ftUS): 'abc'"));
    }
    EXPECT_EQ(edit83XLat.Writes + edit83YLon.Writes, 0);
}

}  // namespace
}  // namespace kartoval::testing
