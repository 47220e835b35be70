// The window's handlers end to end: clicks on real widgets run the commands
// over the tests' own data tables.

#include "WindowFixture.hpp"

#include <cmath>
#include <sstream>
#include <vector>

namespace kartoval::testing {
namespace {

using HandlersTest = WindowTest;

// ---- File page: direction buttons ---------------------------------------

TEST_F(HandlersTest, UtmToDegreesRelabelsColumnsAndGreysOutTheCheckBoxKeepingItsMark)
{
    for (const bool mark : {true, false}) {
        Open();
        Button("BoxMinusW").setChecked(mark);
        Click("TabSheet1", "ButtonUTMToDegrees");
        EXPECT_EQ(Label("LabLongi").text().toStdString(), "Easting");
        EXPECT_EQ(Label("LabLati").text().toStdString(), "Northing");
        EXPECT_FALSE(Button("BoxMinusW").isEnabled());
        EXPECT_EQ(Button("BoxMinusW").isChecked(), mark);

        Click("TabSheet1", "ButtonDegreesToUTM");
        EXPECT_EQ(Label("LabLongi").text().toStdString(), "Longitude");
        EXPECT_EQ(Label("LabLati").text().toStdString(), "Latitude");
        EXPECT_TRUE(Button("BoxMinusW").isEnabled());
        EXPECT_EQ(Button("BoxMinusW").isChecked(), mark);
    }
}

// ---- Single page: grid families -----------------------------------------

TEST_F(HandlersTest, GridFamiliesRefillTheZoneListAtItsFirstZone)
{
    Open();
    Type("EditLatitude", "12.5");
    struct Step {
        const char* Button;
        int Count;
        const char* First;
    };
    const std::vector<Step> steps = {
        {"ButUTMS", 60, "South Zone 1, central parallel: 177W"},
        {"ButNAD27", 2, "Alabama East"},
        {"ButNAD83", 1, "Alabama East"},
        {"ButUTMN", 60, "North Zone 1, central parallel: 177W"},
    };
    for (const Step& step : steps) {
        List("BoxProjection2").setCurrentIndex(1);  // not remembered across families
        Click("TabSheet2", step.Button);
        EXPECT_EQ(List("BoxProjection2").count(), step.Count) << step.Button;
        EXPECT_EQ(List("BoxProjection2").currentIndex(), 0) << step.Button;
        EXPECT_EQ(List("BoxProjection2").currentText().toStdString(), step.First) << step.Button;
    }
    EXPECT_EQ(List("BoxProjection2").itemText(59).toStdString(), "North Zone 60, central parallel: 177E");
    EXPECT_EQ(Text("EditLatitude"), "12.5");  // the boxes keep their texts
    EXPECT_TRUE(Messages.Messages.empty());
}

TEST_F(HandlersTest, ClickOnTheCheckedFamilyRunsNothing)
{
    Open();
    List("BoxProjection2").setCurrentIndex(30);
    Click("TabSheet2", "ButUTMN");
    EXPECT_EQ(List("BoxProjection2").currentIndex(), 30);
    EXPECT_EQ(List("BoxProjection2").count(), 60);
}

TEST_F(HandlersTest, MissingZoneTableIsReportedAndLeavesTheListEmpty)
{
    std::filesystem::remove(Folder.Path / "nad83.txt");
    Open();
    Click("TabSheet2", "ButNAD83");
    ASSERT_EQ(Messages.Messages.size(), 1U);
    EXPECT_EQ(Messages.Messages[0].Text, "Can't find NAD83 data file\nLooked for " + (Folder.Path / "nad83.txt").string());
    EXPECT_EQ(Messages.Messages[0].Caption, "File error");
    EXPECT_EQ(List("BoxProjection2").count(), 0);
    EXPECT_TRUE(Button("ButNAD83").isChecked());
}

TEST_F(HandlersTest, ZoneListTipGivesTheZoneCodesAndTheBoxesReadAnglesAsWritten)
{
    Folder.Write("zone_codes.txt", "26929\tnad83.txt\tAlabama East\t0101\n");
    Folder.Write("zone_areas.txt", "26929\t30.99\t35\t-86.79\t-84.89\n");
    Open();
    Click("TabSheet2", "ButNAD83");
    EXPECT_EQ(List("BoxProjection2").toolTip().toStdString(), "NAD83 Alabama East (0101, EPSG:26929)");
    // The zone's origin, 30°30'N 85°50'W, is its false origin whatever the
    // ellipsoid: exactly, to the 2 decimals the boxes show.
    Type("EditLatitude", "30d30m00s N");
    Type("EditLongitude", QString::fromUtf8("85°50.000'W"));
    Click("TabSheet2", "ButConvert");
    EXPECT_EQ(Text("EditX") + " " + Text("EditY") + " " + Text("EditLatitude"), "200000 0 30.5");
}

// ---- Single page: Convert -----------------------------------------------

struct ConvertRow {
    const char* Name;
    const char* Family;
    bool Forward;
    int Ellipsoid;
    int Zone;
    const char* First;   // latitude, or X
    const char* Second;  // longitude, or Y
    double ExpectedFirst;   // X, or latitude
    double ExpectedSecond;  // Y, or longitude
    double Tolerance;
};

// Expected values from PROJ's cs2cs (+proj=utm / +proj=tmerc, same ellipsoid).
// The window shows X and Y rounded to 0.01 (metres or US feet), so a forward
// row allows 0.005 for that rounding plus 0.001 for the series; degrees are
// shown to 6 decimals, so an inverse row allows 2e-6 degrees (0.2 m).
const std::vector<ConvertRow> kConvertRows = {
    {"NorthOnMeridianAtEquator", "ButUTMN", true, 41, 30, "0", "3", 500000.0, 0.0, 0.006},
    {"SouthAddsFalseNorthing", "ButUTMS", true, 41, 30, "0", "3", 500000.0, 10000000.0, 0.006},
    {"EiffelTowerWgs84", "ButUTMN", true, 41, 30, "48.858222", "2.2945", 448251.817885, 5411935.123220, 0.006},
    {"EiffelTowerClarke1866", "ButUTMN", true, kClarke1866Position, 30, "48.858222", "2.2945", 448250.160634,
     5411716.125749, 0.006},
    {"Nad27AlabamaEastInFeet", "ButNAD27", true, kClarke1866Position, 0, "33.5", "-86.5", 296759.554700,
     1091977.998058, 0.006},
    {"InverseEiffelTower", "ButUTMN", false, 41, 30, "448251.82", "5411935.12", 48.858222, 2.2945, 2e-6},
};

TEST_F(HandlersTest, ConvertTypedPointEndToEnd)
{
    for (const ConvertRow& row : kConvertRows) {
        Open();
        if (std::string(row.Family) != "ButUTMN") Click("TabSheet2", row.Family);
        List("BoxEllipsoid2").setCurrentIndex(row.Ellipsoid);
        List("BoxProjection2").setCurrentIndex(row.Zone);
        const char* firstBox = row.Forward ? "EditLatitude" : "EditX";
        const char* secondBox = row.Forward ? "EditLongitude" : "EditY";
        const char* firstResult = row.Forward ? "EditX" : "EditLatitude";
        const char* secondResult = row.Forward ? "EditY" : "EditLongitude";
        if (!row.Forward) Click("TabSheet2", "ButtonXYToDegrees2");
        Type(firstBox, row.First);
        Type(secondBox, row.Second);
        Click("TabSheet2", "ButConvert");

        EXPECT_TRUE(Messages.Messages.empty()) << row.Name;
        EXPECT_NEAR(Edit(firstResult).text().toDouble(), row.ExpectedFirst, row.Tolerance) << row.Name;
        EXPECT_NEAR(Edit(secondResult).text().toDouble(), row.ExpectedSecond, row.Tolerance) << row.Name;
    }
}

TEST_F(HandlersTest, ConvertShowsAndReadsTheLocalesDecimalComma)
{
    Open(',');
    List("BoxProjection2").setCurrentIndex(30);
    Type("EditLatitude", "48,858222");
    Type("EditLongitude", "2,2945");
    Click("TabSheet2", "ButConvert");
    EXPECT_TRUE(Messages.Messages.empty());
    EXPECT_EQ(Text("EditX"), "448251,82");
    EXPECT_EQ(Text("EditY"), "5411935,12");
}

TEST_F(HandlersTest, BadNumberIsReportedAndTheWindowKeepsWorking)
{
    Open();
    List("BoxProjection2").setCurrentIndex(30);
    Edit("EditX").setText("earlier X");
    Type("EditLatitude", "abc");
    Type("EditLongitude", "3");
    Click("TabSheet2", "ButConvert");

    ASSERT_EQ(Messages.Messages.size(), 1U);
    EXPECT_NE(Messages.Messages[0].Text.find("'abc'"), std::string::npos) << Messages.Messages[0].Text;
    EXPECT_EQ(Messages.Messages[0].Caption, "Kartoval");
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(Text("EditX"), "earlier X");  // nothing half-written
    EXPECT_EQ(Text("EditLatitude"), "abc");

    Type("EditLatitude", "0");
    Click("TabSheet2", "ButConvert");
    EXPECT_EQ(Messages.Messages.size(), 1U);
    EXPECT_EQ(Text("EditX"), "500000");
    EXPECT_EQ(Text("EditY"), "0");
}

TEST_F(HandlersTest, ConvertWithoutEllipsoidTableSaysSoAndChangesNothing)
{
    std::filesystem::remove(Folder.Path / "ellips.txt");
    Open();
    Type("EditLatitude", "0");
    Type("EditLongitude", "3");
    Click("TabSheet2", "ButConvert");
    // The list is empty: line 1 of a table restored since start is no choice.
    ASSERT_EQ(Messages.Messages.size(), 2U);
    EXPECT_EQ(Messages.Messages[1].Text, "Choose an ellipsoid\nNothing is selected in the Ellipsoid list.");
    EXPECT_EQ(Text("EditX"), "");
    EXPECT_EQ(Text("EditLatitude"), "0");
}

// ---- File page: file dialogs --------------------------------------------

TEST_F(HandlersTest, FileDialogsFillTheirBoxesAndCancelChangesNothing)
{
    struct Row {
        const char* Name;
        const char* Button;
        std::optional<std::string> Answer;
        const char* Input;   // EditInput afterwards
        const char* Output;  // EditOutput afterwards
    };
    const std::vector<Row> rows = {
        {"InputNamesBoth", "ButInput", "/data/points.txt", "/data/points.txt", "/data/points.txt"},
        {"InputCancelled", "ButInput", std::nullopt, "typed in", "typed out"},
        {"OutputNamesOutput", "ButOutput", "/data/result.txt", "typed in", "/data/result.txt"},
        {"OutputCancelled", "ButOutput", std::nullopt, "typed in", "typed out"},
    };
    for (const Row& row : rows) {
        Open();
        Files.InputAnswers = {row.Answer};
        Files.OutputAnswers = {row.Answer};
        Type("EditInput", "typed in");
        Type("EditOutput", "typed out");
        Click("TabSheet1", row.Button);
        EXPECT_EQ(Files.InputRuns + Files.OutputRuns, 1) << row.Name;
        EXPECT_EQ(Text("EditInput"), row.Input) << row.Name;
        EXPECT_EQ(Text("EditOutput"), row.Output) << row.Name;
    }
}

// ---- File page: GO --------------------------------------------------------

std::vector<std::vector<double>> ReadNumbers(const std::string& text)
{
    std::vector<std::vector<double>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::vector<double> numbers;
        for (double value = 0; fields >> value;) numbers.push_back(value);
        lines.push_back(numbers);
    }
    return lines;
}

TEST_F(HandlersTest, GoConvertsAFileChosenThroughTheDialogs)
{
    const auto input = Folder.Write("points.txt", "101 3 0\n102 2.2945 48.858222\n");
    const auto output = Folder.Path / "utm.txt";
    Open();
    Files.InputAnswers = {input.string()};
    Files.OutputAnswers = {output.string()};
    Click("TabSheet1", "ButInput");
    Click("TabSheet1", "ButOutput");
    List("BoxProjection").setCurrentIndex(30);   // zone 31
    Button("BoxMinusW").setChecked(false);        // east longitudes, signed
    Click("TabSheet1", "GO");

    EXPECT_TRUE(Messages.Messages.empty());
    const std::string text = Folder.Read("utm.txt");
    EXPECT_EQ(text.substr(0, text.find('\n') + 1), "101.000000\t500000.000000\t0.000000\n");
    const auto lines = ReadNumbers(text);
    ASSERT_EQ(lines.size(), 2U);
    ASSERT_EQ(lines[1].size(), 3U);
    // PROJ's cs2cs value; the file has 6 decimals, the series is good to 1 mm here.
    EXPECT_EQ(lines[1][0], 102.0);
    EXPECT_NEAR(lines[1][1], 448251.817885, 0.001);
    EXPECT_NEAR(lines[1][2], 5411935.123220, 0.001);
    EXPECT_EQ(Folder.Read("points.txt"), "101 3 0\n102 2.2945 48.858222\n");  // input untouched
}

TEST_F(HandlersTest, GoWithTheStartDefaults)
{
    // Zone 29 (central meridian 9 W), columns A B C, west longitudes unsigned.
    Folder.Write("points.txt", "7 9 40\n8 8 40.5\n");
    Open();
    Type("EditInput", QString::fromStdString((Folder.Path / "points.txt").string()));
    Type("EditOutput", QString::fromStdString((Folder.Path / "out.txt").string()));
    Click("TabSheet1", "GO");

    EXPECT_TRUE(Messages.Messages.empty());
    const auto lines = ReadNumbers(Folder.Read("out.txt"));
    ASSERT_EQ(lines.size(), 2U);
    // PROJ's cs2cs for (9 W, 40 N) and (8 W, 40.5 N), UTM 29; 1 mm as above.
    EXPECT_NEAR(lines[0][1], 500000.0, 0.001);
    EXPECT_NEAR(lines[0][2], 4427757.218738, 0.001);
    EXPECT_NEAR(lines[1][1], 584734.538900, 0.001);
    EXPECT_NEAR(lines[1][2], 4483734.991585, 0.001);
}

TEST_F(HandlersTest, GoBackToDegreesAndClearsSkipFirstRowAfterOneRun)
{
    Folder.Write("grid.txt", "SP E N\n7 500000 0\n");
    Open();
    Type("EditInput", QString::fromStdString((Folder.Path / "grid.txt").string()));
    Type("EditOutput", QString::fromStdString((Folder.Path / "deg.txt").string()));
    List("BoxProjection").setCurrentIndex(30);
    Click("TabSheet1", "ButtonUTMToDegrees");
    Click("TabSheet1", "BoxSkip");
    ASSERT_TRUE(Button("BoxSkip").isChecked());
    Click("TabSheet1", "GO");

    EXPECT_TRUE(Messages.Messages.empty());
    EXPECT_EQ(Folder.Read("deg.txt"), "7.000000\t3.000000\t0.000000\n");
    EXPECT_FALSE(Button("BoxSkip").isChecked());
}

TEST_F(HandlersTest, GoOnABadNumberIsReportedAndTheWindowKeepsWorking)
{
    Folder.Write("bad.txt", "101 3 north\n");
    Open();
    Type("EditInput", QString::fromStdString((Folder.Path / "bad.txt").string()));
    Type("EditOutput", QString::fromStdString((Folder.Path / "out.txt").string()));
    Click("TabSheet1", "GO");
    ASSERT_EQ(Messages.Messages.size(), 1U);
    EXPECT_NE(Messages.Messages[0].Text.find("north"), std::string::npos) << Messages.Messages[0].Text;
    EXPECT_EQ(Messages.Messages[0].Caption, "Kartoval");
    EXPECT_FALSE(std::filesystem::exists(Folder.Path / "out.txt"));

    Folder.Write("bad.txt", "101 3 0\n");
    Click("TabSheet1", "GO");
    EXPECT_EQ(Messages.Messages.size(), 1U);
    EXPECT_TRUE(std::filesystem::exists(Folder.Path / "out.txt"));
}

// Input File names the output too, so a run replaces the input only after
// the user has agreed to it.
TEST_F(HandlersTest, GoOnTheInputsOwnNameAsksFirst)
{
    for (const bool agree : {true, false}) {
        const auto input = Folder.Write("points.txt", "101 3 0\n");
        Open();
        Files.InputAnswers = {input.string()};
        Messages.Answers = {agree};
        Click("TabSheet1", "ButInput");
        List("BoxProjection").setCurrentIndex(30);
        Button("BoxMinusW").setChecked(false);
        Click("TabSheet1", "GO");
        EXPECT_EQ(Messages.Questions.size(), 1U) << agree;
        EXPECT_EQ(Folder.Read("points.txt"), agree ? "101.000000\t500000.000000\t0.000000\n" : "101 3 0\n")
            << agree;
    }
}

TEST_F(HandlersTest, GoWithoutInputFileSaysSo)
{
    Open();
    Click("TabSheet1", "GO");
    ASSERT_EQ(Messages.Messages.size(), 1U);
    EXPECT_EQ(Messages.Messages[0].Text, "Can't find specified file\nNo input file is named.");
    EXPECT_EQ(Messages.Messages[0].Caption, "File error");
    EXPECT_EQ(Label("StatusLine").text().toStdString(), "Can't find specified file");
}

// The File page in every grid family: the zone list follows the family, the
// captions follow family and direction, and GO converts in that family. Values
// from PROJ's `proj` (WGS 84, the page's default ellipsoid); the files hold 6
// decimals and the TM series is good to 1 mm this near the central meridian.
TEST_F(HandlersTest, GoConvertsInTheFileGridFamily)
{
    const struct {
        const char* Family;
        int Zone;
        bool ToDegrees;
        const char* Input;
        double X, Y, Tolerance;
        const char* ZoneLabel;
        const char* XLabel;
        const char* FirstZone;
    } cases[]{
        {"ButFileNAD83", 0, false, "1 86 32\n", 184251.763170, 166316.186638, 1e-3, "&Zone:", "Longitude",
         "Alabama East"},
        {"ButFileUTMS", 22, true, "5 400000 6000000\n", -46.111478032, -36.139560450, 2e-6, "UTM &Zone:", "Easting",
         "South Zone 1, central parallel: 177W"},
        {"ButFileNAD27", 1, true, "6 500000 0\n", -87.5, 30.0, 1e-6, "&Zone:", "X (ftUS)", "Alabama East"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Family);
        Folder.Write("in.txt", c.Input);
        // A typed output that exists is replaced only after a question; each case writes a new one.
        std::filesystem::remove(Folder.Path / "out.txt");
        Open();
        Click("TabSheet1", c.Family);
        EXPECT_EQ(List("BoxProjection").itemText(0).toStdString(), c.FirstZone);
        List("BoxProjection").setCurrentIndex(c.Zone);
        if (c.ToDegrees) Click("TabSheet1", "ButtonUTMToDegrees");
        EXPECT_EQ(Label("Label7").text().toStdString(), c.ZoneLabel);
        EXPECT_EQ(Label("LabLongi").text().toStdString(), c.XLabel);
        Type("EditInput", QString::fromStdString((Folder.Path / "in.txt").string()));
        Type("EditOutput", QString::fromStdString((Folder.Path / "out.txt").string()));
        Click("TabSheet1", "GO");
        EXPECT_TRUE(Messages.Messages.empty()) << Messages.Messages.front().Text;
        const auto lines = ReadNumbers(Folder.Read("out.txt"));
        ASSERT_EQ(lines.size(), 1U);
        ASSERT_EQ(lines[0].size(), 3U);
        EXPECT_NEAR(lines[0][1], c.X, c.Tolerance);
        EXPECT_NEAR(lines[0][2], c.Y, c.Tolerance);
    }
    Click("TabSheet1", "ButFileUTMN");  // back to the start's family and zone
    EXPECT_EQ(List("BoxProjection").currentIndex(), 28);
    EXPECT_EQ(Button("ButtonUTMToDegrees").text().toStdString(), "UTM to &Degrees");
}

}  // namespace
}  // namespace kartoval::testing
