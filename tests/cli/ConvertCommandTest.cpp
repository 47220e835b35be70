// kartoval-convert run as a function: bad input gets one clear line on
// standard error and the right exit status, files are all or nothing, and
// worked values agree with PROJ.

#include "batch/FileConversion.hpp"
#include "cli/Arguments.hpp"
#include "cli/ConvertCommand.hpp"
#include "RunCommand.hpp"
#include "support/Fakes.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace kartoval::testing {
namespace {

using namespace std::string_literals;

Result run(const std::vector<std::string>& arguments, const std::string& input = {})
{
    return RunCommand(arguments, input);
}

const std::vector<std::string> kGeoToUtm29{"--from", "geo", "--to", "utm:29N"};

std::vector<std::string> with(std::vector<std::string> base, const std::vector<std::string>& more)
{
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

// Converts one point, its x and y in columns A and B, and compares the pair
// written with the expected one.
void ExpectPointNear(const std::vector<std::string>& arguments, const std::string& input, double x, double y,
                     double tolerance)
{
    const Result result = run(with(arguments, {"--x", "A", "--y", "B"}), input + "\n");
    ASSERT_EQ(result.Status, 0) << result.Err;
    std::istringstream fields(result.Out);
    double gotX = 0;
    double gotY = 0;
    fields >> gotX >> gotY;
    EXPECT_NEAR(gotX, x, tolerance);
    EXPECT_NEAR(gotY, y, tolerance);
}

TEST(ConvertCommand, BadInputGetsOneLineAndItsStatus)
{
    const struct {
        const char* Name;
        std::vector<std::string> Arguments;
        std::string Input;
        int Status;
        std::string Err;  // a part of standard error
        std::string Out;  // standard output, exactly
    } cases[]{
        {"bad number", kGeoToUtm29, "1 -9.5 38.7\n2 abc 38.7\n3 -9.5 38.7\n", 1,
         "<stdin>:2: field B 'abc' is not an angle: use 95d22m11.28s W, 95°22'11.28\"W or -95.369800\n",
         "1\t456521.7670\t4283604.7347\n"},
        {"unit letter unknown", kGeoToUtm29, "1 -9.5 29d45m37.44x\n", 1,
         "field C '29d45m37.44x' is not an angle: use 29d45m37.44s N, 29°45'37.44\"N or 29.760400", ""},
        {"latitude out of range", kGeoToUtm29, "1 -9.5 95\n", 1, "<stdin>:1: Latitude 95 is outside -90..90", ""},
        {"missing field", kGeoToUtm29, "1 -9.5\n", 1, "<stdin>:1: field C (latitude) is missing: the line has 2 fields", ""},
        {"column past the end", with(kGeoToUtm29, {"--x", "E"}), "1 -9.5 38.7\n", 1, "field E (longitude) is missing", ""},
        {"minutes of 60", kGeoToUtm29, "1 9°60'00\"W 38.7\n", 1, "field B '9°60'00\"W' has minutes of 60 or more", ""},
        {"two hemisphere letters", kGeoToUtm29, "1 9.5WE 38.7\n", 1, "has two hemisphere signs", ""},
        {"minus under --west-positive", with(kGeoToUtm29, {"--west-positive"}), "1 -9.5 38.7\n", 1,
         "has a minus sign", ""},
        {"quoted fields keep delimiters and doubled quotes", with(kGeoToUtm29, {"--x", "C", "--y", "D"}),
         "P1,\"a, \"\"b\"\"\",-9.5,\"38.7\"\n", 0, "", "P1,\"a, \"\"b\"\"\",456521.7670,\"4283604.7347\"\n"},
        {"unclosed quote", kGeoToUtm29, "P1,\"-9.5,38.7\n", 1, "<stdin>:1: field B opens a quote", ""},
        {"CR LF and lone CR", kGeoToUtm29, "1 -9.5 38.7\r\n2 -9.5 38.7\r3 -9.5 38.7", 0, "",
         "1\t456521.7670\t4283604.7347\n2\t456521.7670\t4283604.7347\n3\t456521.7670\t4283604.7347\n"},
        {"byte-order mark", kGeoToUtm29, "\xEF\xBB\xBF" "1 -9.5 38.7\n", 0, "", "1\t456521.7670\t4283604.7347\n"},
        {"NUL in a field", kGeoToUtm29, "1 -9.5\0x 38.7\n"s, 1, "field B '-9.5<NUL>x' is not an angle", ""},
        {"empty input", kGeoToUtm29, "", 1, "<stdin> is empty", ""},
        {"header longer than the file", with(kGeoToUtm29, {"--header", "3"}), "id lon lat\n1 -9.5 38.7\n", 1,
         "has 2 lines, not more than the 3 header lines", "id lon lat\n1 -9.5 38.7\n"},
        {"header as long as the file", with(kGeoToUtm29, {"--header", "2"}), "id lon lat\nunit deg deg\n", 1,
         "has 2 lines, not more than the 2 header lines", "id lon lat\nunit deg deg\n"},
        // The south pole is the apex's opposite of a northern cone: no grid value.
        {"no grid value", {"--from", "geo", "--to", "nad83:California zone 3", "--allow-outside"}, "1 -100 -90\n", 1,
         "<stdin>:1: The point is outside the range of the projection", ""},
        {"keep going", with(kGeoToUtm29, {"--keep-going", "--header", "1"}), "id lon lat\nx y z\n1 -9.5 38.7\n", 1,
         "<stdin>:2: field B 'y' is not an angle", "id lon lat\n1\t456521.7670\t4283604.7347\n"},
        {"unknown zone", {"--from", "geo", "--to", "nad27:Texas South Centrl"}, "", 2,
         "unknown NAD27 zone 'Texas South Centrl'; did you mean 'Texas South Central'", ""},
        {"unknown zone code", {"--from", "geo", "--to", "nad83:9999"}, "", 2,
         "no NAD83 zone has the zone code 9999; see --list-zones nad83", ""},
        {"unknown ellipsoid", with(kGeoToUtm29, {"--ellipsoid", "Clark 1866"}), "", 2,
         "unknown ellipsoid 'Clark 1866'; did you mean 'Clarke 1866'?", ""},
        {"unknown EPSG code", {"--from", "EPSG:9999", "--to", "geo"}, "", 2, "EPSG:9999 is none of the systems", ""},
        {"two datums", {"--from", "nad27:Texas South Central", "--to", "utm:14N"}, "", 2,
         "is on Clarke 1866 and UTM zone 14N on WGS 84", ""},
        {"unknown option", with(kGeoToUtm29, {"--factor"}), "", 2, "did you mean '--factors'?", ""},
        {"UTF-16", kGeoToUtm29, "\xFF\xFE" "1\0"s, 1, "UTF-16", ""},
        {"UTF-16, big-endian", kGeoToUtm29, "\xFE\xFF" "\0" "1"s, 1, "UTF-16", ""},
        {"missing input file", with(kGeoToUtm29, {"/nonexistent/in.txt"}), "", 3, "no such file", ""},
        {"a folder as input", with(kGeoToUtm29, {"/"}), "", 3, "can't open the input /: it is a folder", ""},
        {"a quarter turn from the meridian", {"--from", "geo", "--to", "utm:29N", "--allow-outside"}, "1 82 40\n", 1,
         "Longitude 82 lies a quarter turn or more from the central meridian of UTM zone 29N", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const Result result = run(c.Arguments, c.Input);
        EXPECT_EQ(result.Status, c.Status);
        EXPECT_NE(result.Err.find(c.Err), std::string::npos) << result.Err;
        EXPECT_EQ(result.Out, c.Out);
    }
}

TEST(ConvertCommand, OutputFileIsAllOrNothing)
{
    TempFolder folder;
    const std::string in = folder.Write("in.txt", "1 -9.5 38.7\n").string();
    const std::string out = (folder.Path / "out.txt").string();
    folder.Write("out.txt", "old\n");
    const auto names = [&] {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path)) found.push_back(entry.path().filename());
        std::sort(found.begin(), found.end());
        return found;
    };

    EXPECT_EQ(run(with(kGeoToUtm29, {in, in})).Status, 2);  // the input as output needs --in-place
    folder.Write("bad.txt", "1 -9.5 38.7\n2 x 38.7\n");
    EXPECT_EQ(run(with(kGeoToUtm29, {(folder.Path / "bad.txt").string(), out})).Status, 1);
    EXPECT_EQ(folder.Read("out.txt"), "old\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"bad.txt", "in.txt", "out.txt"}));
    const Result missingFolder = run(with(kGeoToUtm29, {in, (folder.Path / "no" / "out.txt").string()}));
    EXPECT_EQ(missingFolder.Status, 3);
    EXPECT_NE(missingFolder.Err.find("Can't write the output file"), std::string::npos) << missingFolder.Err;

    // --keep-going writes the lines that converted, and still says a line failed.
    EXPECT_EQ(run(with(kGeoToUtm29, {"--keep-going", (folder.Path / "bad.txt").string(), out})).Status, 1);
    EXPECT_EQ(folder.Read("out.txt"), "1\t456521.7670\t4283604.7347\n");

    EXPECT_EQ(run(with(kGeoToUtm29, {"--in-place", in})).Status, 0);
    EXPECT_EQ(folder.Read("in.txt"), "1\t456521.7670\t4283604.7347\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"bad.txt", "in.txt", "out.txt"}));
}

// A run that converts no point never replaces the output: it stays
// byte-identical, or is not created, and the run says why with status 1.
TEST(ConvertCommand, NoPointConvertedLeavesTheOutput)
{
    TempFolder folder;
    folder.Write("good.out", "kept\n");
    const struct {
        const char* Name;
        std::string Input;
        std::vector<std::string> More;
        const char* Why;
    } cases[]{
        {"empty input", "", {}, "empty.txt is empty: no point to convert; the output "},
        {"blank lines only", "\n  \n\n", {}, "holds only blank lines"},
        {"every line bad with --keep-going", "1 x 38.7\n2 y 38.7\n", {"--keep-going"}, "has no line that converts"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string in = folder.Write("empty.txt", c.Input).string();
        const Result kept = run(with(with(kGeoToUtm29, c.More), {in, (folder.Path / "good.out").string()}));
        EXPECT_EQ(kept.Status, 1);
        EXPECT_NE(kept.Err.find(c.Why), std::string::npos) << kept.Err;
        EXPECT_NE(kept.Err.find("good.out was left as it was"), std::string::npos) << kept.Err;
        EXPECT_EQ(folder.Read("good.out"), "kept\n");
        const Result none = run(with(with(kGeoToUtm29, c.More), {in, (folder.Path / "new.out").string()}));
        EXPECT_NE(none.Err.find("no output file was created"), std::string::npos) << none.Err;
        EXPECT_FALSE(std::filesystem::exists(folder.Path / "new.out"));
    }
}

// A line past --max-line is refused with its number; a long field is quoted
// in part, its length said.
TEST(ConvertCommand, LongLinesAndFieldsAreBounded)
{
    const std::string longField(5000, 'x');
    const Result refused = run(with(kGeoToUtm29, {"--max-line", "100"}), "1 -9.5 38.7\n2 " + longField + " 38.7\n");
    EXPECT_EQ(refused.Status, 1);
    EXPECT_NE(refused.Err.find("<stdin>:2: the line is longer than 100 bytes"), std::string::npos) << refused.Err;
    const Result quoted = run(kGeoToUtm29, "2 " + longField + " 38.7\n");
    EXPECT_NE(quoted.Err.find("field B '" + std::string(60, 'x') + "'... (5000 characters) is not an angle"),
              std::string::npos);
    EXPECT_LT(quoted.Err.size(), 300U);
}

// --check-data on the shipped data: every table and grid as shipped. This
// also catches a table regenerated without its line in SHA256SUMS.
TEST(ConvertCommand, CheckDataListsTheShippedFiles)
{
    const Result result = run({"--check-data"});
    EXPECT_EQ(result.Status, 0) << result.Out;
    EXPECT_EQ(result.Out.find("changed"), std::string::npos) << result.Out;
    EXPECT_NE(result.Out.find("grids/us_noaa_conus.tif    shipped"), std::string::npos) << result.Out;
}

// A table or grid missing from the data folder fails the check (status 3).
TEST(ConvertCommand, CheckDataFailsOnAMissingFile)
{
    for (const char* file : {"zone_areas.txt", "grids/us_noaa_prvi.tif"}) {
        SCOPED_TRACE(file);
        TempFolder folder;
        std::filesystem::copy(KARTOVAL_DATA_DIR, folder.Path / "data", std::filesystem::copy_options::recursive);
        std::filesystem::remove(folder.Path / "data" / file);
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        EXPECT_EQ(RunConvertCommand({"--check-data"}, {stdin, out, err, false}, folder.Path / "data"), 3);
        const std::string listed = ReadAll(out) + ReadAll(err);
        EXPECT_NE(listed.find(std::string(file) + " "), std::string::npos) << listed;
        EXPECT_NE(listed.find("missing"), std::string::npos) << listed;
    }
}

// Worked values from PROJ 9 (`proj`, `cs2cs`). The TM closed series agrees with
// PROJ's exact mapping to 1 mm within 3.5 degrees of the central meridian; the
// cone's closed formulas are PROJ's own, so 0.1 mm (or ftUS) covers printing.
TEST(ConvertCommand, WorkedValuesAgreeWithProj)
{
    const struct {
        std::vector<std::string> Arguments;
        std::string Input;
        double X, Y, Tolerance;
    } cases[]{
        {{"--from", "geo", "--to", "utm:29N"}, "-9.5 38.7", 456521.767014, 4283604.734614, 1e-3},
        {{"--from", "geo", "--to", "EPSG:32723"}, "-46.6 -23.5", 336625.131857, 7400218.860176, 1e-3},
        // The last code of each UTM block, a degree from the meridian (cs2cs -f %.6f).
        {{"--from", "geo", "--to", "EPSG:26923"}, "-46 45", 421184.697083, 4983436.768230, 1e-3},
        {{"--from", "geo", "--to", "EPSG:26722"}, "-52 47", 423972.344893, 5205430.828082, 1e-3},
        {{"--from", "geo", "--to", "EPSG:32660"}, "178 60", 555776.266752, 6651832.735434, 1e-3},
        {{"--from", "geo", "--to", "EPSG:32760"}, "176 -40", 414639.538157, 5571763.935367, 1e-3},
        {{"--from", "utm:29N", "--to", "geo"}, "500000 4000000", -9.0, 36.144718099, 1e-8},
        {{"--from", "geo", "--to", "nad83:California zone 3"}, "-121 37.5", 1955790.1973, 611098.7427, 1e-4},
        // A name typed with its quotes where no shell takes them off.
        {{"--from", "geo", "--to", "nad83:\"California zone 3\""}, "-121 37.5", 1955790.1973, 611098.7427, 1e-4},
        {{"--from", "geo", "--to", "nad83:'California zone 3'"}, "-121 37.5", 1955790.1973, 611098.7427, 1e-4},
        {{"--from", "geo", "--to", "EPSG:32040"}, "-99 29.5", 2000000.0, 605982.3785, 1e-4},
        // EPSG codes bring their datum's ellipsoid: Clarke 1866 for NAD27 UTM, GRS 1980 for NAD83.
        {{"--from", "geo", "--to", "EPSG:26717"}, "-81 35", 500000.0, 3872845.500270, 1e-3},
        {{"--from", "geo", "--to", "EPSG:26943"}, "-120 37", 2044506.266988, 555610.014506, 1e-4},
        {{"--from", "nad27:Texas South Central", "--to", "geo"}, "2000000 605982.3785", -99.0, 29.5, 1e-9},
        // Alaska zone 1, the oblique Mercator zone, by code and by name on both datums.
        {{"--from", "geo", "--to", "EPSG:26931"}, "-134 57.5", 798693.3649, 630823.1234, 1e-4},
        {{"--from", "geo", "--to", "EPSG:26731"}, "-134 57.5", 2620078.2601, 2070027.1316, 1e-4},
        {{"--from", "nad27:Alaska zone 1", "--to", "geo"}, "2620078.2601 2070027.1316", -134.0, 57.5, 1e-9},
        // NAD27 degrees into the Michigan zones of 1927, which are on Clarke 1866
        // Michigan: no --ellipsoid needed; cs2cs EPSG:4267 EPSG:62xx gives these.
        {{"--from", "EPSG:4267", "--to", "EPSG:6201"}, "-84.5 45", 1956886.9661, 613747.7733, 1e-4},
        // 87 km north of Michigan South's area: converted as asked.
        {{"--from", "geo:nad27", "--to", "EPSG:6202", "--allow-outside"}, "-84.5 45", 1956857.6052, 1275907.6933, 1e-4},
        {{"--from", "EPSG:4267", "--to", "EPSG:6966"}, "-84.5 45", 2646743.0001, 89213.2755, 1e-4},
        {{"--from", "EPSG:6201", "--to", "geo:nad27"}, "1956886.9661 613747.7733", -84.5, 45.0, 1e-9},
        // Michigan West of 1927 reaches 5 degrees from its meridian over Drummond
        // Island, where the classic series misses cs2cs by 28 mm coming back; the
        // exact engine meets it to the survey's 0.002 ftUS (5e-9 degree).
        {{"--from", "EPSG:4267", "--to", "EPSG:5625", "--tm", "exact"}, "-83.7 46", 1783292.758214, 1680929.261694,
         0.002},
        {{"--from", "EPSG:5625", "--to", "EPSG:4267", "--tm", "exact", "--allow-outside"}, "2000000 900000", -83.0660999896, 43.8280704072,
         5e-9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments[3]);
        ExpectPointNear(c.Arguments, c.Input, c.X, c.Y, c.Tolerance);
    }
}

// What the options do to the text written. Factors against GeographicLib's
// GeoConvert -c (k 0.9996232778, convergence -0.3126262214 degrees): its
// exact mapping and the series agree to 1e-9 this near the meridian, below
// the digits written.
TEST(ConvertCommand, OptionsShapeTheOutput)
{
    const std::string utm = "456521.7670\t4283604.7347";
    const struct {
        std::vector<std::string> Arguments;
        std::string Input;
        std::string Out;
    } cases[]{
        {with(kGeoToUtm29, {"--factors"}), "x -9.5 38.7\n", "x\t" + utm + "\t0.999623278\t-0.3126262\n"},
        {with(kGeoToUtm29, {"--decimals", "2"}), "x -9.5 38.7\n", "x\t456521.77\t4283604.73\n"},
        {with(kGeoToUtm29, {"--west-positive"}), "x 9.5 38.7\n", "x\t" + utm + "\n"},
        {with(kGeoToUtm29, {"--x", "C", "--y", "D"}), "P1\tbig oak\t-9.5\t38.7\n", "P1\tbig oak\t" + utm + "\n"},
        {with(kGeoToUtm29, {"--header", "1"}), "id;lon;lat\n1;-9.5;38.7\n\n", "id;lon;lat\n1;456521.7670;4283604.7347\n\n"},
        {{"--from", "utm:29N", "--to", "geo", "--dms"}, "P 500000 4000000\n", "P\t9°00'00.000\"W\t36°08'40.985\"N\n"},
        // In a comma file the seconds mark is a quote: the field is quoted and the mark doubled.
        {{"--from", "utm:29N", "--to", "geo", "--dms"}, "P,500000,4000000\n",
         "P,\"9°00'00.000\"\"W\",\"36°08'40.985\"\"N\"\n"},
        {{"--from", "geo", "--to", "geo", "--decimals", "4"}, "P 9°30'W 38:42:00N\n", "P\t-9.5000\t38.7000\n"},
        // proj: 239105.070278 4287758.841587; 3 degrees from both meridians the series is within 1 mm
        {{"--from", "utm:29N", "--to", "utm:30N", "--decimals", "2"}, "P 760894.929722 4287758.841587\n",
         "P\t239105.07\t4287758.84\n"},
        // 12 degrees off the meridian (3 beyond the zone's area, so asked for),
        // where the series is 67 cm off: GeographicLib's
        // TransverseMercatorProj -l 3 -k 0.9996 gives 1025592.281393 4497349.832902,
        // convergence 7.780869721654, scale 1.012574941967.
        {{"--from", "geo", "--to", "utm:31N", "--tm", "exact", "--factors", "--allow-outside"}, "P 15 40\n",
         "P\t1525592.2814\t4497349.8329\t1.012574942\t7.7808697\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Input);
        const Result result = run(c.Arguments, c.Input);
        EXPECT_EQ(result.Status, 0) << result.Err;
        EXPECT_EQ(result.Out, c.Out);
    }
    const Result far = run(kGeoToUtm29, "a -2 40\nb -8 40\nc 0.5 40\n");
    EXPECT_NE(far.Err.find("warning: 2 points lie more than 4 degrees from the central meridian, the farthest 9.50"),
              std::string::npos)
        << far.Err;
    EXPECT_NE(far.Err.find("use the exact transverse Mercator (--tm exact)"), std::string::npos) << far.Err;
    // The exact engine has no such error to warn of.
    EXPECT_EQ(run(with(kGeoToUtm29, {"--tm", "exact"}), "a -2 40\nb -8 40\n").Err, "");
}

TEST(ConvertCommand, UsageErrorsSayWhatIsWrong)
{
    const struct {
        std::vector<std::string> Arguments;
        std::string Err;
    } cases[]{
        {{"--from", "geo"}, "--from and --to are needed"},
        {with(kGeoToUtm29, {"--x", "0"}), "--x wants a column letter (A, B, ...) or number (1, 2, ...), not '0'"},
        {with(kGeoToUtm29, {"--x", "B", "--y", "2"}), "--x and --y name the same column"},
        {with(kGeoToUtm29, {"--decimals", "13"}), "--decimals wants a whole number from 0 to 12, not '13'"},
        {with(kGeoToUtm29, {"--delimiter", "coma"}), "did you mean 'comma'?"},
        {with(kGeoToUtm29, {"a", "b", "c"}), "too many file names"},
        {{"--from", "utm:61N", "--to", "geo"}, "'utm:61N' is no UTM zone"},
        {{"--from", "utm:29", "--to", "geo"}, "'utm:29' is no UTM zone"},
        {with(kGeoToUtm29, {"--tm", "krueger"}), "--tm is series or exact, not 'krueger'"},
        {{"--from", "mercator", "--to", "geo"}, "unknown coordinate system 'mercator'"},
        {{"--from", "geo", "--to", "geo", "--factors"}, "--factors needs a grid"},
        {{"--from", "utm:29N", "--to", "geo", "--west-positive"}, "--west-positive is about longitudes read"},
        {with(kGeoToUtm29, {"--dms"}), "--dms writes degrees"},
        {with(kGeoToUtm29, {"--in-place"}), "--in-place replaces a file"},
        {{"--from", "geo", "--to", "utm:29N", "--in-place", "in.txt", "-"}, "--in-place replaces a file"},
        {with(kGeoToUtm29, {"--max-line", "0"}), "--max-line wants a length of 1 byte or more"},
        // Suggestions reach two edits in a short name, a quarter of the length in a long one.
        {with(kGeoToUtm29, {"--tm", "ezakt"}), "did you mean 'exact'?"},
        {with(kGeoToUtm29, {"--ellipsoid", "Clorke 1886"}), "did you mean 'Clarke 1866'"},
        {{"--from", "geo", "--to", "nad27:Tixas Sauth Cantrel"}, "did you mean 'Texas South Central'?"},
    };
    for (const auto& c : cases) {
        const Result result = run(c.Arguments);
        EXPECT_EQ(result.Status, 2) << c.Err;
        EXPECT_NE(result.Err.find(c.Err), std::string::npos) << result.Err;
    }
    EXPECT_EQ(ParseColumn("AA", "--x"), 26U);
    EXPECT_EQ(ParseColumn("c", "--x"), 2U);
    EXPECT_EQ(ParseColumn("3", "--x"), 2U);
}

TEST(ConvertCommand, ListsNameZonesAsTheyAreTyped)
{
    const Result nad27 = run({"--list-zones", "nad27"});
    EXPECT_EQ(nad27.Status, 0);
    EXPECT_NE(nad27.Out.find("nad27:\"Texas South Central\"\tEPSG:32040\t4204\tLambert conformal conic, US survey feet\n"),
              std::string::npos);
    const Result utm = run({"--list-zones", "utm"});
    EXPECT_NE(utm.Out.find("utm:29N\tEPSG:32629\tcentral meridian 9W\n"), std::string::npos);
    EXPECT_NE(run({"--list-ellipsoids"}).Out.find("WGS 84\t6378137\t298.257223563\n"), std::string::npos);
}

TEST(ConvertCommand, WhichZoneNamesEveryZoneThatHoldsThePoint)
{
    // UTM zones by the published rule (Bergen's 3E..6E in 32V); State Plane
    // zones from the EPSG extents, nearest area centre first.
    const struct {
        std::vector<std::string> Point;
        int Status;
        const char* Out;
    } rows[] = {
        {{"60.39", "5.32"}, 0, "utm:32N  WGS 84 / UTM zone 32N  EPSG:32632\n"},
        {{"78.2", "15.6"}, 0, "utm:33N  WGS 84 / UTM zone 33N  EPSG:32633\n"},
        {{"29d45m37.44s N", "95d22m11.28s W"}, 0,
         "utm:15N  WGS 84 / UTM zone 15N  EPSG:32615\n"
         "nad27:\"Texas South Central\"  NAD27 / Texas South Central  EPSG:32040\n"
         "nad83:\"Texas South Central\"  NAD83 / Texas South Central  EPSG:32140\n"},
        {{"86", "0"}, 1, ""},
    };
    for (const auto& row : rows) {
        std::vector<std::string> arguments{"--which-zone"};
        arguments.insert(arguments.end(), row.Point.begin(), row.Point.end());
        const Result result = run(arguments);
        EXPECT_EQ(result.Status, row.Status) << row.Point[0];
        EXPECT_EQ(result.Out, row.Out);
        EXPECT_EQ(result.Err.empty(), row.Status == 0) << result.Err;
    }
    EXPECT_EQ(run({"--which-zone", "95", "0"}).Status, 2);
}

// Each point in the zone of the published rule; the values as cs2cs -f %.4f
// EPSG:4326 EPSG:326zz/327zz gives them (PROJ 9.1.1). The series lies within
// 1 mm of PROJ this near the central meridians, and Svalbard's 33X point 4.4
// degrees out stays within 1 mm too: tolerance 1 mm.
TEST(ConvertCommand, UtmAutoPutsEachPointInItsZone)
{
    const Result result = run({"--from", "geo", "--to", "utm:auto"},
                              "1 5.32 60.39\n2 15.6 78.2\n3 18.4 -33.9\n4 179.9 10\n5 5 86\n");
    EXPECT_EQ(result.Status, 1);  // line 5 lies north of every zone
    EXPECT_NE(result.Err.find("<stdin>:5: the point lies north of 84N"), std::string::npos) << result.Err;
    const struct {
        double X, Y;
        const char* Zone;
    } rows[] = {
        {297230.2202, 6700510.1753, "32N"},  // Bergen: 32V reaches 3E
        {513696.9454, 8680760.0532, "33N"},  // Svalbard
        {259583.2217, 6245888.0454, "34S"},
        {817955.4277, 1106810.6571, "60N"},
    };
    std::istringstream lines(result.Out);
    for (const auto& row : rows) {
        std::string id, zone;
        double x = 0, y = 0;
        lines >> id >> x >> y >> zone;
        EXPECT_EQ(zone, row.Zone) << id;
        EXPECT_NEAR(x, row.X, 1e-3) << id;
        EXPECT_NEAR(y, row.Y, 1e-3) << id;
    }
    const Result csv = run({"--from", "geo", "--to", "utm:auto:nad83", "--format", "csv"}, "1 -95.37 29.76\n");
    EXPECT_EQ(csv.Out.substr(0, csv.Out.find('\r')), "A,easting_m,northing_m,utm_zone");
    EXPECT_NE(csv.Out.find(",15N\r\n"), std::string::npos);
    EXPECT_EQ(run({"--from", "utm:auto", "--to", "geo"}).Status, 2);
}

// The File page's "Keep other columns" and kartoval-convert run the same loop:
// the same file gives the same bytes, text IDs and other fields included.
TEST(ConvertCommand, KeepOtherColumnsWritesWhatTheCommandWrites)
{
    TempFolder folder;
    const std::string input = "sp lon lat elev code\nL101-1001 10.5 40.25 12.0 TREE\nL101-1002 8.25 41.5 13.5 \"big rock\"\n";
    folder.Write("in.txt", input);
    FakeMessages messages;
    const Platform platform{messages, KARTOVAL_DATA_DIR, '.'};
    FileConversionSettings settings;
    settings.InputPath = (folder.Path / "in.txt").string();
    settings.OutputPath = (folder.Path / "out.txt").string();
    settings.EllipsoidPosition = 41;  // WGS 84, line 42 of ellips.txt
    settings.ZonePosition = 31;       // zone 32
    settings.WestWithoutMinus = false;
    settings.SkipFirstRow = true;
    settings.KeepColumns = true;
    const auto never = [](const std::string&) { return false; };
    ASSERT_TRUE(std::holds_alternative<FileRunSummary>(RunFileConversion(settings, platform, never)));
    const Result command = run({"--from", "geo", "--to", "utm:32N", "--header", "1"}, input);
    ASSERT_EQ(command.Status, 0) << command.Err;
    EXPECT_EQ(folder.Read("out.txt"), command.Out);
    EXPECT_NE(command.Out.find("L101-1002\t"), std::string::npos);
}

TEST(ConvertCommand, ZoneCodesAndAngleSpellingsReadAsTheirPlainForms)
{
    // Houston, 29°45'37.44"N 95°22'11.28"W, in NAD83 Texas South Central, as
    // cs2cs -f %.4f EPSG:4269 EPSG:32140 gives it (PROJ 9.1.1).
    const Result byName = run({"--from", "geo", "--to", "nad83:Texas South Central"}, "1 -95.3698 29.7604\n");
    ASSERT_EQ(byName.Out, "1\t951008.1040\t4219019.8197\n") << byName.Err;
    for (const char* line : {"1 -95.3698 29.7604\n", "1 95d22m11.28sW 29d45m37.44sN\n",
                             "1\t95d22.188m W\t29d 45m 37.44s\n", "1 W95°22.188' N29°45'37.44\"\n"}) {
        EXPECT_EQ(run({"--from", "geo", "--to", "nad83:4204"}, line).Out, byName.Out) << line;
    }
    const Result back = run({"--from", "nad83:4204", "--to", "geo:nad83", "--dm"}, byName.Out);
    EXPECT_EQ(back.Out, "1\t95°22.1880'W\t29°45.6240'N\n") << back.Err;
    const std::string alabama = run({"--from", "geo", "--to", "nad27:Alabama East"}, "1 -85.8 32.4\n").Out;
    for (const char* code : {"nad27:0101", "nad27:101"}) {
        EXPECT_EQ(run({"--from", "geo", "--to", code}, "1 -85.8 32.4\n").Out, alabama);
    }
}

}  // namespace
}  // namespace kartoval::testing

namespace kartoval::testing {
namespace {

// Across datums, worked values of cs2cs with the shipped grids on its path
// (PROJ_DATA=build/bin/grids:/usr/share/proj). Degrees agree to half a unit
// of the 9th decimal both print; grid values to 1 mm (0.0033 ftUS).
TEST(ConvertCommand, DatumShiftAgreesWithCs2cs)
{
    const struct {
        std::vector<std::string> Arguments;
        std::string Input;
        double X, Y, Tolerance;
    } cases[]{
        {{"--from", "geo:nad27", "--to", "geo:nad83"}, "-100 35", -100.000384072, 35.000052786, 1e-9},
        {{"--from", "EPSG:4135", "--to", "EPSG:4269"}, "-157.85 21.3", -157.8472574881, 21.2968360278, 1e-9},
        {{"--from", "nad27:Texas South Central", "--to", "nad83:Texas South Central"}, "2000000 700000",
         599969.9341, 4213393.2803, 1e-3},
        {{"--from", "EPSG:32140", "--to", "EPSG:32040"}, "599969.9341 4213393.2803", 2000000.0, 700000.0, 0.0033},
        {{"--from", "utm:14N:nad27", "--to", "EPSG:26914"}, "500000 3900000", 499967.7663, 3900204.1580, 1e-3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments[1] + " -> " + c.Arguments[3]);
        ExpectPointNear(c.Arguments, c.Input, c.X, c.Y, c.Tolerance);
    }
}

TEST(ConvertCommand, DatumShiftReportsAndRefuses)
{
    // GeodSolve on GRS 1980 between the two positions: 5.856 m north, 35.061 m west.
    const Result shifted = run({"--from", "geo:nad27", "--to", "geo:nad83", "--report-shift"}, "P1 -100 35\n");
    EXPECT_EQ(shifted.Out, "P1\t-100.000384072\t35.000052786\t5.856\t-35.061\n");

    const struct {
        const char* Name;
        std::vector<std::string> Arguments;
        int Status;
        const char* Says;
    } refusals[]{
        {"no_grid_path", {"--from", "EPSG:4326", "--to", "geo:nad27"}, 2, "No NADCON grid connects WGS 84 and NAD27"},
        {"report_shift_one_datum", {"--from", "geo", "--to", "geo:nad83", "--report-shift"}, 2, "--report-shift"},
        {"report_shift_same_datum", {"--from", "geo:nad27", "--to", "EPSG:32040", "--report-shift"}, 2,
         "--report-shift needs --from and --to on two datums"},
        {"ellipsoid_across_datums", {"--from", "geo:nad27", "--to", "geo:nad83", "--ellipsoid", "WGS 84"}, 2,
         "--ellipsoid does not apply"},
        {"unknown_datum", {"--from", "geo:nad28", "--to", "geo:nad83"}, 2, "nad27 or nad83"},
        {"outside_every_grid", {"--from", "geo:nad27", "--to", "geo:nad83"}, 1,
         "<stdin>:1: The point latitude 21.3, longitude -157.85 (NAD27) lies outside every NAD27"},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.Name);
        const Result result = run(r.Arguments, "P1 -157.85 21.3\n");
        EXPECT_EQ(result.Status, r.Status);
        EXPECT_NE(result.Err.find(r.Says), std::string::npos) << result.Err;
        EXPECT_EQ(result.Out, "");
    }
}

// The core's guards as the command line shows them: a run with points beyond
// their zone's area is refused whole, --allow-outside converts it; the
// ellipsoid rule and WGS 84 = NAD83 are said on standard error.
TEST(ConvertCommand, GuardsOfTheCoreOnTheCommandLine)
{
    const struct {
        std::vector<std::string> Arguments;
        const char* Input;
        int Status;
        const char* Err;  // a part of standard error
        bool Written;
    } rows[] = {
        {{"--from", "geo", "--to", "utm:32N", "--west-positive"}, "1 6.8 4.9\n2 7.1 5.2\n", 1,
         "Line 1: -6.8, 4.9 lies 753 km west of the area of UTM zone 32N (2 of 2 points); nothing written", false},
        {{"--from", "geo", "--to", "utm:32N", "--west-positive"}, "1 6.8 4.9\n", 1,
         "Read without --west-positive they would lie inside: are they east longitudes?", false},
        {{"--from", "geo", "--to", "nad27:Texas South Central"}, "1 95.37 29.76\n", 1,
         "are they west longitudes without their minus?", false},
        // 0.7 degrees north of the band's 84 N: beyond the half degree of slack.
        {{"--from", "geo", "--to", "utm:29N"}, "1 -9 84.7\n", 1, "km north of the area of UTM zone 29N", false},
        {{"--from", "geo", "--to", "utm:32N", "--allow-outside"}, "1 -6.8 4.9\n", 0, "converted as --allow-outside asks",
         true},
        {{"--from", "geo:nad83", "--to", "utm:14N"}, "1 -99 29.5\n", 0, "WGS 84 and NAD83 are taken as the same datum",
         true},
        {{"--from", "geo", "--to", "nad27:Texas South Central", "--ellipsoid", "WGS 84"}, "1 -99 29.5\n", 0,
         "Texas South Central (NAD27) is defined on Clarke 1866, not on WGS 84.", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Err);
        TempFolder folder;
        folder.Write("in.txt", row.Input);
        const std::string out = (folder.Path / "out.txt").string();
        const Result result = run(with(row.Arguments, {(folder.Path / "in.txt").string(), out}));
        EXPECT_EQ(result.Status, row.Status);
        EXPECT_NE(result.Err.find(row.Err), std::string::npos) << result.Err;
        EXPECT_EQ(std::filesystem::exists(out), row.Written);
    }
}

// Options at the edge of what they take: the largest --decimals, and
// --ellipsoid on one datum (the chosen one is used). Worked values as above;
// GRS 1980 in Texas South Central from proj +proj=lcc with EPSG:32040's
// parameters and +ellps=GRS80 +units=us-ft: 23 ftUS north of Clarke 1866.
TEST(ConvertCommand, OptionsAtTheirLimits)
{
    const struct {
        std::vector<std::string> Arguments;
        std::string Input;
        double X, Y, Tolerance;
    } cases[]{
        {with(kGeoToUtm29, {"--decimals", "12"}), "-9.5 38.7", 456521.767014, 4283604.734614, 1e-3},
        {{"--from", "geo:nad27", "--to", "EPSG:32040", "--ellipsoid", "Clarke 1866"}, "-99 29.5", 2000000.0, 605982.3785, 1e-4},
        {{"--from", "geo:nad27", "--to", "EPSG:32040", "--ellipsoid", "GRS 1980"}, "-99 29.5", 2000000.0, 606005.5364, 1e-4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments.back());
        ExpectPointNear(c.Arguments, c.Input, c.X, c.Y, c.Tolerance);
    }
    const std::string twelve = run(with(kGeoToUtm29, {"--decimals", "12", "--x", "A", "--y", "B"}), "-9.5 38.7\n").Out;
    EXPECT_EQ(twelve.find('\t') - twelve.find('.'), 13U) << twelve;
}

// A run that stops (a UTF-16 file, a line past --max-line, a read error)
// stops under --keep-going too, reports that one line and leaves the old
// output as it was; a read error exits 3.
TEST(ConvertCommand, KeepGoingNeverCommitsARunThatStopped)
{
    const struct {
        const char* Name;
        std::string Input;
        std::vector<std::string> More;
        int Status;
        const char* Err;
    } cases[]{
        {"UTF-16", "\xFF\xFE" "1\0 \0-\0" "9\0 \0" "3\0" "8\0\n\0" "2\0 \0-\0" "9\0 \0" "3\0" "8\0\n\0"s, {}, 1,
         ":1: the input is UTF-16 text"},
        {"line too long", "1 -9.5 38.7\n2 " + std::string(100, '9') + " 38.7\n3 -9.5 38.7\n", {"--max-line", "40"}, 1,
         ":2: the line is longer than 40 bytes"},
        {"read error", "", {}, 3, ":1: can't be read: Is a directory"},
        // A stopped run says nothing of the points before the stop.
        {"outside point, then a stop", "1 -30 38.7\n2 " + std::string(100, '9') + " 38.7\n", {"--max-line", "40"}, 1,
         ":2: the line is longer than 40 bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TempFolder folder;
        const std::string out = folder.Write("out.txt", "old\n").string();
        // Standard input opened on a folder fails at its first read.
        std::FILE* in = c.Input.empty() ? std::fopen(folder.Path.c_str(), "r") : std::tmpfile();
        ASSERT_NE(in, nullptr);
        std::fwrite(c.Input.data(), 1, c.Input.size(), in);
        std::rewind(in);
        std::FILE* err = std::tmpfile();
        const int status = RunConvertCommand(with(with(kGeoToUtm29, c.More), {"--keep-going", "-", out}),
                                             {in, stdout, err, false}, KARTOVAL_DATA_DIR);
        std::fclose(in);
        const std::string said = ReadAll(err);
        EXPECT_EQ(status, c.Status);
        EXPECT_NE(said.find(c.Err), std::string::npos) << said;
        EXPECT_EQ(said.find("<stdin>:", said.find("<stdin>:") + 1), std::string::npos) << said;  // the stop alone
        EXPECT_EQ(folder.Read("out.txt"), "old\n");
    }
}

}  // namespace
}  // namespace kartoval::testing
