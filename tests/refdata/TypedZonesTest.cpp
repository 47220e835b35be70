// Zones and ellipsoids as the converters take them: typed, in their grid's
// unit, and every data problem a CommandError under "File error".

#include "refdata/Ellipsoids.hpp"
#include "refdata/StatePlaneZones.hpp"
#include "refdata/UtmZones.hpp"
#include "TableFixture.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <variant>

namespace kartoval {
namespace {

TEST(UtmZoneTest, GivesTheZonesTmParameters)
{
    const TmParams zone1 = UtmZone(0, Hemisphere::North);
    EXPECT_EQ(zone1.CentralMeridian, -177.0);
    EXPECT_EQ(zone1.LatitudeOfOrigin, 0.0);
    EXPECT_EQ(zone1.ScaleFactor, 0.9996);
    EXPECT_EQ(zone1.FalseEasting, 500000.0);
    EXPECT_EQ(zone1.FalseNorthing, 0.0);
    const TmParams zone31 = UtmZone(30, Hemisphere::South);
    EXPECT_EQ(zone31.CentralMeridian, 3.0);
    EXPECT_EQ(zone31.FalseNorthing, 10000000.0);
}

class TypedZones : public testing::TableTest {
protected:
    void SetUp() override
    {
        const std::string zones = Lines({"Zone T\tTM\t-120.5\t31\t0.9999\t500000\t10", "Zone L\tLAMBERT\t-96\t23\t33\t45\t600000\t50000",
                                         "Zone O\tOM1\t57\t-133.6\t323.1\t323.1\t0.9999\t5000000\t-5000000", "End"});
        folder.Write("nad27.txt", zones);
        folder.Write("nad83.txt", zones);
    }

    // The message of the error the call ends with, checking its caption.
    std::string FileError(const std::function<void()>& call)
    {
        try {
            call();
        } catch (const CommandError& error) {
            EXPECT_EQ(error.Caption(), "File error");
            return error.what();
        }
        ADD_FAILURE() << "no error";
        return {};
    }
};

TEST_F(TypedZones, EachKindWithNamedParametersAndItsUnit)
{
    const StatePlaneZone tm = LoadStatePlaneZone(platform, XyProjectionKind::Nad27, 0);
    EXPECT_EQ(tm.Name, "Zone T");
    EXPECT_EQ(tm.Unit, GridUnit::UsSurveyFoot);
    const TmParams& t = std::get<TmParams>(tm.Projection);
    EXPECT_EQ(t.CentralMeridian, -120.5);
    EXPECT_EQ(t.LatitudeOfOrigin, 31.0);
    EXPECT_EQ(t.ScaleFactor, 0.9999);
    EXPECT_EQ(t.FalseEasting, 500000.0);
    EXPECT_EQ(t.FalseNorthing, 10.0);

    const StatePlaneZone lcc = LoadStatePlaneZone(platform, XyProjectionKind::Nad83, 1);
    EXPECT_EQ(lcc.Unit, GridUnit::Metre);
    const LccParams& l = std::get<LccParams>(lcc.Projection);
    EXPECT_EQ(l.LatitudeOfOrigin, 23.0);
    EXPECT_EQ(l.FirstParallel, 33.0);
    EXPECT_EQ(l.SecondParallel, 45.0);
    EXPECT_EQ(l.FalseEasting, 600000.0);
    EXPECT_EQ(l.FalseNorthing, 50000.0);

    EXPECT_EQ(std::get<OmParams>(LoadStatePlaneZone(platform, XyProjectionKind::Nad83, 2).Projection).Azimuth,
              323.1);
    const auto all = ReadStatePlaneZones(platform, XyProjectionKind::Nad83);
    ASSERT_EQ(all.size(), 3U);
    EXPECT_EQ(all[1].Name, "Zone L");
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(TypedZones, DataProblemsAreFileErrorsNamingFileAndLine)
{
    folder.Write("nad83.txt", Lines({"Zone X\tPOLAR\t1\t2", "Zone T\tTM\t-120.5\t31\t0.9999", "End"}));
    EXPECT_EQ(FileError([&] { (void)LoadStatePlaneZone(platform, XyProjectionKind::Nad83, 0); }),
              Path("nad83.txt") + ", line 1: the projection 'POLAR' is none of LAMBERT, TM and OM1.");
    EXPECT_EQ(FileError([&] { (void)LoadStatePlaneZone(platform, XyProjectionKind::Nad83, 1); }),
              Path("nad83.txt") + ", line 2: the zone has no false easting (parameter 4).");
    EXPECT_NE(FileError([&] { (void)ReadStatePlaneZones(platform, XyProjectionKind::Nad83); }).find(", line 1"),
              std::string::npos);
    std::filesystem::remove(folder.Path / "nad83.txt");
    EXPECT_EQ(FileError([&] { (void)LoadStatePlaneZone(platform, XyProjectionKind::Nad83, 0); }),
              "Can't find NAD data file\nLooked for " + Path("nad83.txt"));
    folder.Write("ellips.txt", Lines({"Good\t6378137\t298.257223563", "Bad\t6378137\tflat", "End"}));
    EXPECT_NE(FileError([&] { (void)ReadEllipsoids(platform); }).find(Path("ellips.txt") + ", line 2"),
              std::string::npos);
    EXPECT_TRUE(messages.Messages.empty());  // nothing shown: the caller decides
}

// Values no Earth ellipsoid or State Plane zone has, names listed twice and
// tables cut short: refused naming the file and line, before any conversion.
TEST_F(TypedZones, ImplausibleTablesAreRefused)
{
    const struct {
        const char* Name;
        const char* File;
        std::vector<std::string> Lines;
        std::string Message;  // after "<path>"
    } cases[]{
        {"scale factor 0", "nad83.txt", {"Zone T\tTM\t-120.5\t31\t0.0\t500000\t0", "End"},
         ", line 1: scale factor 0 (parameter 3) is outside 0.99..1.01"},
        {"latitude beyond the pole", "nad83.txt", {"Zone T\tTM\t-120.5\t95\t0.9999\t500000\t0", "End"},
         ", line 1: latitude of origin 95 (parameter 2) is outside -90..90"},
        {"parallels across the equator", "nad83.txt", {"Zone L\tLAMBERT\t-96\t23\t33\t-45\t600000\t0", "End"},
         ", line 1: the standard parallels 33 and -45 are not on one side of the equator"},
        {"both parallels on the equator", "nad83.txt", {"Zone L\tLAMBERT\t-96\t0\t0\t0\t600000\t0", "End"},
         ", line 1: the standard parallels 0 and 0 are not on one side of the equator"},
        {"parallel at the pole", "nad83.txt", {"Zone L\tLAMBERT\t-96\t23\t90\t45\t600000\t0", "End"},
         ", line 1: first standard parallel 90 (parameter 3) is not between the poles"},
        {"zone name twice", "nad83.txt",
         {"Zone T\tTM\t-120.5\t31\t0.9999\t500000\t0", "zone t\tTM\t-121\t31\t0.9999\t500000\t0", "End"},
         ", line 2: the zone name 'zone t' is also on line 1"},
        {"cut short", "nad83.txt", {"Zone T\tTM\t-120.5\t31\t0.9999\t500000\t0", "Zone U\tTM\t-121\t31"},
         ", line 2 holds an entry where the end marker line"},
        {"empty", "nad83.txt", {}, " is empty"},
        {"ellipsoid twice", "ellips.txt", {"A\t6378137\t298.25", "A\t6378206.4\t294.98", "End"},
         ", line 2: the ellipsoid name 'A' is also on line 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        folder.Write(c.File, c.Lines.empty() ? std::string() : Lines(c.Lines));
        const std::string said = FileError([&] {
            if (std::string(c.File) == "ellips.txt") (void)ReadEllipsoids(platform);
            else (void)ReadStatePlaneZones(platform, XyProjectionKind::Nad83);
        });
        EXPECT_EQ(said.rfind(Path(c.File) + c.Message, 0), 0U) << said;
    }
}

// WGS 84's first eccentricity is 0.0818191908426215 (EPSG); the factor 1e-15
// is a few units in its last place.
TEST_F(TypedZones, EllipsoidInTheGridUnit)
{
    const Ellipsoid wgs84{"WGS 84", 6378137.0, 298.257223563};
    const EllipsoidParams metres = EllipsoidInUnit(wgs84, GridUnit::Metre);
    EXPECT_EQ(metres.SemiMajorAxis, 6378137.0);
    EXPECT_NEAR(metres.Eccentricity, 0.0818191908426215, 1e-15);
    EXPECT_EQ(EllipsoidInUnit(wgs84, GridUnit::UsSurveyFoot).SemiMajorAxis, 6378137.0 * 3.28083333333333);
}

}  // namespace
}  // namespace kartoval
