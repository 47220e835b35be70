// The shipped data tables (data/ellips.txt, nad27.txt, nad83.txt) read as the
// program reads them: their shape, their counts, their order, and values that
// published sources give independently of the generator.

#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/TableFile.hpp"
#include "support/Fakes.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace kartoval {
namespace {

using testing::FakeList;
using testing::FakeMessages;

const std::filesystem::path kDataFolder(KARTOVAL_DATA_DIR);
constexpr const char* kEndMarker = "End of table";

std::string readBytes(const char* fileName)
{
    std::ifstream in(kDataFolder / fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// "Alaska zone 2" before "Alaska zone 10"; letters without regard to case.
bool naturalLess(const std::string& left, const std::string& right)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < left.size() && j < right.size()) {
        const auto isDigit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
        if (isDigit(left[i]) && isDigit(right[j])) {
            std::size_t iEnd = i;
            std::size_t jEnd = j;
            while (iEnd < left.size() && isDigit(left[iEnd])) ++iEnd;
            while (jEnd < right.size() && isDigit(right[jEnd])) ++jEnd;
            const unsigned long a = std::stoul(left.substr(i, iEnd - i));
            const unsigned long b = std::stoul(right.substr(j, jEnd - j));
            if (a != b) return a < b;
            i = iEnd;
            j = jEnd;
            continue;
        }
        const int a = std::tolower(static_cast<unsigned char>(left[i]));
        const int b = std::tolower(static_cast<unsigned char>(right[j]));
        if (a != b) return a < b;
        ++i;
        ++j;
    }
    return left.size() - i < right.size() - j;
}

struct Tables {
    FakeMessages Messages;
    Platform Env{Messages, kDataFolder, '.'};

    std::vector<std::string> ellipsoidNames()
    {
        FakeList box;
        FakeList box2;
        ListEllipsoids(box, box2, Env);
        return box.Items;
    }
    std::vector<std::string> zoneNames(const char* fileName)
    {
        FakeList list;
        if (std::string(fileName) == kNad27FileName) {
            ListNad27Zones(list, Env);
        } else {
            ListNad83Zones(list, Env);
        }
        return list.Items;
    }
    // Line number of a listed name, 0 when it is not listed.
    static int lineOf(const std::vector<std::string>& names, const std::string& name)
    {
        const auto found = std::find(names.begin(), names.end(), name);
        return found == names.end() ? 0 : static_cast<int>(found - names.begin()) + 1;
    }
};

// ------------------------------------------------------------ ellipsoids

TEST(ShippedEllipsoids, Line42IsWgs84AndSelectedAtStart)
{
    Tables tables;
    FakeList box;
    FakeList box2;
    ListEllipsoids(box, box2, tables.Env);
    ASSERT_GE(box.Items.size(), 42U);
    EXPECT_EQ(box.Index, kDefaultEllipsoidPosition);
    EXPECT_EQ(box2.Index, kDefaultEllipsoidPosition);
    EXPECT_EQ(box.Items[kDefaultEllipsoidPosition], "WGS 84");
    const std::optional<Ellipsoid> wgs84 = LoadEllipsoid(tables.Env, kEllipsoidFileName, 42);
    ASSERT_TRUE(wgs84.has_value());
    // Exact: the table holds the defining decimals, which read back as the
    // same doubles as these literals.
    EXPECT_EQ(wgs84->SemiMajorAxis, 6378137.0);
    EXPECT_EQ(wgs84->InverseFlattening, 298.257223563);
    EXPECT_TRUE(tables.Messages.Messages.empty());
}

struct NamedEllipsoid {
    const char* Name;
    double SemiMajorAxis;       // metres
    double InverseFlattening;
    double AxisTolerance;       // metres
    double FlatteningTolerance;
};

// Defining values as EPSG publishes them. Exact (tolerance 0) where the table
// copies a defining decimal; where the table derives a value, the tolerance
// covers the rounding of the value written here (one unit in its last digit).
constexpr NamedEllipsoid kNamedEllipsoids[] = {
    {"GRS 1980", 6378137.0, 298.257222101, 0.0, 0.0},
    {"International 1924", 6378388.0, 297.0, 0.0, 0.0},
    {"Bessel 1841", 6377397.155, 299.1528128, 0.0, 0.0},
    {"Krassowsky 1940", 6378245.0, 298.3, 0.0, 0.0},
    {"Airy 1830", 6377563.396, 299.3249646, 0.0, 0.0},
    // Defined by a = 6378206.4 m and b = 6356583.8 m: 1/f = a / (a - b).
    {"Clarke 1866", 6378206.4, 294.9786982139058, 0.0, 1e-12},
    // Defined in US survey feet, a = 20926631.531, b = 20855688.674: a in
    // metres is a x 1200/3937 (not the rounded 0.3048006096 m a foot).
    {"Clarke 1866 Michigan", 6378450.047548895, 294.9786971646772, 1e-8, 1e-12},
};

void PrintTo(const NamedEllipsoid& row, std::ostream* out) { *out << row.Name; }

class ShippedNamedEllipsoid : public ::testing::TestWithParam<NamedEllipsoid> {};

TEST_P(ShippedNamedEllipsoid, HasItsDefiningValues)
{
    const NamedEllipsoid& expected = GetParam();
    Tables tables;
    const int line = Tables::lineOf(tables.ellipsoidNames(), expected.Name);
    ASSERT_GT(line, 0) << expected.Name << " is not listed";
    const std::optional<Ellipsoid> ellipsoid = LoadEllipsoid(tables.Env, kEllipsoidFileName, line);
    ASSERT_TRUE(ellipsoid.has_value());
    EXPECT_NEAR(ellipsoid->SemiMajorAxis, expected.SemiMajorAxis, expected.AxisTolerance);
    EXPECT_NEAR(ellipsoid->InverseFlattening, expected.InverseFlattening, expected.FlatteningTolerance);
}

INSTANTIATE_TEST_SUITE_P(Epsg, ShippedNamedEllipsoid, ::testing::ValuesIn(kNamedEllipsoids),
                         [](const auto& info) {
                             std::string name = info.param.Name;
                             std::replace_if(name.begin(), name.end(),
                                             [](char c) { return std::isalnum(static_cast<unsigned char>(c)) == 0; },
                                             '_');
                             return name;
                         });

TEST(ShippedEllipsoids, EveryLineIsAnEarthEllipsoidWithAUniqueName)
{
    Tables tables;
    const std::vector<std::string> names = tables.ellipsoidNames();
    ASSERT_GE(names.size(), 42U);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    for (int line = 1; line <= static_cast<int>(names.size()); ++line) {
        SCOPED_TRACE("ellips.txt line " + std::to_string(line) + " " + names[static_cast<std::size_t>(line - 1)]);
        EXPECT_FALSE(names[static_cast<std::size_t>(line - 1)].empty());
        const std::optional<Ellipsoid> ellipsoid = LoadEllipsoid(tables.Env, kEllipsoidFileName, line);
        ASSERT_TRUE(ellipsoid.has_value());
        // Every Earth ellipsoid in use: a within 6376 to 6379 km, 1/f 290 to 311
        // (Zach 1812 is the flattest at 310); a value in feet left unconverted
        // or a sphere would fall outside.
        EXPECT_GT(ellipsoid->SemiMajorAxis, 6376000.0);
        EXPECT_LT(ellipsoid->SemiMajorAxis, 6379000.0);
        EXPECT_GT(ellipsoid->InverseFlattening, 290.0);
        EXPECT_LT(ellipsoid->InverseFlattening, 311.0);
    }
    EXPECT_TRUE(tables.Messages.Messages.empty());
}

// ------------------------------------------------------------ file shape

class ShippedTableFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedTableFile, HasShortLfLinesAndEndsWithTheMarker)
{
    const std::string bytes = readBytes(GetParam());
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n');
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    const std::vector<std::string> lines = splitLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), kMaxTableLineLength) << GetParam() << " line " << i + 1;
        EXPECT_TRUE(std::all_of(lines[i].begin(), lines[i].end(),
                                [](char c) { return c == '\t' || (c >= 32 && c < 127); }))
            << GetParam() << " line " << i + 1 << " is not plain single-byte text";
    }
    ASSERT_FALSE(lines.empty());
    // The last line is never listed; it must not look like an entry either.
    EXPECT_EQ(lines.back(), kEndMarker);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_NE(lines[i].find('\t'), std::string::npos) << GetParam() << " line " << i + 1 << " has no TAB";
    }
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedTableFile, ::testing::Values("ellips.txt", "nad27.txt", "nad83.txt"),
                         [](const auto& info) { return std::string(info.param).substr(0, 5); });

// ------------------------------------------------------------ zones

struct ZoneTableCounts {
    const char* FileName;
    std::size_t Lambert;
    std::size_t Tm;
    std::size_t Om1;
};

// NAD27: the 125 current "NAD27 / <state> <zone>" State Plane zones of EPSG
// (69 conics and the 3 Michigan ones, 52 transverse Mercator, Alaska zone 1),
// the five Old Hawaiian zones (TM) and the Puerto Rico and St. Croix cones.
// NAD83: the 124 State Plane zones in metres.
constexpr ZoneTableCounts kZoneTables[] = {
    {kNad27FileName, 74, 57, 1},
    {kNad83FileName, 69, 54, 1},
};

void PrintTo(const ZoneTableCounts& row, std::ostream* out) { *out << row.FileName; }

class ShippedZoneTable : public ::testing::TestWithParam<ZoneTableCounts> {};

TEST_P(ShippedZoneTable, EveryZoneHasTheParametersOfItsKind)
{
    const ZoneTableCounts& expected = GetParam();
    Tables tables;
    const std::vector<std::string> names = tables.zoneNames(expected.FileName);
    ASSERT_EQ(names.size(), expected.Lambert + expected.Tm + expected.Om1);
    std::size_t lambert = 0;
    std::size_t tm = 0;
    std::size_t om1 = 0;
    for (int line = 1; line <= static_cast<int>(names.size()); ++line) {
        SCOPED_TRACE(std::string(expected.FileName) + " line " + std::to_string(line) + " " +
                     names[static_cast<std::size_t>(line - 1)]);
        const std::optional<ZoneDefinition> zone = LoadZoneDefinition(tables.Env, expected.FileName, line);
        ASSERT_TRUE(zone.has_value());
        ASSERT_TRUE(zone->Kind.has_value()) << "keyword " << zone->Keyword;
        std::size_t needed = 0;
        switch (*zone->Kind) {
        case ZoneProjectionKind::Lcc:
            ++lambert;
            needed = 6;
            break;
        case ZoneProjectionKind::Tm:
            ++tm;
            needed = 5;
            break;
        case ZoneProjectionKind::Om1:
            ++om1;
            needed = 7;
            break;
        }
        for (std::size_t k = 0; k < kZoneParamCount; ++k) {
            EXPECT_EQ(zone->Params[k].has_value(), k < needed) << "parameter " << k + 1;
        }
        if (*zone->Kind == ZoneProjectionKind::Om1) continue;
        // Every US zone lies in the north-west quarter of the globe, the
        // Aleutian zone's central meridian of 176 W included; degrees.
        const double centralMeridian = *zone->Param(1);
        EXPECT_GE(centralMeridian, -180.0);
        EXPECT_LT(centralMeridian, -60.0);
        EXPECT_GT(*zone->Param(2), 15.0);
        EXPECT_LT(*zone->Param(2), 72.0);
        if (*zone->Kind == ZoneProjectionKind::Lcc) {
            // Two distinct standard parallels a few degrees from the latitude
            // of origin (south of both, but for California zone VII of 1927,
            // whose origin lies between them).
            EXPECT_NE(*zone->Param(3), *zone->Param(4));
            for (int k : {3, 4}) {
                EXPECT_LT(std::abs(*zone->Param(k) - *zone->Param(2)), 5.0) << "parameter " << k;
            }
        } else {
            // State Plane scale factors: 1 - 1/10000 at the least, 1 at the most.
            EXPECT_GE(*zone->Param(3), 0.9999);
            EXPECT_LE(*zone->Param(3), 1.0);
        }
    }
    EXPECT_EQ(lambert, expected.Lambert);
    EXPECT_EQ(tm, expected.Tm);
    EXPECT_EQ(om1, expected.Om1);
    EXPECT_TRUE(tables.Messages.Messages.empty());
}

TEST_P(ShippedZoneTable, NamesAreUniqueAndInAlphabeticalOrder)
{
    Tables tables;
    const std::vector<std::string> names = tables.zoneNames(GetParam().FileName);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    for (std::size_t i = 1; i < names.size(); ++i) {
        EXPECT_TRUE(naturalLess(names[i - 1], names[i])) << names[i - 1] << " before " << names[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedZoneTable, ::testing::ValuesIn(kZoneTables),
                         [](const auto& info) { return std::string(info.param.FileName).substr(0, 5); });

TEST(NaturalOrder, ComparesNumbersByValueAndLettersWithoutCase)
{
    EXPECT_TRUE(naturalLess("Alaska zone 2", "Alaska zone 10"));
    EXPECT_FALSE(naturalLess("Alaska zone 10", "Alaska zone 2"));
    EXPECT_TRUE(naturalLess("Texas North", "Texas North Central"));
    EXPECT_TRUE(naturalLess("california zone I", "California zone II"));
    EXPECT_FALSE(naturalLess("Utah", "Utah"));
}

struct PublishedZone {
    const char* Row;
    const char* FileName;
    const char* Name;
    ZoneProjectionKind Kind;
    double Params[6];  // in the table's roles; for LAMBERT the parallels in either order
};

// Degrees and minutes to degrees, the sign of the degrees applying to both.
constexpr double dms(double degrees, double minutes)
{
    return degrees < 0 ? degrees - minutes / 60.0 : degrees + minutes / 60.0;
}

// Zone constants as the US Coast and Geodetic Survey and NGS published them
// (Special Publication 235 for 1927, Manual NOS NGS 5 for 1983), written in
// degrees and minutes here so that a table left in EPSG's sexagesimal
// notation (30.3 for 30 deg 30') or with feet and metres mixed up fails.
const PublishedZone kPublishedZones[] = {
    {"Nad27AlabamaEast", kNad27FileName, "Alabama East", ZoneProjectionKind::Tm,
     {dms(-85, 50), 30.5, 0.99996, 500000.0, 0.0, 0.0}},
    {"Nad27TexasSouthCentral", kNad27FileName, "Texas South Central", ZoneProjectionKind::Lcc,
     {-99.0, dms(27, 50), dms(28, 23), dms(30, 17), 2000000.0, 0.0}},
    {"Nad27MichiganSouth", kNad27FileName, "Michigan South", ZoneProjectionKind::Lcc,
     {dms(-84, 20), 41.5, dms(42, 6), dms(43, 40), 2000000.0, 0.0}},
    {"OldHawaiianZone3", kNad27FileName, "Hawaii zone 3", ZoneProjectionKind::Tm,
     {-158.0, dms(21, 10), 0.99999, 500000.0, 0.0, 0.0}},
    {"Nad27StCroix", kNad27FileName, "St. Croix", ZoneProjectionKind::Lcc,
     {dms(-66, 26), dms(17, 50), dms(18, 2), dms(18, 26), 500000.0, 100000.0}},
    {"Nad83AlabamaEast", kNad83FileName, "Alabama East", ZoneProjectionKind::Tm,
     {dms(-85, 50), 30.5, 0.99996, 200000.0, 0.0, 0.0}},
    {"Nad83CaliforniaZone3", kNad83FileName, "California zone 3", ZoneProjectionKind::Lcc,
     {-120.5, 36.5, dms(37, 4), dms(38, 26), 2000000.0, 500000.0}},
    {"Nad83PuertoRico", kNad83FileName, "Puerto Rico & Virgin Is.", ZoneProjectionKind::Lcc,
     {dms(-66, 26), dms(17, 50), dms(18, 2), dms(18, 26), 200000.0, 200000.0}},
};

void PrintTo(const PublishedZone& row, std::ostream* out) { *out << row.FileName << " " << row.Name; }

class ShippedPublishedZone : public ::testing::TestWithParam<PublishedZone> {};

TEST_P(ShippedPublishedZone, HasThePublishedConstants)
{
    const PublishedZone& expected = GetParam();
    Tables tables;
    const int line = Tables::lineOf(tables.zoneNames(expected.FileName), expected.Name);
    ASSERT_GT(line, 0) << expected.Name << " is not listed in " << expected.FileName;
    const std::optional<ZoneDefinition> zone = LoadZoneDefinition(tables.Env, expected.FileName, line);
    ASSERT_TRUE(zone.has_value());
    ASSERT_EQ(zone->Kind, expected.Kind);
    // 1e-12 degree (0.1 micrometre) and 1e-9 of a foot or metre: the table is
    // written to round-trip, so only the last bit of the sums above may differ.
    const bool lambert = expected.Kind == ZoneProjectionKind::Lcc;
    const std::size_t count = lambert ? 6 : 5;
    for (std::size_t k = 0; k < count; ++k) {
        const bool linear = lambert ? k >= 4 : k >= 3;
        const bool scale = !lambert && k == 2;
        double want = expected.Params[k];
        if (lambert && (k == 2 || k == 3) &&
            std::abs(*zone->Params[2] - expected.Params[2]) > std::abs(*zone->Params[2] - expected.Params[3])) {
            want = expected.Params[k == 2 ? 3 : 2];  // parallels listed the other way round
        }
        EXPECT_NEAR(*zone->Params[k], want, linear ? 1e-9 : scale ? 1e-15 : 1e-12) << "parameter " << k + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Published, ShippedPublishedZone, ::testing::ValuesIn(kPublishedZones),
                         [](const auto& info) { return std::string(info.param.Row); });

}  // namespace
}  // namespace kartoval
