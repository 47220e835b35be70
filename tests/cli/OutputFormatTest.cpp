// kartoval-convert's CSV, GeoJSON and KML read back by Qt's own JSON and XML
// parsers: structure, coordinate order, names and values.

#include "batch/BatchRun.hpp"
#include "batch/FileConversion.hpp"
#include "batch/LineReader.hpp"
#include "batch/RowFormats.hpp"
#include "cli/ConvertCommand.hpp"
#include "RunCommand.hpp"
#include "conversion/ConversionRoute.hpp"
#include "support/Fakes.hpp"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdio>
#include <thread>
#include <unistd.h>

namespace kartoval::testing {
namespace {

Result run(const std::vector<std::string>& arguments, const std::string& input = {})
{
    return RunCommand(arguments, input);
}

// A field file as surveyors keep them: text IDs, a quoted note with the
// delimiter and a quote in it, an elevation column; NAD27 Texas South Central
// in US survey feet.
const std::string kFieldFile =
    "Point,Easting,Northing,Elev,Note\n"
    "\"BM 12\",2477128.46,609042.22,101.5,\"iron rod, \"\"found\"\"\"\n"
    "CP-7,2319644.90,425556.20,99,<set>\n";

std::vector<std::string> fieldRun(const std::string& file, const std::string& format)
{
    return {"--from", "nad27:Texas South Central", "--to", "nad83:Texas South Central", "--header", "1",
            "--x", "Easting", "--y", "Northing", "--id", "Point", "--format", format, file};
}

TEST(OutputFormats, CsvNamesItsColumnsAndQuotesAsRfc4180)
{
    TempFolder folder;
    const std::string file = folder.Write("field.csv", kFieldFile).string();
    std::vector<std::string> arguments = fieldRun(file, "csv");
    arguments.erase(arguments.begin() + 10, arguments.begin() + 12);  // --id is for the map formats
    const Result result = run(arguments);
    ASSERT_EQ(result.Status, 0) << result.Err;
    // NAD83 metres from cs2cs EPSG:32040 -> EPSG:32140 with the NADCON grids.
    EXPECT_EQ(result.Out,
              "Point,easting_m,northing_m,Elev,Note\r\n"
              "BM 12,745399.5141,4185669.3478,101.5,\"iron rod, \"\"found\"\"\"\r\n"
              "CP-7,697398.3205,4129742.2460,99,<set>\r\n");

    const Result letters = run({"--from", "geo", "--to", "utm:14N", "--format", "csv", "--factors", "--x", "A",
                                "--y", "B", folder.Write("plain.txt", "-99 30 7\"\n").string()});
    ASSERT_EQ(letters.Status, 0) << letters.Err;
    EXPECT_EQ(letters.Out.substr(0, letters.Out.find('\r')), "easting_m,northing_m,C,scale_factor,convergence_deg");
    EXPECT_NE(letters.Out.find(",\"7\"\"\","), std::string::npos) << letters.Out;  // a quote alone is quoted too
}

TEST(OutputFormats, GeoJsonIsAFeatureCollectionAtNad83Degrees)
{
    TempFolder folder;
    const std::string file = folder.Write("field.csv", kFieldFile).string();
    const Result result = run(fieldRun(file, "geojson"));
    ASSERT_EQ(result.Status, 0) << result.Err;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(result.Out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_EQ(document.object()["type"].toString(), "FeatureCollection");
    const QJsonArray features = document.object()["features"].toArray();
    ASSERT_EQ(features.size(), 2);

    // The same points as kartoval-convert's own NAD83 degrees, [longitude, latitude].
    const Result degrees = run({"--from", "nad27:Texas South Central", "--to", "geo:nad83", "--header", "1",
                                "--x", "B", "--y", "C", "--decimals", "7", file});
    ASSERT_EQ(degrees.Status, 0) << degrees.Err;
    EXPECT_NE(degrees.Out.find("-97.5002713,29.5002365"), std::string::npos);  // cs2cs with the grids
    const QJsonObject first = features[0].toObject();
    EXPECT_EQ(first["type"].toString(), "Feature");
    EXPECT_EQ(first["geometry"].toObject()["type"].toString(), "Point");
    const QJsonArray point = first["geometry"].toObject()["coordinates"].toArray();
    ASSERT_EQ(point.size(), 2);
    // Seven decimals written, both from the same route: equal to half a unit.
    EXPECT_NEAR(point[0].toDouble(), -97.5002713, 0.5e-7);
    EXPECT_NEAR(point[1].toDouble(), 29.5002365, 0.5e-7);

    const QJsonObject properties = first["properties"].toObject();
    EXPECT_EQ(properties["line"].toInt(), 2);
    EXPECT_EQ(properties["Point"].toString(), "BM 12");
    EXPECT_EQ(properties["Note"].toString(), "iron rod, \"found\"");
    EXPECT_TRUE(properties["Elev"].isDouble());  // the whole column is numeric
    EXPECT_DOUBLE_EQ(properties["Elev"].toDouble(), 101.5);
    EXPECT_NEAR(properties["easting_m"].toDouble(), 745399.5141, 1e-4);

    // One code that is no JSON number keeps the whole column as strings.
    const Result codes = run({"--from", "geo", "--to", "utm:14N", "--format", "geojson", "--x", "B", "--y", "C",
                              folder.Write("codes.txt", "12 -99 30\n007 -99 30\n").string()});
    ASSERT_EQ(codes.Status, 0) << codes.Err;
    const QJsonArray coded = QJsonDocument::fromJson(QByteArray::fromStdString(codes.Out)).object()["features"].toArray();
    ASSERT_EQ(coded.size(), 2);
    EXPECT_EQ(coded[0].toObject()["properties"].toObject()["A"].toString(), "12");
}

TEST(OutputFormats, KmlPlacemarksAreNamedByTheIdColumn)
{
    TempFolder folder;
    const Result result = run(fieldRun(folder.Write("field.csv", kFieldFile).string(), "kml"));
    ASSERT_EQ(result.Status, 0) << result.Err;
    QXmlStreamReader xml(QByteArray::fromStdString(result.Out));
    std::vector<std::string> path;
    std::vector<std::string> names;
    std::vector<std::string> coordinates;
    std::vector<std::string> dataNames;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (path.empty()) {
                EXPECT_EQ(xml.namespaceUri().toString(), "http://www.opengis.net/kml/2.2");
            }
            path.push_back(xml.name().toString().toStdString());
            if (path.back() == "Data" && names.size() == 1) dataNames.push_back(xml.attributes().value("name").toString().toStdString());
        } else if (xml.isEndElement()) {
            path.pop_back();
        } else if (xml.isCharacters() && !xml.isWhitespace()) {
            const std::string where = path.size() >= 2 ? path[path.size() - 2] + "/" + path.back() : "";
            if (where == "Placemark/name") names.push_back(xml.text().toString().toStdString());
            if (where == "Point/coordinates") coordinates.push_back(xml.text().toString().toStdString());
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(names, (std::vector<std::string>{"BM 12", "CP-7"}));
    EXPECT_EQ(coordinates, (std::vector<std::string>{"-97.5002713,29.5002365", "-98.0002822,29.0002500"}));
    EXPECT_EQ(dataNames, (std::vector<std::string>{"line", "easting_m", "northing_m", "Elev", "Note"}));
}

TEST(OutputFormats, RefusalsNameTheProblem)
{
    TempFolder folder;
    const std::string file = folder.Write("field.csv", kFieldFile).string();
    const struct {
        std::vector<std::string> Arguments;
        int Status;
        std::string Err;
    } cases[]{
        {{"--from", "geo", "--to", "utm:14N", "--format", "shp", file}, 2, "--format is one of text, csv, geojson, kml"},
        {{"--from", "geo", "--to", "utm:14N", "--id", "A", file}, 2, "--id names the placemarks"},
        {{"--from", "nad27:Texas South Central", "--to", "geo:nad27", "--header", "1", "--x", "East", "--y", "C",
          "--format", "csv", file},
         1, "field.csv:1: the header has no column named 'East' (--x)"},
        // A NAD27 point off every grid: the map's shift refuses it, though the run itself shifts nothing.
        {{"--from", "geo:nad27", "--to", "utm:32N:nad27", "--format", "geojson", "--x", "A", "--y", "B",
          folder.Write("far.txt", "9 45\n").string()},
         1, "far.txt:1: The point latitude 45"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Err);
        const Result result = run(c.Arguments);
        EXPECT_EQ(result.Status, c.Status);
        EXPECT_NE(result.Err.find(c.Err), std::string::npos) << result.Err;
    }
}

// The File page's format list writes what kartoval-convert writes for the
// same settings, byte for byte.
TEST(OutputFormats, FilePageWritesWhatTheCommandLineWrites)
{
    TempFolder folder;
    const std::string input = folder.Write("shots.txt", "SP lon lat elev\n101 -99.5 30.25 12.5\n102 -98 31 7\n").string();
    FakeMessages messages;
    const Platform platform{messages, KARTOVAL_DATA_DIR};
    const struct {
        OutputFormat Format;
        const char* Name;
    } formats[]{{OutputFormat::Csv, "csv"}, {OutputFormat::GeoJson, "geojson"}, {OutputFormat::Kml, "kml"}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.Name);
        FileConversionSettings settings;
        settings.InputPath = input;
        settings.OutputPath = (folder.Path / "page.out").string();
        settings.ZonePosition = 13;  // UTM 14N, on WGS 84 (the list's default ellipsoid)
        settings.SkipFirstRow = true;
        settings.WestWithoutMinus = false;
        settings.Format = f.Format;
        const FileRunOutcome outcome = RunFileConversion(settings, platform, [](const std::string&) { return true; });
        ASSERT_TRUE(std::holds_alternative<FileRunSummary>(outcome)) << std::get<FileRunFailure>(outcome).Text;
        std::vector<std::string> arguments{"--from", "geo", "--to", "utm:14N", "--delimiter", "whitespace", "--header", "1",
                                           "--format", f.Name, input};
        if (f.Format != OutputFormat::Csv) arguments.insert(arguments.end() - 1, {"--id", "A"});
        const Result command = run(arguments);
        ASSERT_EQ(command.Status, 0) << command.Err;
        EXPECT_EQ(folder.Read("page.out"), command.Out);
    }
}

// A run's memory doesn't grow with its rows: 400,000 GeoJSON features (about
// 60 MB of text) through a pipe leave the peak resident size within 8 MB.
// The 4,000,000-row run is measured by hand on the optimised build (too slow
// for the debug and sanitizer builds here).
TEST(OutputFormats, GeoJsonStreamsInFlatMemory)
{
    constexpr std::uint64_t kRows = 400'000;
    constexpr long kMostGrowthKilobytes = 8 * 1024;
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    std::thread feeder([fd = pipeEnds[1]] {
        std::FILE* out = ::fdopen(fd, "w");
        constexpr std::string_view kLine = "P7 -99.25 30.5 12.5\n";
        for (std::uint64_t k = 0; k < kRows; ++k) std::fwrite(kLine.data(), 1, kLine.size(), out);
        std::fclose(out);
    });
    struct Counter : BatchOutput {
        void Write(std::string_view chunk) override { Bytes += chunk.size(); }
        std::uint64_t Bytes = 0;
    } output;
    std::FILE* in = ::fdopen(pipeEnds[0], "r");
    LineReader reader(in);
    FakeMessages messages;
    const Platform platform{messages, KARTOVAL_DATA_DIR};
    const ConversionRoute route(DegreesSide(), DegreesSide(), Ellipsoid{"WGS 84", 6378137.0, 298.257223563}, platform);
    RowFormatOptions format;
    format.Format = OutputFormat::GeoJson;
    format.XName = "longitude";
    format.YName = "latitude";
    format.OutputIsDegrees = true;
    RowWriter rows(format);
    BatchOptions options;
    options.Rows = &rows;
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    const BatchSummary summary = RunBatch(reader, output, options, route, {});
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    feeder.join();
    std::fclose(in);
    EXPECT_EQ(summary.Rows, kRows);
    EXPECT_GT(output.Bytes, kRows * 100);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, kMostGrowthKilobytes);
}

}  // namespace
}  // namespace kartoval::testing
