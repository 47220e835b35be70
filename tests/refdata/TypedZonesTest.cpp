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
