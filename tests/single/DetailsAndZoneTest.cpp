// The details line, the copied text, the decimals and "Find zone" of the
// single-point page.

#include "PageFixture.hpp"

#include <filesystem>

namespace kartoval::testing {
namespace {

class Details : public SinglePointTest {
protected:
    void SetUp() override
    {
        SinglePointTest::SetUp();
        for (const char* name : {"nad83.txt", "zone_codes.txt", "zone_areas.txt"}) {
            std::filesystem::copy_file(std::filesystem::path(KARTOVAL_DATA_DIR) / name, folder.Path / name);
        }
    }
};

// GeographicLib 2.1 TransverseMercatorProj -k 0.9996 -l -75 (WGS 84) at
// 40.5N 73.5W: scale 0.99979885798, convergence 0.97430228337 degrees; the
// series agrees to 1e-10 this near the meridian, well inside the last digit.
TEST_F(Details, FactorsAndDmsAsTheCommandLineWritesThem)
{
    BoxProjection2.SetItemIndex(17);  // zone 18
    Type("40.5", "-73.5");
    const auto result = ButConvertClick(page, platform);
    ASSERT_TRUE(result);
    EXPECT_EQ(DetailsText(*result), "Scale factor 0.999798858, convergence 0.9743023\xC2\xB0, 40\xC2\xB0"
                                    "30'00.000\"N 73\xC2\xB0"
                                    "30'00.000\"W");
    EXPECT_EQ(CopyText(*result), "X 627103.09\tY 4484335.4\nLatitude 40.5\tLongitude -73.5\n" +
                                     DetailsText(*result) + "\n");
    // More decimals on request, by the exact mapping (GeographicLib: 627103.087305
    // 4484335.401661, 0.04 mm from the rounding); out of range comes to the nearest end.
    const auto more = ButConvertClick(page, platform, TmEngine::Exact, {.Degrees = 12, .Grid = 4});
    ASSERT_TRUE(more);
    EXPECT_EQ(EditX.Text, "627103.0873");
    EXPECT_EQ(EditY.Text, "4484335.4017");
}

TEST_F(Details, FindZoneSelectsTheZoneThatHoldsThePoint)
{
    const struct {
        FakeCheck* Family;
        bool Degrees;
        std::string A, B;  // latitude, longitude or X, Y
        int Selected;      // -1: nothing changes
        const char* Says;
    } rows[] = {
        {&ButUTMN, true, "60.39", "5.32", 31, "Zone 32 selected"},           // Bergen, 32V widened to 3E
        {&ButUTMN, true, "78.2", "15.6", 32, "Zone 33 selected"},            // Svalbard
        {&ButUTMS, true, "-33.9", "18.4", 33, "Zone 34 selected"},
        {&ButUTMN, true, "86", "0", -1, "No UTM zone holds"},
        {&ButNAD83, true, "30.27", "-97.74", -2, "selected for 30.27, -97.74; its area is shared with NAD83 Texas Central"},
        {&ButNAD83, true, "40", "-40", -1, "No NAD83 zone's area holds"},
        {&ButNAD83, true, "abc", "-40", -1, "Latitude"},
        // Houston's EPSG:32140 metres (PROJ 9.1.1) fit South Central's area alone.
        {&ButNAD83, false, "951008.10", "4219019.82", -2, "inside the area of NAD83 Texas South Central only"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Says);
        Family(*row.Family);
        FillZoneList(page, CheckedGridFamily(page).value(), platform);
        BoxProjection2.SetItemIndex(0);
        if (row.Degrees) {
            DegreesToXy();
            Type(row.A, row.B);
        } else {
            XyToDegrees();
            Type("", "", row.A, row.B);
        }
        const std::string said = ButFindZoneClick(page, platform);
        EXPECT_NE(said.find(row.Says), std::string::npos) << said;
        if (row.Selected == -2) {
            EXPECT_EQ(BoxProjection2.Items.at(static_cast<std::size_t>(BoxProjection2.Index)), "Texas South Central");
        } else {
            EXPECT_EQ(BoxProjection2.GetItemIndex(), row.Selected < 0 ? 0 : row.Selected);
        }
    }
}

}  // namespace
}  // namespace kartoval::testing
