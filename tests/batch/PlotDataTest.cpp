// A plot's data without its pixels: the points a run gives it, their outside
// flags, lines and IDs; the thinning for drawing; the zone's outline.

#include "batch/FileConversion.hpp"
#include "batch/PlotData.hpp"
#include "support/Fakes.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

namespace kartoval::testing {
namespace {

TEST(PlotData, AShowPointsRunKeepsEveryPointWithItsLineIdAndFlag)
{
    TempFolder folder;
    FakeMessages messages;
    const Platform platform{messages, KARTOVAL_DATA_DIR};
    FileConversionSettings settings;
    settings.InputPath = folder.Write("in.txt", "id lon lat\n101 -99.5 30.25\n\n102 -98 31\n103 -84.5 30.25\n").string();
    settings.ZonePosition = 13;  // UTM 14N
    settings.SkipFirstRow = true;
    settings.WestWithoutMinus = false;
    settings.ShowOnly = true;  // 103 lies 14.5 degrees east of the central meridian: shown all the same
    const FileRunOutcome outcome = RunFileConversion(settings, platform, [](const std::string&) { return false; });
    const auto* summary = std::get_if<FileRunSummary>(&outcome);
    ASSERT_NE(summary, nullptr) << std::get<FileRunFailure>(outcome).Text;
    ASSERT_TRUE(summary->Plot);
    const PlotData& plot = *summary->Plot;
    ASSERT_EQ(plot.Points().size(), 3U);
    EXPECT_EQ(plot.Id(1), "102");
    EXPECT_EQ(plot.Points()[1].Line, 4U);
    EXPECT_FALSE(plot.Points()[0].Outside);
    EXPECT_TRUE(plot.Points()[2].Outside);
    EXPECT_EQ(plot.OutsideCount(), 1U);
    EXPECT_EQ(plot.XName(), "easting_m");
    EXPECT_TRUE(folder.Read("in.txt").starts_with("id lon lat"));  // nothing written
    EXPECT_FALSE(plot.Outline().empty());
}

// 10,000 points in one corner and four lone extremes: at 50 x 50 cells no
// more than 2,500 are drawn, every extreme among them, and an outside point
// wins the cell it shares.
TEST(PlotData, ThinningForDrawingKeepsTheExtremesAndOutsidePoints)
{
    PlotData plot("t", "easting_m", "northing_m");
    PointResult result;
    const auto add = [&](double x, double y, std::uint64_t line, bool outside) {
        result.X = x;
        result.Y = y;
        result.Outside = outside ? std::optional(OutsideNote{"zone", {}}) : std::nullopt;
        plot.Add(ConvertedPoint{line, "P", result});
    };
    for (int k = 0; k < 10000; ++k) add(1000.0 + k % 100, 1000.0 + k / 100, 1, false);
    add(1050.5, 1050.5, 2, true);
    add(0.0, 5000.0, 3, false);
    add(10000.0, 5000.0, 4, false);
    add(5000.0, 0.0, 5, false);
    add(5000.0, 10000.0, 6, false);
    const PlotBounds view = *plot.Bounds();
    EXPECT_DOUBLE_EQ(view.MinX, 0.0);
    EXPECT_DOUBLE_EQ(view.MaxY, 10000.0);
    const std::vector<std::size_t> drawn = plot.ToDraw(view, 50, 50);
    EXPECT_LE(drawn.size(), 2500U);
    EXPECT_LT(drawn.size(), 100U);  // the cloud fills few cells
    for (std::size_t k = 10001; k < 10005; ++k) EXPECT_NE(std::find(drawn.begin(), drawn.end(), k), drawn.end()) << k;
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 10000U), drawn.end());  // the outside point
    EXPECT_EQ(plot.Nearest(10001.0, 5000.0, 5.0), std::optional<std::size_t>(10002));
    EXPECT_FALSE(plot.Nearest(7000.0, 7000.0, 5.0));
}

TEST(PlotData, UtmOutlineRunsNineDegreesEitherSide)
{
    FakeMessages messages;
    const Platform platform{messages, KARTOVAL_DATA_DIR};
    const std::vector<GridPoint> outline =
        AreaOutline(UtmSide(14, Hemisphere::North), Ellipsoid{"WGS 84", 6378137.0, 298.257223563}, platform);
    ASSERT_GT(outline.size(), 4U);
    // proj +proj=utm +zone=14: (-108, 0) is easting -505646.900; the series
    // is within about 2 m of it 9 degrees out.
    EXPECT_NEAR(outline.front().Easting, -505646.900, 3.0);
    EXPECT_NEAR(outline.front().Northing, 0.0, 1e-6);
    EXPECT_EQ(outline.front().Easting, outline.back().Easting);  // closed
    EXPECT_DOUBLE_EQ(ScaleBarLength(12345.0), 2000.0);
    EXPECT_DOUBLE_EQ(ScaleBarLength(0.9), 0.1);
}

}  // namespace
}  // namespace kartoval::testing
