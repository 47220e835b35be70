// "Convert" on the UTM paths, driven through the page's controls as the
// window drives it.

#include "PageFixture.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"

#include "support/RowNames.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

namespace kartoval {
namespace {

using testing::DecimalsOf;
using testing::kClarke1866Position;
using testing::kNoFlatteningPosition;
using testing::kWordFlatteningPosition;

using testing::PrintTo;

constexpr int kZone31 = 30;  // list position of zone 31, meridian 3 E

class ConvertUtm : public testing::SinglePointTest {
protected:
    // The message of the CommandError that the click ends with.
    template <class Error>
    std::string ClickFailsWith()
    {
        try {
            Convert();
        } catch (const Error& error) {
            return error.what();
        }
        ADD_FAILURE() << "the click did not fail";
        return {};
    }
};

TEST_F(ConvertUtm, EquatorOnZone31Meridian)
{
    BoxProjection2.SetItemIndex(kZone31);
    Type("0", "3");
    Convert();
    EXPECT_EQ(EditX.Text, "500000");
    EXPECT_EQ(EditY.Text, "0");
    EXPECT_EQ(EditLatitude.Text, "0");
    EXPECT_EQ(EditLongitude.Text, "3");
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(ConvertUtm, EquatorInTheSouthernHemisphere)
{
    Family(ButUTMS);
    BoxProjection2.SetItemIndex(kZone31);
    Type("0", "3");
    Convert();
    EXPECT_EQ(EditX.Text, "500000");
    EXPECT_EQ(EditY.Text, "10000000");
}

// Going back, X and Y stay as typed: only the degrees are rounded.
TEST_F(ConvertUtm, EquatorBackToDegrees)
{
    XyToDegrees();
    BoxProjection2.SetItemIndex(kZone31);
    Type("", "", "500000", "0");
    Convert();
    EXPECT_EQ(EditLatitude.Text, "0");
    EXPECT_EQ(EditLongitude.Text, "3");
    EXPECT_EQ(EditX.Text, "500000");
    EXPECT_EQ(EditY.Text, "0");
}

TEST_F(ConvertUtm, SouthernEquatorBackToDegrees)
{
    Family(ButUTMS);
    XyToDegrees();
    BoxProjection2.SetItemIndex(kZone31);
    Type("", "", "500000", "10000000");
    Convert();
    EXPECT_EQ(EditLatitude.Text, "0");
    EXPECT_EQ(EditLongitude.Text, "3");
}

TEST_F(ConvertUtm, TypedDegreesAreRewrittenToSixDecimals)
{
    BoxProjection2.SetItemIndex(kZone31);
    Type("45.1234567", "3.98765432");
    Convert();
    EXPECT_EQ(EditLatitude.Text, "45.123457");
    EXPECT_EQ(EditLongitude.Text, "3.987654");
    EXPECT_LE(DecimalsOf(EditX.Text), 2u) << EditX.Text;
    EXPECT_LE(DecimalsOf(EditY.Text), 2u) << EditY.Text;
}

// PROJ 9.1.1: echo -73.5 40.5 | proj +proj=utm +zone=18 +ellps=WGS84 -f %.4f
// -> 627103.0873 4484335.4017, and for Rio (zone 23 south) 684623.6733
// 7466421.4007. Each is at least 2 mm from a rounding boundary of the second
// decimal and the series lies within 1 mm of PROJ, so the texts are certain.
TEST_F(ConvertUtm, NorthernPointMatchesProj)
{
    BoxProjection2.SetItemIndex(17);  // zone 18
    Type("40.5", "-73.5");
    Convert();
    EXPECT_EQ(EditX.Text, "627103.09");
    EXPECT_EQ(EditY.Text, "4484335.4");
}

TEST_F(ConvertUtm, SouthernPointMatchesProj)
{
    Family(ButUTMS);
    BoxProjection2.SetItemIndex(22);  // zone 23
    Type("-22.9", "-43.2");
    Convert();
    EXPECT_EQ(EditX.Text, "684623.67");
    EXPECT_EQ(EditY.Text, "7466421.4");
}

// X and Y rounded to the centimetre come back within 5e-8 degree, which the
// six-decimal rounding then removes.
TEST_F(ConvertUtm, ThereAndBackOnClarke1866)
{
    BoxEllipsoid2.SetItemIndex(kClarke1866Position);
    BoxProjection2.SetItemIndex(17);
    Type("40.5", "-73.5");
    Convert();
    XyToDegrees();
    Type("", "", EditX.Text, EditY.Text);
    Convert();
    EXPECT_EQ(EditLatitude.Text, "40.5");
    EXPECT_EQ(EditLongitude.Text, "-73.5");
}

// Zone 60 reaches past the date line: the point 3.5 degrees east of its
// meridian comes back as -179.5, not 180.5.
TEST_F(ConvertUtm, LongitudeComesBackInsideMinus180To180)
{
    BoxProjection2.SetItemIndex(59);
    Type("10", "-179.5");
    Convert();
    XyToDegrees();
    Type("", "", EditX.Text, EditY.Text);
    Convert();
    EXPECT_EQ(EditLongitude.Text, "-179.5");
    EXPECT_EQ(EditLatitude.Text, "10");
}

// No hemisphere check: a southern point under the northern grid is below 0.
TEST_F(ConvertUtm, SouthernLatitudeUnderNorthernZonesGivesNegativeY)
{
    BoxProjection2.SetItemIndex(kZone31);
    Type("-10", "3");
    Convert();
    EXPECT_EQ(EditY.Text.front(), '-') << EditY.Text;
}

struct BadInputCase {
    const char* name;
    bool forward;
    const char* latitude;
    const char* longitude;
    const char* x;
    const char* y;
    const char* message;
};

class ConvertUtmBadInput : public testing::SinglePointTest, public ::testing::WithParamInterface<BadInputCase> {};

// The first bad text in reading order is the one reported (latitude before
// longitude, X before Y), and no box changes.
TEST_P(ConvertUtmBadInput, EndsTheClickWithNoBoxChanged)
{
    const BadInputCase& c = GetParam();
    ButtonDegreesToXY.Checked = c.forward;
    BoxProjection2.SetItemIndex(kZone31);
    Type(c.latitude, c.longitude, c.x, c.y);
    const auto before = Texts();
    try {
        Convert();
        ADD_FAILURE() << "the click did not fail";
    } catch (const ConvertError& error) {
        EXPECT_STREQ(error.what(), c.message);
    }
    ExpectNoBoxChanged(before);
}

INSTANTIATE_TEST_SUITE_P(
    ConvertUtm, ConvertUtmBadInput,
    ::testing::Values(
        BadInputCase{"LatitudeWord", true, "abc", "3", "1", "2", "Latitude: 'abc' is not a valid floating point value"},
        BadInputCase{"LatitudeEmpty", true, "", "3", "1", "2", "Latitude: '' is not a valid floating point value"},
        BadInputCase{"NothingTypedYet", true, "", "", "", "", "Latitude: '' is not a valid floating point value"},
        BadInputCase{"LongitudeCommaUnderPoint", true, "45", "3,5", "1", "2",
                     "Longitude: '3,5' is not a valid floating point value"},
        BadInputCase{"LatitudeReportedFirst", true, "bad-lat", "bad-lon", "1", "2",
                     "Latitude: 'bad-lat' is not a valid floating point value"},
        BadInputCase{"XReportedFirst", false, "1", "2", "bad-x", "bad-y", "X: 'bad-x' is not a valid floating point value"},
        BadInputCase{"YEmpty", false, "1", "2", "500000", "", "Y: '' is not a valid floating point value"}),
    [](const ::testing::TestParamInfo<BadInputCase>& info) { return std::string(info.param.name); });

TEST_F(ConvertUtm, LatitudeOutsideMinus90To90IsRefused)
{
    BoxProjection2.SetItemIndex(kZone31);
    Type("95", "3", "1", "2");
    const auto before = Texts();
    EXPECT_EQ(ClickFailsWith<PointRangeError>(), "Latitude 95 is outside -90..90");
    ExpectNoBoxChanged(before);
}

// Far past a full turn the reduced difference loses every digit (1E20 would
// come out as a point on the central meridian): refused, nothing written.
TEST_F(ConvertUtm, LongitudePastAFullTurnIsRefused)
{
    BoxProjection2.SetItemIndex(kZone31);
    Type("45", "1e20", "1", "2");
    const auto before = Texts();
    EXPECT_EQ(ClickFailsWith<PointRangeError>(), "Longitude 1E20 is outside -360..360");
    ExpectNoBoxChanged(before);
}

// Far beyond the pole the footpoint latitude passes 90: nothing is written.
TEST_F(ConvertUtm, GridPointBeyondThePoleIsRefused)
{
    XyToDegrees();
    BoxProjection2.SetItemIndex(kZone31);
    Type("1", "2", "500000", "20000000");
    const auto before = Texts();
    EXPECT_EQ(ClickFailsWith<PointRangeError>(), "The point is outside the range of the projection");
    ExpectNoBoxChanged(before);
}

TEST_F(ConvertUtm, MissingEllipsoidFileEndsTheClickAfterItsMessage)
{
    std::filesystem::remove(folder.Path / "ellips.txt");
    BoxProjection2.SetItemIndex(kZone31);
    Type("0", "3", "1", "2");
    const auto before = Texts();
    EXPECT_NO_THROW(Convert());
    EXPECT_EQ(OnlyMessage(), "Can't find ellipsoid data file\nLooked for " + Path("ellips.txt"));
    ExpectNoBoxChanged(before);
}

TEST_F(ConvertUtm, EllipsoidLineWithoutFlatteningEndsTheClickAfterItsMessage)
{
    BoxEllipsoid2.SetItemIndex(kNoFlatteningPosition);
    BoxProjection2.SetItemIndex(kZone31);
    Type("0", "3", "1", "2");
    const auto before = Texts();
    EXPECT_NO_THROW(Convert());
    const std::string message = OnlyMessage();
    EXPECT_NE(message.find(Path("ellips.txt") + ", line 4"), std::string::npos) << message;
    ExpectNoBoxChanged(before);
}

TEST_F(ConvertUtm, EllipsoidFlatteningThatIsNoNumberEndsTheClick)
{
    BoxEllipsoid2.SetItemIndex(kWordFlatteningPosition);
    BoxProjection2.SetItemIndex(kZone31);
    Type("0", "3", "1", "2");
    const auto before = Texts();
    EXPECT_NO_THROW(Convert());
    const std::string message = OnlyMessage();
    EXPECT_NE(message.find(Path("ellips.txt") + ", line 5"), std::string::npos) << message;
    EXPECT_NE(message.find("'flat'"), std::string::npos) << message;
    ExpectNoBoxChanged(before);
}

// Nothing selected: position -1 gives the meridian -183, which is 177.
// Nothing selected would read line 1 of a table, a choice the user never
// made: the click is refused, naming the list, and no box changes.
TEST_F(ConvertUtm, ListWithNothingSelectedIsRefused)
{
    struct Row {
        const char* Name;
        int Zone;
        int Ellipsoid;
        const char* Message;
    };
    const Row rows[] = {
        {"no zone", -1, testing::kWgs84Position, "Choose a zone\nNothing is selected in the Projection list."},
        {"no ellipsoid", kZone31, -1, "Choose an ellipsoid\nNothing is selected in the Ellipsoid list."},
    };
    for (const Row& row : rows) {
        messages.Messages.clear();
        BoxProjection2.SetItemIndex(row.Zone);
        BoxEllipsoid2.SetItemIndex(row.Ellipsoid);
        Type("10", "3", "1", "2");
        const auto before = Texts();
        EXPECT_FALSE(ButConvertClick(page, platform)) << row.Name;
        EXPECT_EQ(OnlyMessage("Kartoval"), row.Message) << row.Name;
        ExpectNoBoxChanged(before);
    }
}

// With no family checked no path runs; the output steps still round what the
// boxes hold.
TEST_F(ConvertUtm, NoFamilyCheckedRoundsTheOldTexts)
{
    NoFamily();
    Type("1.23456789", "2", "123.456", "7.891");
    Convert();
    EXPECT_EQ(EditX.Text, "123.46");
    EXPECT_EQ(EditY.Text, "7.89");
    EXPECT_EQ(EditLatitude.Text, "1.234568");
    EXPECT_EQ(EditLongitude.Text, "2");
}

TEST_F(ConvertUtm, NoFamilyCheckedBackToDegreesLeavesXAndY)
{
    NoFamily();
    XyToDegrees();
    Type("1.23456789", "2", "123.456", "7.891");
    Convert();
    EXPECT_EQ(EditX.Text, "123.456");
    EXPECT_EQ(EditY.Text, "7.891");
    EXPECT_EQ(EditLatitude.Text, "1.234568");
}

TEST_F(ConvertUtm, NoFamilyCheckedWithEmptyXFailsWithNoBoxChanged)
{
    NoFamily();
    Type("1", "2", "", "7.891");
    const auto before = Texts();
    EXPECT_EQ(ClickFailsWith<ConvertError>(), "X: '' is not a valid floating point value");
    ExpectNoBoxChanged(before);
}

// The user's comma is read from and written to the boxes; the ellipsoid table
// keeps its points. The results are those of a point locale, separator aside.
TEST_F(ConvertUtm, CommaLocaleEndToEnd)
{
    BoxProjection2.SetItemIndex(kZone31);
    Type("45.5", "3.25");
    Convert();
    std::string expectedX = EditX.Text;
    std::string expectedY = EditY.Text;
    for (std::string* text : {&expectedX, &expectedY}) {
        for (char& c : *text) c = c == '.' ? ',' : c;
    }

    platform.DecimalSeparator = ',';
    Type("45,5", "3,25");
    Convert();
    EXPECT_EQ(EditX.Text, expectedX);
    EXPECT_EQ(EditY.Text, expectedY);
    EXPECT_NE(EditX.Text.find(','), std::string::npos) << EditX.Text;
    EXPECT_EQ(EditLatitude.Text, "45,5");
    EXPECT_EQ(EditLongitude.Text, "3,25");

    XyToDegrees();
    Type("", "", EditX.Text, EditY.Text);
    Convert();
    EXPECT_EQ(EditLatitude.Text, "45,5");
    EXPECT_EQ(EditLongitude.Text, "3,25");
}

TEST_F(ConvertUtm, CommaLocaleRefusesATypedPoint)
{
    platform.DecimalSeparator = ',';
    BoxProjection2.SetItemIndex(kZone31);
    Type("45.5", "3", "1", "2");
    const auto before = Texts();
    EXPECT_EQ(ClickFailsWith<ConvertError>(), "Latitude: '45.5' is not a valid floating point value");
    ExpectNoBoxChanged(before);
}

}  // namespace
}  // namespace kartoval
