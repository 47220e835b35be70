// "Convert" on the NAD27 (US survey feet) and NAD83 (metres) State Plane
// paths, with zone tables written for the test.

#include "PageFixture.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"

#include "support/RowNames.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <ostream>
#include <string>

namespace kartoval {
namespace {

using testing::FakeCheck;
using testing::kClarke1866Position;
using testing::kGrs1980Position;

using testing::PrintTo;

// Lines of the test zone tables, the same in nad27.txt and nad83.txt; list
// position p is line p + 1. False origins are read in the unit of the datum.
enum ZoneLine {
    kTmZone = 0,         // TM, meridian -120.5, origin 31, k 0.9999, FE 200000, FN 100000
    kLambertZone,        // LAMBERT, meridian -96, origin 23, parallels 33 and 45, FE 600000, FN 50000
    kObliqueZone,        // OM1: Alaska zone 1 as nad83.txt gives it
    kUnknownKindZone,    // MERCATOR
    kShortLambertZone,   // LAMBERT without its false northing
    kZeroTmZone,         // as kTmZone with no false origin
    kZeroLambertZone,    // as kLambertZone with no false origin: the worked example's cone
    kBadNumberZone,      // latitude of origin "thirty"
};

constexpr const char* kZoneTable =
    "Test TM\tTM\t-120.5\t31\t0.9999\t200000\t100000\n"
    "Test Lambert\tLAMBERT\t-96\t23\t33\t45\t600000\t50000\n"
    "Test Oblique\tOM1\t57\t-133.66666666666666\t323.1301023611111\t323.1301023611111\t0.9999\t5000000\t-5000000\n"
    "Test Mercator\tMERCATOR\t-96\t23\t33\t45\t0\t0\n"
    "Test Short\tLAMBERT\t-96\t23\t33\t45\t600000\n"
    "Zero TM\tTM\t-120.5\t31\t0.9999\t0\t0\n"
    "Zero Lambert\tLAMBERT\t-96\t23\t33\t45\t0\t0\n"
    "Bad Number\tTM\t-120.5\tthirty\t0.9999\t0\t0\n"
    "End\n";

// US survey feet per metre, as the NAD27 grids are computed with.
constexpr double kFeetPerMetre = 3.28083333333333;

class ConvertStatePlane : public testing::SinglePointTest {
protected:
    void SetUp() override
    {
        SinglePointTest::SetUp();
        folder.Write("nad27.txt", kZoneTable);
        folder.Write("nad83.txt", kZoneTable);
        BoxEllipsoid2.SetItemIndex(kGrs1980Position);
        Nad83(kTmZone);
    }

    void Nad27(int zone)
    {
        Family(ButNAD27);
        ButNAD27Click(page, platform);
        BoxProjection2.SetItemIndex(zone);
    }
    void Nad83(int zone)
    {
        Family(ButNAD83);
        ButNAD83Click(page, platform);
        BoxProjection2.SetItemIndex(zone);
    }

    // The click must end after a message, with every box as typed.
    std::string EndsWithMessage(const char* caption = "File error")
    {
        Type("31", "-120.5", "200000", "100000");
        const auto before = Texts();
        EXPECT_NO_THROW(Convert());
        ExpectNoBoxChanged(before);
        return OnlyMessage(caption);
    }
};

struct DatumCase {
    const char* name;
    bool nad27;
};

class StatePlaneOrigin : public ConvertStatePlane, public ::testing::WithParamInterface<DatumCase> {
protected:
    void Zone(int zone)
    {
        if (GetParam().nad27) {
            Nad27(zone);
        } else {
            Nad83(zone);
        }
    }
};

// The zone's origin is its false origin, in either datum's unit, both kinds;
// and back.
TEST_P(StatePlaneOrigin, TransverseMercatorZone)
{
    Zone(kTmZone);
    Type("31", "-120.5");
    Convert();
    EXPECT_EQ(EditX.Text, "200000");
    EXPECT_EQ(EditY.Text, "100000");
    XyToDegrees();
    Type("", "", "200000", "100000");
    Convert();
    EXPECT_EQ(EditLatitude.Text, "31");
    EXPECT_EQ(EditLongitude.Text, "-120.5");
}

TEST_P(StatePlaneOrigin, LambertZone)
{
    Zone(kLambertZone);
    Type("23", "-96");
    Convert();
    EXPECT_EQ(EditX.Text, "600000");
    EXPECT_EQ(EditY.Text, "50000");
    XyToDegrees();
    Type("", "", "600000", "50000");
    Convert();
    EXPECT_EQ(EditLatitude.Text, "23");
    EXPECT_EQ(EditLongitude.Text, "-96");
}

INSTANTIATE_TEST_SUITE_P(ConvertStatePlane, StatePlaneOrigin,
                         ::testing::Values(DatumCase{"Nad27", true}, DatumCase{"Nad83", false}),
                         [](const ::testing::TestParamInfo<DatumCase>& info) { return std::string(info.param.name); });

// The conic's worked example (Clarke 1866, parallels 33 and 45, origin 23 N
// 96 W): PROJ gives 1894410.898357 1564649.478495, and back exactly 35 and -75
// now that the inverse latitude converges (it gave 35.000081 before).
TEST_F(ConvertStatePlane, LambertWorkedExampleBothWays)
{
    BoxEllipsoid2.SetItemIndex(kClarke1866Position);
    Nad83(kZeroLambertZone);
    Type("35", "-75");
    Convert();
    EXPECT_EQ(EditX.Text, "1894410.9");
    EXPECT_EQ(EditY.Text, "1564649.48");
    XyToDegrees();
    Type("", "", "1894410.898357", "1564649.478495");
    Convert();
    EXPECT_EQ(EditLatitude.Text, "35");
    EXPECT_EQ(EditLongitude.Text, "-75");
}

// PROJ: proj +proj=tmerc +lat_0=31 +lon_0=-120.5 +k=0.9999 +x_0=200000
// +y_0=100000 +ellps=GRS80 -f %.6f  gives for -119.25 33.75 the values
// 315810.148396 405628.505035. Tolerance 6 mm: the box's 2-decimal rounding
// (5 mm) and the series' difference from PROJ (under 1 mm).
TEST_F(ConvertStatePlane, TransverseMercatorZoneMatchesProj)
{
    Type("33.75", "-119.25");
    Convert();
    EXPECT_NEAR(StrToFloat(EditX.Text), 315810.148396, 0.006);
    EXPECT_NEAR(StrToFloat(EditY.Text), 405628.505035, 0.006);
}

struct ScaleCase {
    const char* name;
    int zone;
    const char* latitude;
    const char* longitude;
};

class Nad27IsNad83InFeet : public ConvertStatePlane, public ::testing::WithParamInterface<ScaleCase> {};

// With no false origin the feet grid is the metre grid scaled by the factor.
// Both boxes are rounded to 0.01 of their unit, so they may differ from the
// scaled value by 0.005 ft + 3.28 x 0.005 m in feet = 0.0215 ft.
TEST_P(Nad27IsNad83InFeet, ScaledByTheSurveyFootFactor)
{
    const ScaleCase& c = GetParam();
    Nad83(c.zone);
    Type(c.latitude, c.longitude);
    Convert();
    const double x83 = StrToFloat(EditX.Text);
    const double y83 = StrToFloat(EditY.Text);
    Nad27(c.zone);
    Type(c.latitude, c.longitude);
    Convert();
    const double tolerance = 0.005 + kFeetPerMetre * 0.005;  // US survey feet
    EXPECT_NEAR(StrToFloat(EditX.Text), x83 * kFeetPerMetre, tolerance);
    EXPECT_NEAR(StrToFloat(EditY.Text), y83 * kFeetPerMetre, tolerance);
}

INSTANTIATE_TEST_SUITE_P(ConvertStatePlane, Nad27IsNad83InFeet,
                         ::testing::Values(ScaleCase{"TransverseMercator", kZeroTmZone, "34.05", "-118.25"},
                                           ScaleCase{"Lambert", kZeroLambertZone, "35", "-75"}),
                         [](const ::testing::TestParamInfo<ScaleCase>& info) { return std::string(info.param.name); });

// Alaska zone 1 once was listed and refused. PROJ: proj +proj=omerc +no_uoff
// +lat_0=57 +lonc=-133.666666666667 +alpha=323.130102361111
// +gamma=323.130102361111 +k=0.9999 +x_0=5000000 +y_0=-5000000 +ellps=GRS80
// -f %.6f gives for -134 57.5 the values 798693.364924 630823.123445.
// Tolerances: the boxes' rounding (2 decimals of a metre, 8 of a degree).
TEST_F(ConvertStatePlane, ObliqueMercatorZoneMatchesProjBothWays)
{
    Nad83(kObliqueZone);
    Type("57.5", "-134");
    Convert();
    EXPECT_NEAR(StrToFloat(EditX.Text), 798693.364924, 0.005);
    EXPECT_NEAR(StrToFloat(EditY.Text), 630823.123445, 0.005);
    XyToDegrees();
    Type("", "", "798693.364924", "630823.123445");
    Convert();
    EXPECT_NEAR(StrToFloat(EditLatitude.Text), 57.5, 5e-9);
    EXPECT_NEAR(StrToFloat(EditLongitude.Text), -134.0, 5e-9);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(ConvertStatePlane, UnknownKeywordNamesFileAndLine)
{
    Nad83(kUnknownKindZone);
    const std::string message = EndsWithMessage();
    EXPECT_NE(message.find(Path("nad83.txt") + ", line 4"), std::string::npos) << message;
    EXPECT_NE(message.find("MERCATOR"), std::string::npos) << message;
}

TEST_F(ConvertStatePlane, MissingParameterNamesFileAndLine)
{
    Nad27(kShortLambertZone);
    const std::string message = EndsWithMessage();
    EXPECT_NE(message.find(Path("nad27.txt") + ", line 5"), std::string::npos) << message;
}

TEST_F(ConvertStatePlane, MissingZoneFile)
{
    Nad83(kTmZone);
    std::filesystem::remove(folder.Path / "nad83.txt");
    EXPECT_EQ(EndsWithMessage(), "Can't find NAD data file\nLooked for " + Path("nad83.txt"));
}

TEST_F(ConvertStatePlane, ParameterThatIsNoNumberEndsTheClick)
{
    Nad83(kBadNumberZone);
    const std::string message = EndsWithMessage();
    EXPECT_NE(message.find(Path("nad83.txt") + ", line 8"), std::string::npos) << message;
    EXPECT_NE(message.find("'thirty'"), std::string::npos) << message;
}

struct ReadOrderCase {
    const char* name;
    int zone;
    const char* reported;
};

class StatePlaneReadOrder : public ConvertStatePlane, public ::testing::WithParamInterface<ReadOrderCase> {};

// The transverse Mercator block reads X first, the conic block Y first.
TEST_P(StatePlaneReadOrder, FirstBadTextIsReported)
{
    const ReadOrderCase& c = GetParam();
    Nad83(c.zone);
    XyToDegrees();
    Type("1", "2", "bad-x", "bad-y");
    const auto before = Texts();
    try {
        Convert();
        ADD_FAILURE() << "the click did not fail";
    } catch (const ConvertError& error) {
        EXPECT_EQ(std::string(error.what()), c.reported + std::string(" is not a valid floating point value"));
    }
    ExpectNoBoxChanged(before);
}

INSTANTIATE_TEST_SUITE_P(ConvertStatePlane, StatePlaneReadOrder,
                         ::testing::Values(ReadOrderCase{"TransverseMercatorReadsXFirst", kTmZone, "X: 'bad-x'"},
                                           ReadOrderCase{"LambertReadsYFirst", kLambertZone, "Y: 'bad-y'"}),
                         [](const ::testing::TestParamInfo<ReadOrderCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ConvertStatePlane, LatitudeOutsideMinus90To90IsRefused)
{
    Nad27(kLambertZone);
    Type("-95", "-96", "1", "2");
    const auto before = Texts();
    try {
        Convert();
        ADD_FAILURE() << "the click did not fail";
    } catch (const PointRangeError& error) {
        EXPECT_STREQ(error.what(), "Latitude -95 is outside -90..90");
    }
    ExpectNoBoxChanged(before);
}

// A northern cone sends the south pole to infinity; doubles once made it a
// finite point some 10^18 feet away and wrote it.
TEST_F(ConvertStatePlane, LambertAtTheFarPoleIsRefused)
{
    Nad27(kLambertZone);
    Type("-90", "-96", "1", "2");
    const auto before = Texts();
    try {
        Convert();
        ADD_FAILURE() << "the click did not fail";
    } catch (const PointRangeError& error) {
        EXPECT_STREQ(error.what(), "The point is outside the range of the projection");
    }
    ExpectNoBoxChanged(before);
}

}  // namespace
}  // namespace kartoval
