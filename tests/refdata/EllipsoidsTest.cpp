// The ellipsoid table: what the lists show and what a lookup gives, for the
// line shapes a hand-edited ellips.txt can have.

#include "refdata/Ellipsoids.hpp"
#include "TableFixture.hpp"
#include "toolkit/Errors.hpp"

#include "support/RowNames.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kartoval {
namespace {

using testing::FakeList;

using testing::PrintTo;

class EllipsoidTable : public testing::TableTest {
protected:
    FakeList BoxEllipsoid;
    FakeList BoxEllipsoid2;

    void List() { ListEllipsoids(BoxEllipsoid, BoxEllipsoid2, platform); }
    std::optional<Ellipsoid> Load(int line)
    {
        return Shown([&] { return LoadEllipsoid(platform, "ellips.txt", line); });
    }
    [[nodiscard]] std::string EllipsPath() const { return Path("ellips.txt"); }

    // Both lists hold the same names: they are filled from one reading.
    void ExpectNames(const std::vector<std::string>& names)
    {
        EXPECT_EQ(BoxEllipsoid.Items, names);
        EXPECT_EQ(BoxEllipsoid2.Items, names);
    }
};

TEST_F(EllipsoidTable, NLinesListNMinusOneNames)
{
    folder.Write("ellips.txt", Lines({"Airy 1830\t6377563.396\t299.3249646", "Bessel 1841\t6377397.155\t299.1528128",
                                      "Clarke 1866\t6378206.4\t294.9786982", "End"}));
    List();
    ExpectNames({"Airy 1830", "Bessel 1841", "Clarke 1866"});
    EXPECT_TRUE(messages.Messages.empty());
}

// The last line counts as a line whether or not it ends with a line feed.
TEST_F(EllipsoidTable, LastLineWithoutLineEndIsStillTheEndMarker)
{
    folder.Write("ellips.txt", "Airy 1830\t6377563.396\t299.3249646\nBessel 1841\t6377397.155\t299.1528128\nEnd");
    List();
    ExpectNames({"Airy 1830", "Bessel 1841"});
}

TEST_F(EllipsoidTable, EmptyFileListsNothing)
{
    folder.Write("ellips.txt", "");
    List();
    ExpectNames({});
    EXPECT_EQ(BoxEllipsoid.Index, -1);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(EllipsoidTable, OneLineFileListsNothing)
{
    folder.Write("ellips.txt", "Clarke 1866\t6378206.4\t294.9786982\n");
    List();
    ExpectNames({});
    EXPECT_TRUE(messages.Messages.empty());
}

// Blanks and tabs around every field, a run of tabs as one separator, and a
// fourth field that is dropped.
TEST_F(EllipsoidTable, BlanksAndTabRunsAroundFields)
{
    folder.Write("ellips.txt", Lines({"  Alpha 1 \t 6378000.5\t\t297  \t x", "End"}));
    List();
    ExpectNames({"Alpha 1"});
    const auto alpha = Load(1);
    ASSERT_TRUE(alpha.has_value());
    EXPECT_EQ(alpha->SemiMajorAxis, 6378000.5);
    EXPECT_EQ(alpha->InverseFlattening, 297.0);
    EXPECT_TRUE(messages.Messages.empty());
}

// Listed by its name, but without an inverse flattening nothing can be
// computed: the lookup says which file and line lack it.
TEST_F(EllipsoidTable, LineWithoutInverseFlatteningIsListedButHasNoValues)
{
    folder.Write("ellips.txt", Lines({"Beta\t6378000", "End"}));
    List();
    ExpectNames({"Beta"});
    EXPECT_FALSE(Load(1).has_value());
    const std::string message = OnlyFileError();
    EXPECT_NE(message.find(EllipsPath()), std::string::npos) << message;
    EXPECT_NE(message.find("line 1"), std::string::npos) << message;
}

TEST_F(EllipsoidTable, LineWithoutTabListsEmptyAndKeepsPositions)
{
    folder.Write("ellips.txt", Lines({"Airy 1830\t6377563.396\t299.3249646", "just a remark",
                                      "Bessel 1841\t6377397.155\t299.1528128", "End"}));
    List();
    ExpectNames({"Airy 1830", "", "Bessel 1841"});
    const auto bessel = Load(3);
    ASSERT_TRUE(bessel.has_value());
    EXPECT_EQ(bessel->SemiMajorAxis, 6377397.155);
    EXPECT_FALSE(Load(2).has_value());
    EXPECT_NE(OnlyFileError().find("line 2"), std::string::npos);
}

TEST_F(EllipsoidTable, EmptyLineListsEmptyAndKeepsPositions)
{
    folder.Write("ellips.txt", Lines({"Airy 1830\t6377563.396\t299.3249646", "",
                                      "Bessel 1841\t6377397.155\t299.1528128", "End"}));
    List();
    ExpectNames({"Airy 1830", "", "Bessel 1841"});
    EXPECT_EQ(Load(3)->InverseFlattening, 299.1528128);
    EXPECT_FALSE(Load(2).has_value());
}

// The trailing TAB goes with the blanks before the first TAB is looked for.
TEST_F(EllipsoidTable, NameWithTrailingTabListsEmptyWithoutValues)
{
    folder.Write("ellips.txt", Lines({"Gamma\t", "End"}));
    List();
    ExpectNames({""});
    EXPECT_FALSE(Load(1).has_value());
    EXPECT_EQ(messages.Messages.size(), 1u);
}

// A list with nothing selected asks for line 0, which is line 1.
TEST_F(EllipsoidTable, NoSelectionReadsLineOne)
{
    folder.Write("ellips.txt", Lines({"Airy 1830\t6377563.396\t299.3249646", "Bessel 1841\t6377397.155\t299.1528128",
                                      "End"}));
    const auto line0 = Load(0);
    ASSERT_TRUE(line0.has_value());
    EXPECT_EQ(line0->SemiMajorAxis, 6377563.396);
    EXPECT_EQ(line0->Name, "Airy 1830");
}

TEST_F(EllipsoidTable, MissingFileAtListing)
{
    List();
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Text, "Can't find ellipsoid data file\nLooked for " + Path("ellips.txt"));
    EXPECT_EQ(messages.Messages[0].Caption, "File error");
    ExpectNames({});
    EXPECT_EQ(BoxEllipsoid.Index, -1);
    EXPECT_EQ(BoxEllipsoid2.Index, -1);
}

TEST_F(EllipsoidTable, MissingFileAtLookup)
{
    EXPECT_FALSE(Load(42).has_value());
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Text, "Can't find ellipsoid data file\nLooked for " + Path("ellips.txt"));
    EXPECT_EQ(messages.Messages[0].Caption, "File error");
}

TEST_F(EllipsoidTable, LineBeyondTheEndHasNoValues)
{
    folder.Write("ellips.txt", NumberedTable(2));
    EXPECT_FALSE(Load(10).has_value());
    EXPECT_NE(OnlyFileError().find(EllipsPath()), std::string::npos);
}

// 42 lines give 41 names: position 41 does not exist and nothing is selected.
TEST_F(EllipsoidTable, FortyTwoLinesSelectNothing)
{
    folder.Write("ellips.txt", NumberedTable(41));
    List();
    EXPECT_EQ(BoxEllipsoid.Items.size(), 41u);
    EXPECT_EQ(BoxEllipsoid.Index, -1);
    EXPECT_EQ(BoxEllipsoid2.Index, -1);
}

TEST_F(EllipsoidTable, FortyThreeLinesSelectLineFortyTwo)
{
    folder.Write("ellips.txt", NumberedTable(42));
    List();
    ASSERT_EQ(BoxEllipsoid.Items.size(), 42u);
    EXPECT_EQ(BoxEllipsoid.Index, 41);
    EXPECT_EQ(BoxEllipsoid2.Index, 41);
    EXPECT_EQ(BoxEllipsoid2.Items[41], "Name42");
}

// A line of exactly `length` characters: an ellipsoid padded with a remark field.
std::string LineOfLength(const std::string& name, std::size_t length)
{
    std::string line = name + "\t6378100\t298.5\t";
    line.append(length - line.size(), 'x');
    return line;
}

TEST_F(EllipsoidTable, LineOf199CharactersIsRead)
{
    folder.Write("ellips.txt", Lines({"Name1\t6378001\t298", "Name2\t6378002\t298", LineOfLength("Long", 199),
                                      "Name4\t6378004\t298", "End"}));
    List();
    ExpectNames({"Name1", "Name2", "Long", "Name4"});
    EXPECT_TRUE(messages.Messages.empty());
    ASSERT_TRUE(Load(3).has_value());
    EXPECT_EQ(Load(3)->SemiMajorAxis, 6378100.0);
}

// A line of 200 characters ends the reading as if the file ended before it,
// so the line before it becomes the unlisted last line. The user is told
// which line stopped the list.
TEST_F(EllipsoidTable, LineOf200CharactersEndsTheList)
{
    folder.Write("ellips.txt", Lines({"Name1\t6378001\t298", "Name2\t6378002\t298", LineOfLength("Long", 200),
                                      "Name4\t6378004\t298", "End"}));
    List();
    ExpectNames({"Name1"});
    const std::string message = OnlyFileError();
    EXPECT_NE(message.find(EllipsPath() + ", line 3"), std::string::npos) << message;
    EXPECT_NE(message.find("only lines 1 to 1 are listed"), std::string::npos) << message;
}

TEST_F(EllipsoidTable, LookupAtOrPastA200CharacterLineHasNoValues)
{
    folder.Write("ellips.txt", Lines({"Name1\t6378001\t298", LineOfLength("Long", 200), "Name3\t6378003\t298", "End"}));
    ASSERT_TRUE(Load(1).has_value());
    EXPECT_FALSE(Load(3).has_value());
    const std::string message = OnlyFileError();
    EXPECT_NE(message.find("line 2"), std::string::npos) << message;
}

// A table saved on Windows: the CR is a blank at the end of the line and does
// not count towards its 199 characters.
TEST_F(EllipsoidTable, CrLfLineEnds)
{
    folder.Write("ellips.txt", Lines({"Alpha\t6378000.5\t297", LineOfLength("Long", 199), "End"}, "\r\n"));
    List();
    ExpectNames({"Alpha", "Long"});
    const auto alpha = Load(1);
    ASSERT_TRUE(alpha.has_value());
    EXPECT_EQ(alpha->InverseFlattening, 297.0);
    EXPECT_TRUE(messages.Messages.empty());
}

// The table is read the same in a comma locale, and a table typed there reads too.
TEST_F(EllipsoidTable, CommaLocaleReadsBothSeparators)
{
    platform.DecimalSeparator = ',';
    folder.Write("ellips.txt", Lines({"Point\t6378206.4\t294.9786982", "Comma\t6378206,4\t294,9786982", "End"}));
    EXPECT_EQ(Load(1)->SemiMajorAxis, 6378206.4);
    EXPECT_EQ(Load(2)->SemiMajorAxis, 6378206.4);
    EXPECT_EQ(Load(2)->InverseFlattening, 294.9786982);
}

struct DamagedCase {
    const char* name;
    const char* semiMajorAxis;
    const char* inverseFlattening;
};

class DamagedEllipsoidLine : public testing::TableTest, public ::testing::WithParamInterface<DamagedCase> {};

// Texts that are no number and numbers that are no ellipsoid alike: no
// values, and a "File error" message naming the file, the line and the value.
TEST_P(DamagedEllipsoidLine, NamesFileLineAndValue)
{
    const DamagedCase& c = GetParam();
    folder.Write("ellips.txt", Lines({"Good\t6378137\t298.257223563",
                                      std::string("Damaged\t") + c.semiMajorAxis + "\t" + c.inverseFlattening, "End"}));
    const std::string bad = std::string(c.semiMajorAxis) == "6378137" ? c.inverseFlattening : c.semiMajorAxis;
    EXPECT_FALSE(Shown([&] { return LoadEllipsoid(platform, "ellips.txt", 2); }).has_value());
    const std::string said = OnlyFileError();
    EXPECT_NE(said.find(Path("ellips.txt") + ", line 2"), std::string::npos) << said;
    EXPECT_NE(said.find(bad), std::string::npos) << said;
}

INSTANTIATE_TEST_SUITE_P(
    EllipsoidTable, DamagedEllipsoidLine,
    ::testing::Values(DamagedCase{"InverseFlatteningBelowEarths", "6378137", "249.9"},
                      DamagedCase{"InverseFlatteningDigitAdded", "6378137", "2982.57"},
                      DamagedCase{"SemiMajorAxisDigitLost", "637813.7", "298.25"},
                      DamagedCase{"InverseFlatteningOne", "6378137", "1"},
                      DamagedCase{"InverseFlatteningBelowOne", "6378137", "0.5"},
                      DamagedCase{"InverseFlatteningNegative", "6378137", "-298.25"},
                      DamagedCase{"SemiMajorAxisZero", "0", "298.25"},
                      DamagedCase{"SemiMajorAxisNegative", "-6378137", "298.25"},
                      DamagedCase{"InverseFlatteningInf", "6378137", "inf"},
                      DamagedCase{"InverseFlatteningInfinity", "6378137", "Infinity"},
                      DamagedCase{"InverseFlatteningNan", "6378137", "NaN"},
                      DamagedCase{"InverseFlatteningOverflow", "6378137", "1e400"},
                      DamagedCase{"InverseFlatteningWord", "6378137", "flat"},
                      DamagedCase{"InverseFlatteningCommaUnderPoint", "6378137", "298,25"},
                      DamagedCase{"SemiMajorAxisWord", "abc", "298.25"}),
    [](const ::testing::TestParamInfo<DamagedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kartoval
