// The grid family buttons of the single-point page refill the zone list.

#include "PageFixture.hpp"

#include "support/RowNames.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace kartoval {
namespace {

using testing::PrintTo;

class GridFamily : public testing::SinglePointTest {
protected:
    void SetUp() override
    {
        SinglePointTest::SetUp();
        folder.Write("nad27.txt", "Alabama East\tTM\t-85.8333333333333\t30.5\t0.99996\t500000\t0\n"
                                  "Alabama West\tTM\t-87.5\t30\t0.999933333333333\t500000\t0\n"
                                  "Arizona Central\tTM\t-111.916666666667\t31\t0.9999\t500000\t0\n"
                                  "End\n");
        folder.Write("nad83.txt", "Alabama East\tTM\t-85.8333333333333\t30.5\t0.99996\t200000\t0\n"
                                  "Alaska 1\tOM1\t-133.666666666667\t57\t0.9999\t5000000\t-5000000\n"
                                  "End\n");
    }

    [[nodiscard]] bool AllStartWith(const std::string& prefix) const
    {
        return std::all_of(BoxProjection2.Items.begin(), BoxProjection2.Items.end(),
                           [&](const std::string& item) { return item.rfind(prefix, 0) == 0; });
    }
};

// The listing's own default (position 28) never shows: zone 1 is selected.
TEST_F(GridFamily, NorthToSouthLeavesSixtySouthZonesWithZoneOne)
{
    BoxProjection2.SetItemIndex(30);
    ButUTMSClick(page, platform);
    EXPECT_EQ(BoxProjection2.Items.size(), 60u);
    EXPECT_TRUE(AllStartWith("South Zone "));
    EXPECT_EQ(BoxProjection2.Index, 0);
    EXPECT_EQ(BoxProjection2.Items[0], "South Zone 1, central parallel: 177W");
}

TEST_F(GridFamily, Nad27ListsTheFileThenNorthRestoresZoneOne)
{
    ButNAD27Click(page, platform);
    EXPECT_EQ(BoxProjection2.Items, (std::vector<std::string>{"Alabama East", "Alabama West", "Arizona Central"}));
    EXPECT_EQ(BoxProjection2.Index, 0);
    BoxProjection2.SetItemIndex(2);
    ButUTMNClick(page, platform);
    EXPECT_EQ(BoxProjection2.Items.size(), 60u);
    EXPECT_TRUE(AllStartWith("North Zone "));
    EXPECT_EQ(BoxProjection2.Index, 0);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(GridFamily, Nad83ReplacesNad27)
{
    ButNAD27Click(page, platform);
    ButNAD83Click(page, platform);
    EXPECT_EQ(BoxProjection2.Items, (std::vector<std::string>{"Alabama East", "Alaska 1"}));
    EXPECT_EQ(BoxProjection2.Index, 0);
}

struct MissingCase {
    const char* name;
    const char* file;
    void (*handler)(SinglePointPage&, const Platform&);
    const char* message;
};

class GridFamilyMissingFile : public GridFamily, public ::testing::WithParamInterface<MissingCase> {};

// The list was cleared before the file was looked for: it stays empty with
// nothing selected.
TEST_P(GridFamilyMissingFile, SaysSoAndLeavesTheListEmpty)
{
    const MissingCase& c = GetParam();
    std::filesystem::remove(folder.Path / c.file);
    c.handler(page, platform);
    EXPECT_EQ(OnlyMessage(), c.message + std::string("\nLooked for ") + Path(c.file));
    EXPECT_TRUE(BoxProjection2.Items.empty());
    EXPECT_EQ(BoxProjection2.Index, -1);
}

INSTANTIATE_TEST_SUITE_P(
    GridFamily, GridFamilyMissingFile,
    ::testing::Values(MissingCase{"Nad27", "nad27.txt", ButNAD27Click, "Can't find NAD27 data file"},
                      MissingCase{"Nad83", "nad83.txt", ButNAD83Click, "Can't find NAD83 data file"}),
    [](const ::testing::TestParamInfo<MissingCase>& info) { return std::string(info.param.name); });

TEST_F(GridFamily, HandlersTouchOnlyTheZoneList)
{
    Type("45.5", "-120.25", "500000", "4000000");
    BoxEllipsoid2.SetItemIndex(testing::kGrs1980Position);
    XyToDegrees();
    const auto before = Texts();
    for (auto* handler : {ButUTMSClick, ButNAD27Click, ButNAD83Click, ButUTMNClick}) handler(page, platform);
    ExpectNoBoxChanged(before);
    EXPECT_EQ(BoxEllipsoid2.Index, testing::kGrs1980Position);
    EXPECT_EQ(BoxEllipsoid2.Items.size(), 5u);
    EXPECT_FALSE(ButtonDegreesToXY.Checked);
}

}  // namespace
}  // namespace kartoval
