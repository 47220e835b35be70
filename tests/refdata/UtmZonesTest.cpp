// The generated UTM zone lists.

#include "refdata/UtmZones.hpp"
#include "support/Fakes.hpp"

#include "support/RowNames.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

namespace kartoval {
namespace {

using testing::FakeList;

using testing::PrintTo;

struct LabelCase {
    const char* name;
    int position;
    const char* north;
    const char* south;
};

class UtmZoneLabel : public ::testing::TestWithParam<LabelCase> {};

TEST_P(UtmZoneLabel, AtItsPosition)
{
    const LabelCase& c = GetParam();
    FakeList north;
    FakeList south;
    ListUtmNorthZones(north);
    ListUtmSouthZones(south);
    ASSERT_EQ(north.Items.size(), 60u);
    ASSERT_EQ(south.Items.size(), 60u);
    EXPECT_EQ(north.Items[static_cast<std::size_t>(c.position)], c.north);
    EXPECT_EQ(south.Items[static_cast<std::size_t>(c.position)], c.south);
}

INSTANTIATE_TEST_SUITE_P(
    UtmZones, UtmZoneLabel,
    ::testing::Values(
        LabelCase{"Zone1", 0, "North Zone 1, central parallel: 177W", "South Zone 1, central parallel: 177W"},
        LabelCase{"Zone29", 28, "North Zone 29, central parallel: 9W", "South Zone 29, central parallel: 9W"},
        LabelCase{"Zone30", 29, "North Zone 30, central parallel: 3W", "South Zone 30, central parallel: 3W"},
        LabelCase{"Zone31", 30, "North Zone 31, central parallel: 3E", "South Zone 31, central parallel: 3E"},
        LabelCase{"Zone60", 59, "North Zone 60, central parallel: 177E", "South Zone 60, central parallel: 177E"}),
    [](const ::testing::TestParamInfo<LabelCase>& info) { return std::string(info.param.name); });

TEST(UtmZones, OneCallListsSixtyAndSelectsZone29)
{
    FakeList list;
    ListUtmNorthZones(list);
    EXPECT_EQ(list.Items.size(), 60u);
    EXPECT_EQ(list.Index, 28);
}

// The listing appends: a second call without clearing doubles the list, and
// position 28 is still zone 29 of the first run.
TEST(UtmZones, SecondCallAppendsSixtyMore)
{
    FakeList list;
    ListUtmSouthZones(list);
    ListUtmSouthZones(list);
    ASSERT_EQ(list.Items.size(), 120u);
    EXPECT_EQ(list.Index, 28);
    EXPECT_EQ(list.Items[28], "South Zone 29, central parallel: 9W");
    EXPECT_EQ(list.Items[60], "South Zone 1, central parallel: 177W");
}

// The label and the meridian that the conversions compute from the position
// must name the same zone, and no zone has a meridian of 0.
TEST(UtmZones, LabelsAgreeWithTheComputedCentralMeridian)
{
    FakeList list;
    ListUtmNorthZones(list);
    for (int p = 0; p < 60; ++p) {
        const double meridian = UtmCentralMeridian(p);
        ASSERT_NE(meridian, 0.0);
        const std::string expected = "North Zone " + std::to_string(p + 1) + ", central parallel: " +
                                     std::to_string(static_cast<int>(std::abs(meridian))) + (meridian < 0 ? "W" : "E");
        EXPECT_EQ(list.Items[static_cast<std::size_t>(p)], expected);
    }
    EXPECT_EQ(UtmCentralMeridian(0), -177.0);
    EXPECT_EQ(UtmCentralMeridian(30), 3.0);
    EXPECT_EQ(UtmCentralMeridian(59), 177.0);
    EXPECT_EQ(UtmCentralMeridian(-1), -183.0);  // nothing selected
}

}  // namespace
}  // namespace kartoval
