// The State Plane zone tables: listing, the keyword and its letter case, the
// parameters by position, and the lines that can't give a zone.

#include "refdata/StatePlaneZones.hpp"
#include "refdata/ZoneCodes.hpp"
#include "TableFixture.hpp"
#include "toolkit/Errors.hpp"

#include "support/RowNames.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kartoval {
namespace {

using testing::FakeList;

using testing::PrintTo;

class ZoneTable : public testing::TableTest {
protected:
    std::optional<ZoneDefinition> Load(int line, const char* file = "nad83.txt")
    {
        return Shown([&] { return LoadZoneDefinition(platform, file, line); });
    }
};

TEST_F(ZoneTable, NLinesListNMinusOneZones)
{
    folder.Write("nad83.txt", Lines({"Alabama East\tTM\t-85.8333333333333\t30.5\t0.99996\t200000\t0",
                                     "Alabama West\tTM\t-87.5\t30\t0.999933333333333\t600000\t0",
                                     "Alaska 1\tOM1\t-133.666666666667\t57\t0.9999", "End"}));
    FakeList list;
    ListNad83Zones(list, platform);
    EXPECT_EQ(list.Items, (std::vector<std::string>{"Alabama East", "Alabama West", "Alaska 1"}));
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(ZoneTable, EmptyAndOneLineFilesListNothing)
{
    folder.Write("nad27.txt", "");
    folder.Write("nad83.txt", "Alabama East\tTM\t-85.8333333333333\t30.5\t0.99996\t200000\t0\n");
    FakeList list27;
    FakeList list83;
    ListNad27Zones(list27, platform);
    ListNad83Zones(list83, platform);
    EXPECT_TRUE(list27.Items.empty());
    EXPECT_TRUE(list83.Items.empty());
    EXPECT_TRUE(messages.Messages.empty());
}

// The listings append and leave the selection alone: the handlers clear and select.
TEST_F(ZoneTable, ListingAppendsWithoutClearingOrSelecting)
{
    folder.Write("nad27.txt", Lines({"Zone A\tTM\t-120.5\t0\t0.9999\t500000\t0", "End"}));
    FakeList list;
    list.Items = {"Earlier"};
    list.Index = 0;
    ListNad27Zones(list, platform);
    EXPECT_EQ(list.Items, (std::vector<std::string>{"Earlier", "Zone A"}));
    EXPECT_EQ(list.Index, 0);
}

// Each listing names its own file; the lookup has one message for both.
TEST_F(ZoneTable, MissingFileMessages)
{
    FakeList list;
    ListNad27Zones(list, platform);
    ListNad83Zones(list, platform);
    EXPECT_FALSE(Load(1, "nad27.txt").has_value());
    EXPECT_FALSE(Load(1, "nad83.txt").has_value());
    ASSERT_EQ(messages.Messages.size(), 4u);
    // The message first, then where the table was looked for.
    EXPECT_EQ(messages.Messages[0].Text, "Can't find NAD27 data file\nLooked for " + Path("nad27.txt"));
    EXPECT_EQ(messages.Messages[1].Text, "Can't find NAD83 data file\nLooked for " + Path("nad83.txt"));
    EXPECT_EQ(messages.Messages[2].Text, "Can't find NAD data file\nLooked for " + Path("nad27.txt"));
    EXPECT_EQ(messages.Messages[3].Text, "Can't find NAD data file\nLooked for " + Path("nad83.txt"));
    for (const auto& shown : messages.Messages) EXPECT_EQ(shown.Caption, "File error");
    EXPECT_TRUE(list.Items.empty());
}

TEST_F(ZoneTable, TransverseMercatorLineGivesFiveParameters)
{
    folder.Write("nad83.txt", Lines({"Zone A\tTM\t-120.5\t0\t0.9999\t500000\t0", "End"}));
    const auto zone = Load(1);
    ASSERT_TRUE(zone.has_value());
    EXPECT_EQ(zone->Kind, ZoneProjectionKind::Tm);
    EXPECT_EQ(zone->Param(1), -120.5);
    EXPECT_EQ(zone->Param(2), 0.0);
    EXPECT_EQ(zone->Param(3), 0.9999);
    EXPECT_EQ(zone->Param(4), 500000.0);
    EXPECT_EQ(zone->Param(5), 0.0);
    EXPECT_FALSE(zone->Param(6).has_value());
    EXPECT_FALSE(zone->Param(7).has_value());
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(ZoneTable, LambertLineGivesSixParametersInOrder)
{
    folder.Write("nad83.txt", Lines({"Zone L\tLAMBERT\t-96\t23\t33\t45\t600000\t50000", "End"}));
    const auto zone = Load(1);
    ASSERT_TRUE(zone.has_value());
    EXPECT_EQ(zone->Kind, ZoneProjectionKind::Lcc);
    const std::vector<double> expected{-96.0, 23.0, 33.0, 45.0, 600000.0, 50000.0};
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(zone->Param(k), expected[static_cast<std::size_t>(k - 1)]) << k;
    EXPECT_FALSE(zone->Param(7).has_value());
}

struct KeywordCase {
    const char* name;
    const char* keywordField;  // as written between the TABs
    std::optional<ZoneProjectionKind> kind;
};

class ZoneKeyword : public testing::TableTest, public ::testing::WithParamInterface<KeywordCase> {};

// Blanks around the keyword are stripped; letter case is not forgiven.
TEST_P(ZoneKeyword, SetsTheKind)
{
    const KeywordCase& c = GetParam();
    folder.Write("nad83.txt", Lines({std::string("Zone K\t") + c.keywordField + "\t-96\t23\t33\t45\t0\t0", "End"}));
    const auto zone = Shown([&] { return LoadZoneDefinition(platform, "nad83.txt", 1); });
    ASSERT_TRUE(zone.has_value());
    EXPECT_EQ(zone->Kind, c.kind);
    EXPECT_EQ(zone->Param(1), -96.0);  // the parameters are read whatever the keyword
}

INSTANTIATE_TEST_SUITE_P(
    ZoneTable, ZoneKeyword,
    ::testing::Values(KeywordCase{"Lambert", "LAMBERT", ZoneProjectionKind::Lcc},
                      KeywordCase{"LambertWithBlanks", "  LAMBERT ", ZoneProjectionKind::Lcc},
                      KeywordCase{"LambertSmallLetters", "lambert", std::nullopt},
                      KeywordCase{"LambertMixedCase", "Lambert", std::nullopt},
                      KeywordCase{"Tm", "TM", ZoneProjectionKind::Tm},
                      KeywordCase{"TmSmallLetters", "tm", std::nullopt},
                      KeywordCase{"ObliqueMercator", "OM1", ZoneProjectionKind::Om1},
                      KeywordCase{"ObliqueMercatorSecondKind", "OM2", std::nullopt},
                      KeywordCase{"OtherProjection", "MERCATOR", std::nullopt}),
    [](const ::testing::TestParamInfo<KeywordCase>& info) { return std::string(info.param.name); });

TEST_F(ZoneTable, NameAndKeywordOnlyGiveTheKindWithoutParameters)
{
    folder.Write("nad83.txt", Lines({"Zone C\tTM", "End"}));
    const auto zone = Load(1);
    ASSERT_TRUE(zone.has_value());
    EXPECT_EQ(zone->Kind, ZoneProjectionKind::Tm);
    for (int k = 1; k <= 7; ++k) EXPECT_FALSE(zone->Param(k).has_value()) << k;
}

// A zone line has no place for a tenth field: it is not read, so text there
// does no harm.
TEST_F(ZoneTable, FieldsAfterTheNinthAreIgnored)
{
    folder.Write("nad83.txt", Lines({"Zone D\tLAMBERT\t-96\t23\t33\t45\t0\t0\t7\tremark", "End"}));
    const auto zone = Load(1);
    ASSERT_TRUE(zone.has_value());
    EXPECT_EQ(zone->Param(7), 7.0);
}

TEST_F(ZoneTable, LineWithoutTabListsEmptyAndKeepsPositions)
{
    folder.Write("nad27.txt", Lines({"Zone A\tTM\t-120.5\t0\t0.9999\t500000\t0", "remark without tab",
                                     "Zone B\tLAMBERT\t-96\t23\t33\t45\t0\t0", "End"}));
    FakeList list;
    ListNad27Zones(list, platform);
    EXPECT_EQ(list.Items, (std::vector<std::string>{"Zone A", "", "Zone B"}));
    const auto zoneB = Load(3, "nad27.txt");
    ASSERT_TRUE(zoneB.has_value());
    EXPECT_EQ(zoneB->Kind, ZoneProjectionKind::Lcc);
    EXPECT_FALSE(Load(2, "nad27.txt").has_value());
    const std::string message = OnlyFileError();
    EXPECT_NE(message.find(Path("nad27.txt") + ", line 2"), std::string::npos) << message;
}

TEST_F(ZoneTable, NoSelectionReadsLineOne)
{
    folder.Write("nad83.txt", Lines({"Zone A\tTM\t-120.5\t0\t0.9999\t500000\t0",
                                     "Zone B\tLAMBERT\t-96\t23\t33\t45\t0\t0", "End"}));
    const auto zone = Load(0);
    ASSERT_TRUE(zone.has_value());
    EXPECT_EQ(zone->Kind, ZoneProjectionKind::Tm);
    EXPECT_EQ(zone->Param(1), -120.5);
}

TEST_F(ZoneTable, ParameterThatIsNoNumberNamesFileLineAndValue)
{
    folder.Write("nad83.txt", Lines({"Zone A\tTM\t-120.5\t0\t0.9999\t500000\t0", "Zone B\tTM\t-120.5\tabc\t0.9999",
                                     "End"}));
    EXPECT_FALSE(Load(2).has_value());
    const std::string said = OnlyFileError();
    EXPECT_NE(said.find(Path("nad83.txt") + ", line 2"), std::string::npos) << said;
    EXPECT_NE(said.find("'abc'"), std::string::npos) << said;
}

TEST_F(ZoneTable, CrLfLineEnds)
{
    folder.Write("nad83.txt", Lines({"Zone A\tTM\t-120.5\t0\t0.9999\t500000\t12.5", "End"}, "\r\n"));
    FakeList list;
    ListNad83Zones(list, platform);
    EXPECT_EQ(list.Items, (std::vector<std::string>{"Zone A"}));
    const auto zone = Load(1);
    ASSERT_TRUE(zone.has_value());
    EXPECT_EQ(zone->Param(5), 12.5);  // the CR goes with the blanks of the last field
}

// Zone codes as NGS datasheets write them: four digits, leading zero kept
// (Alabama East 0101, Texas South Central 4204, Alaska zone 1 5001).
TEST(ZoneCodeText, FourDigitsBothWays)
{
    const std::pair<int, const char*> written[] = {{101, "0101"}, {4204, "4204"}, {5001, "5001"}};
    for (const auto& [code, text] : written) {
        EXPECT_EQ(StatePlaneCodeText(code), text);
        EXPECT_EQ(ParseStatePlaneCode(text), code) << text;
    }
    EXPECT_EQ(ParseStatePlaneCode("101"), 101);
    for (const char* refused : {"", "-101", "+101", "12345", "1a"}) EXPECT_FALSE(ParseStatePlaneCode(refused)) << refused;
}

}  // namespace
}  // namespace kartoval
