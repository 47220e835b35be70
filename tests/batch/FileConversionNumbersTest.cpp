// The numbers a run writes: checked against PROJ, against the formulas
// themselves where PROJ's exact method and the series part ways, and by round
// trips of whole files.

#include "BatchFixture.hpp"

#include "tests/support/ClassicProjectionFunctions.hpp"
#include "geodesy/TransverseMercator.hpp"

#include <cmath>

namespace kartoval::testing {
namespace {

// Half a unit of the sixth decimal that the file carries.
constexpr double kWrittenRounding = 0.5e-6;

TEST_F(BatchRun, DefaultColumnsExampleUsesWestLongitudeAndZone29Meridian)
{
    // 101 9.5 38.7 with the window's defaults: columns A, B, C, west
    // longitudes without minus, zone position 28 (central meridian -9).
    // echo "-9.5 38.7" | proj +proj=utm +zone=29 +ellps=WGS84 -f %.6f;
    // the series (meridian arc to e^6) is within 1 mm of PROJ in the zone.
    ASSERT_EQ(settings.ZonePosition, 28);
    ASSERT_TRUE(settings.WestWithoutMinus);
    const auto numbers = outputNumbers(convert("101 9.5 38.7\n"));
    ASSERT_EQ(numbers.size(), 1U);
    EXPECT_NEAR(numbers[0][1], 456521.767014, 1e-3);
    EXPECT_NEAR(numbers[0][2], 4283604.734614, 1e-3);
}

// Washington's longitude in the default zone 29 comes out 5,000 km west of
// the zone: a point of another zone, refused with nothing written.
TEST_F(BatchRun, PointOfAnotherZoneIsRefusedWithTheCount)
{
    run("101 77.5 38.9\n102 9.5 38.7\n");
    EXPECT_FALSE(outputExists());
    EXPECT_EQ(onlyMessage().Text, "Line 1: -77.5, 38.9 lies 5,052 km west of the area of UTM zone 29N (1 of 2 "
                                  "points). No file was written.");
}

TEST_F(BatchRun, ZoneGridValuesAgreeWithProj)
{
    // echo "lon lat" | proj +proj=utm +zone=29 +ellps=WGS84 -f %.6f
    // Within the zone the series (meridian arc to e^6) stays within 1 mm of
    // PROJ's exact method; tolerance 2 mm in metres.
    constexpr double kToleranceM = 0.002;
    const struct {
        const char* name;
        double lon, lat, easting, northing;
    } rows[] = {
        {"Lisbon area", -8.5, 38.9, 543356.871815, 4305798.370824},
        {"east edge", -6.2, 41.3, 734425.510163, 4575842.944253},
        {"west edge near equator", -11.9, 0.5, 177176.037447, 55336.377566},
        {"central meridian at 60N", -9.0, 60.0, 500000.000000, 6651411.190363},
        {"far north", -7.1, 71.2, 568329.570355, 7900775.585195},
    };
    settings.WestWithoutMinus = false;
    std::string input;
    for (const auto& r : rows) input += "7 " + FixedToStr(r.lon, 6) + " " + FixedToStr(r.lat, 6) + "\n";
    const auto forward = outputNumbers(convert(input));
    ASSERT_EQ(forward.size(), std::size(rows));

    // And back: PROJ's grid values to degrees; 2 mm is under 2e-8 degrees, so
    // the written rounding dominates.
    settings.Direction = ConversionDirection::UtmToDegrees;
    input.clear();
    for (const auto& r : rows) input += "7\t" + FixedToStr(r.easting, 6) + "\t" + FixedToStr(r.northing, 6) + "\n";
    const auto inverse = outputNumbers(convert(input));
    ASSERT_EQ(inverse.size(), std::size(rows));

    for (std::size_t k = 0; k < std::size(rows); ++k) {
        SCOPED_TRACE(rows[k].name);
        EXPECT_EQ(forward[k][0], 7.0);
        EXPECT_NEAR(forward[k][1], rows[k].easting, kToleranceM);
        EXPECT_NEAR(forward[k][2], rows[k].northing, kToleranceM);
        EXPECT_NEAR(inverse[k][1], rows[k].lon, kWrittenRounding + 1e-7);
        EXPECT_NEAR(inverse[k][2], rows[k].lat, kWrittenRounding + 1e-7);
    }
}

TEST_F(BatchRun, WestWithoutMinusTurnsEverySign)
{
    const struct {
        const char* name;
        bool westWithoutMinus;
        const char* input;
        const char* sameAs;  // the same points written with their true signs
    } cases[] = {
        {"west written plain", true, "1 8.5 38.9\n", "1 -8.5 38.9\n"},
        {"plus sign kept west", true, "1 +8.5 38.9\n", "1 -8.5 38.9\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.WestWithoutMinus = c.westWithoutMinus;
        const std::string withRule = convert(c.input);
        settings.WestWithoutMinus = false;
        EXPECT_EQ(withRule, convert(c.sameAs));
    }
}

TEST_F(BatchRun, WestWithoutMinusPlaysNoPartTowardsDegrees)
{
    settings.Direction = ConversionDirection::UtmToDegrees;
    settings.WestWithoutMinus = true;
    const std::string withRule = convert("1 543356.871815 4305798.370824\n");
    settings.WestWithoutMinus = false;
    EXPECT_EQ(withRule, convert("1 543356.871815 4305798.370824\n"));
    // West of Greenwich comes out negative.
    EXPECT_NEAR(outputNumbers(withRule)[0][1], -8.5, kWrittenRounding + 1e-7);
}

TEST_F(BatchRun, OneColumnMayFeedTwoFields)
{
    settings.WestWithoutMinus = false;
    settings.ZonePosition = 30;  // central meridian 3
    settings.LatColumn = 1;
    settings.SpColumn = 2;
    const auto rows = outputNumbers(convert("x 4.25 12\n"));
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0][0], 12.0);
    // Longitude and latitude both 4.25; the written values round to 1e-6 m.
    EXPECT_NEAR(rows[0][1], TmEasting(4.25, 4.25, 3.0, kWgs84A, 500000.0, 0.9996, kWgs84E), 1e-6);
    EXPECT_NEAR(rows[0][2], TmNorthing(4.25, 4.25, 3.0, 0.0, kWgs84A, kWgs84E, 0.0, 0.9996), 1e-6);
}

TEST_F(BatchRun, EllipsoidComesFromItsListPosition)
{
    settings.EllipsoidPosition = kClarke1866Position;
    settings.WestWithoutMinus = false;
    const auto rows = outputNumbers(convert("1 -8.5 38.9\n"));
    const double clarkeE = EccentricityFromInverseFlattening(294.9786982);
    // Clarke 1866 and WGS 84 differ by some 200 m here; 1e-6 m is the rounding.
    EXPECT_NEAR(rows[0][2], TmNorthing(-8.5, 38.9, -9.0, 0.0, 6378206.4, clarkeE, 0.0, 0.9996), 1e-6);
}

TEST_F(BatchRun, CommaLocaleReadsBothSeparatorsAndWritesPoints)
{
    platform.DecimalSeparator = ',';
    const std::string withPoints = convert("101 9.5 38.7\n");
    EXPECT_EQ(convert("101 9,5 38,7\n"), withPoints);
    EXPECT_EQ(withPoints.find(','), std::string::npos);
}

TEST_F(BatchRun, WholeFilesRoundTrip)
{
    // A grid over zone 29 from the equator to 84N.
    settings.WestWithoutMinus = false;
    std::string degrees;
    int shotPoint = 0;
    for (double lat = 0.0; lat <= 84.0; lat += 7.0) {
        for (double lon = -12.0; lon <= -6.0; lon += 0.75) {
            degrees += std::to_string(++shotPoint) + "\t" + FixedToStr(lon, 6) + "\t" + FixedToStr(lat, 6) + "\n";
        }
    }
    const std::string grid = convert(degrees);
    settings.Direction = ConversionDirection::UtmToDegrees;
    folder.Write("in.txt", grid);
    const std::string back = convert(grid);

    settings.Direction = ConversionDirection::DegreesToUtm;
    const std::string gridAgain = convert(back);

    const auto start = outputNumbers(degrees);
    const auto middle = outputNumbers(grid);
    const auto end = outputNumbers(back);
    const auto last = outputNumbers(gridAgain);
    ASSERT_EQ(end.size(), start.size());
    ASSERT_EQ(last.size(), start.size());
    // Degrees: the series' own forward-inverse mismatch is below 1e-8 degrees
    // in the zone, so the written rounding of the degrees is what remains.
    // Metres: that rounding, 5e-7 degrees, is up to 0.056 m on the ground;
    // with the grid's convergence (under 3 degrees) 0.06 m in metres.
    for (std::size_t k = 0; k < start.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(end[k][0], start[k][0]);
        EXPECT_NEAR(end[k][1], start[k][1], kWrittenRounding + 1e-8);
        EXPECT_NEAR(end[k][2], start[k][2], kWrittenRounding + 1e-8);
        EXPECT_NEAR(last[k][1], middle[k][1], 0.06);
        EXPECT_NEAR(last[k][2], middle[k][2], 0.06);
    }
}

}  // namespace
}  // namespace kartoval::testing
