// kartoval-convert run as a function: bad input gets one clear line on
// standard error and the right exit status, files are all or nothing, and
// worked values agree with PROJ.

#include "cli/ConvertCommand.hpp"
#include "support/Fakes.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace kartoval::testing {
namespace {

using namespace std::string_literals;

struct Result {
    int Status;
    std::string Out;
    std::string Err;
};

std::string readAll(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
    std::fclose(file);
    return text;
}

Result run(const std::vector<std::string>& arguments, const std::string& input = {})
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    const int status = RunConvertCommand(arguments, {in, out, err, false}, KARTOVAL_DATA_DIR);
    std::fclose(in);
    return {status, readAll(out), readAll(err)};
}

const std::vector<std::string> kGeoToUtm29{"--from", "geo", "--to", "utm:29N"};

std::vector<std::string> with(std::vector<std::string> base, const std::vector<std::string>& more)
{
    base.insert(base.end(), more.begin(), more.end());
    return base;
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
         "<stdin>:2: field B 'abc' is not a number\n", "1\t456521.7670\t4283604.7347\n"},
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
        {"NUL in a field", kGeoToUtm29, "1 -9.5\0x 38.7\n"s, 1, "field B '-9.5<NUL>x' is not a number", ""},
        {"empty input", kGeoToUtm29, "", 0, "<stdin> is empty", ""},
        {"header longer than the file", with(kGeoToUtm29, {"--header", "3"}), "id lon lat\n1 -9.5 38.7\n", 1,
         "has 2 lines, not more than the 3 header lines", "id lon lat\n1 -9.5 38.7\n"},
        {"keep going", with(kGeoToUtm29, {"--keep-going", "--header", "1"}), "id lon lat\nx y z\n1 -9.5 38.7\n", 1,
         "<stdin>:2: field B 'y' is not a number", "id lon lat\n1\t456521.7670\t4283604.7347\n"},
        {"unknown zone", {"--from", "geo", "--to", "nad27:Texas South Centrl"}, "", 2,
         "unknown NAD27 zone 'Texas South Centrl'; did you mean 'Texas South Central'", ""},
        {"unknown ellipsoid", with(kGeoToUtm29, {"--ellipsoid", "Clark 1866"}), "", 2,
         "unknown ellipsoid 'Clark 1866'; did you mean 'Clarke 1866'?", ""},
        {"unknown EPSG code", {"--from", "EPSG:9999", "--to", "geo"}, "", 2, "EPSG:9999 is none of the systems", ""},
        {"two datums", {"--from", "nad27:Texas South Central", "--to", "utm:14N"}, "", 2,
         "is on Clarke 1866 and UTM zone 14N on WGS 84", ""},
        {"unknown option", with(kGeoToUtm29, {"--factor"}), "", 2, "did you mean '--factors'?", ""},
        {"UTF-16", kGeoToUtm29, "\xFF\xFE" "1\0"s, 1, "UTF-16", ""},
        {"missing input file", with(kGeoToUtm29, {"/nonexistent/in.txt"}), "", 3, "no such file", ""},
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

    EXPECT_EQ(run(with(kGeoToUtm29, {"--in-place", in})).Status, 0);
    EXPECT_EQ(folder.Read("in.txt"), "1\t456521.7670\t4283604.7347\n");
    EXPECT_EQ(names(), (std::vector<std::string>{"bad.txt", "in.txt", "out.txt"}));
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
        {{"--from", "utm:29N", "--to", "geo"}, "500000 4000000", -9.0, 36.144718099, 1e-8},
        {{"--from", "geo", "--to", "nad83:California zone 3"}, "-121 37.5", 1955790.1973, 611098.7427, 1e-4},
        {{"--from", "geo", "--to", "EPSG:32040"}, "-99 29.5", 2000000.0, 605982.3785, 1e-4},
        {{"--from", "nad27:Texas South Central", "--to", "geo"}, "2000000 605982.3785", -99.0, 29.5, 1e-9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments[3]);
        const Result result = run(with(c.Arguments, {"--x", "A", "--y", "B"}), c.Input + "\n");
        ASSERT_EQ(result.Status, 0) << result.Err;
        std::istringstream fields(result.Out);
        double x = 0;
        double y = 0;
        fields >> x >> y;
        EXPECT_NEAR(x, c.X, c.Tolerance);
        EXPECT_NEAR(y, c.Y, c.Tolerance);
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
        const Result result = run(with(c.Arguments, {"--x", "A", "--y", "B"}), c.Input + "\n");
        ASSERT_EQ(result.Status, 0) << result.Err;
        std::istringstream fields(result.Out);
        double x = 0;
        double y = 0;
        fields >> x >> y;
        EXPECT_NEAR(x, c.X, c.Tolerance);
        EXPECT_NEAR(y, c.Y, c.Tolerance);
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

}  // namespace
}  // namespace kartoval::testing
