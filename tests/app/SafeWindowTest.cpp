// The window on the paths where a user could lose a file or take a wrong
// number home: each test replays such a path on the real widgets.

#include "WindowFixture.hpp"

#include "app/QtMessageBoxes.hpp"

#include <QMessageBox>

#include <vector>

namespace kartoval::testing {
namespace {

// A conic zone with a false northing, beside the fixture's transverse
// Mercator one.
const char* const kNad83WithLambert = "Alabama East\tTM\t-85.83333333333333\t30.5\t0.99996\t200000\t0\n"
                                      "California zone 3\tLAMBERT\t-120.5\t36.5\t38.43333333333333\t"
                                      "37.06666666666667\t2000000\t500000\nend\n";
constexpr int kCaliforniaZone3 = 1;

class SafeWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Folder.Write("nad83.txt", kNad83WithLambert);
    }
    [[nodiscard]] std::string Status() const { return Label("StatusLine").text().toStdString(); }
    [[nodiscard]] bool Stale(const char* edit) const { return Edit(edit).property("stale").toBool(); }
    void Press(const char* widget, Qt::Key key) { QTest::keyClick(&Find<QWidget>(widget), key); }
};

// Grid inverses that a unit or a parameter slip would spoil: expected values
// from PROJ's invproj (+proj=tmerc/+proj=lcc, same ellipsoid, +units=us-ft for
// NAD27). Degrees are shown to 6 decimals: tolerance 1e-6 for that rounding
// plus 1e-6 for the series (under 0.1 m). A metres slip in NAD27 moves the
// point 700 km, a lost false northing 500 km.
TEST_F(SafeWindowTest, InversesAwayFromTheFalseOriginMatchProj)
{
    struct Row {
        const char* Name;
        const char* Family;
        int Zone;
        int Ellipsoid;
        const char* X;
        const char* Y;
        double Latitude;
        double Longitude;
        const char* Status;
    };
    const std::vector<Row> rows = {
        {"NAD27 TM in US survey feet", "ButNAD27", 0, kClarke1866Position, "400000", "1000000", 33.248576354,
         -86.160411882, "Converted 1 point (NAD27 Alabama East, Clarke 1866; classic transverse Mercator series)"},
        {"NAD83 Lambert off its meridian", "ButNAD83", kCaliforniaZone3, 41, "1800000", "600000", 37.379310659,
         -122.758494864, "Converted 1 point (NAD83 California zone 3, WGS 84)"},
    };
    for (const Row& row : rows) {
        Open();
        Click("TabSheet2", row.Family);
        List("BoxProjection2").setCurrentIndex(row.Zone);
        List("BoxEllipsoid2").setCurrentIndex(row.Ellipsoid);
        Click("TabSheet2", "ButtonXYToDegrees2");
        Type("EditX", row.X);
        Type("EditY", row.Y);
        Click("TabSheet2", "ButConvert");
        EXPECT_TRUE(Messages.Messages.empty()) << row.Name;
        EXPECT_NEAR(Edit("EditLatitude").text().toDouble(), row.Latitude, 2e-6) << row.Name;
        EXPECT_NEAR(Edit("EditLongitude").text().toDouble(), row.Longitude, 2e-6) << row.Name;
        EXPECT_EQ(Status(), row.Status) << row.Name;
    }
}

// The unit follows the family; the notice appears only when the ellipsoid is
// not the zone datum's (WGS 84 passes for GRS 1980), and its button picks the
// datum's ellipsoid when the table lists it.
TEST_F(SafeWindowTest, UnitsAndDatumNoticeFollowTheChoices)
{
    struct Row {
        const char* Family;
        int Ellipsoid;
        const char* Unit;
        const char* Notice;  // "" when none is shown
        bool Fix;            // the "Use ..." button is offered
    };
    const std::vector<Row> rows = {
        {"ButNAD27", 41, "&X (ftUS):", "Alabama East (NAD27) is defined on Clarke 1866, not on WGS 84.", true},
        {"ButNAD27", kClarke1866Position, "&X (ftUS):", "", false},
        {"ButNAD83", 41, "&X (m):", "", false},
        {"ButNAD83", kClarke1866Position, "&X (m):", "Alabama East (NAD83) is defined on GRS 1980, not on Clarke 1866.",
         false},
        {"ButUTMS", kClarke1866Position, "&X (m):", "", false},
    };
    Open();
    for (const Row& row : rows) {
        Click("TabSheet2", row.Family);
        List("BoxEllipsoid2").setCurrentIndex(row.Ellipsoid);
        EXPECT_EQ(Label("Label8").text().toStdString(), row.Unit) << row.Family;
        EXPECT_EQ(Label("DatumNotice").isVisible() ? Label("DatumNotice").text().toStdString() : "", row.Notice)
            << row.Family << " " << row.Ellipsoid;
        EXPECT_EQ(Button("UseDatumEllipsoid").isVisible(), row.Fix) << row.Family;
    }
    Click("TabSheet2", "ButNAD27");
    List("BoxEllipsoid2").setCurrentIndex(41);
    EXPECT_EQ(Button("UseDatumEllipsoid").text().toStdString(), "&Use Clarke 1866");
    Click("TabSheet2", "UseDatumEllipsoid");
    EXPECT_EQ(List("BoxEllipsoid2").currentIndex(), kClarke1866Position);
    EXPECT_FALSE(Label("DatumNotice").isVisible());
}

// Every change of what the results answer greys them until the next Convert,
// and so does a Convert that fails.
TEST_F(SafeWindowTest, ResultsGoStaleUntilTheNextConvert)
{
    struct Row {
        const char* Name;
        std::function<void()> Change;
    };
    const std::vector<Row> rows = {
        {"latitude typed", [this] { Type("EditLatitude", "1"); }},
        {"zone", [this] { List("BoxProjection2").setCurrentIndex(31); }},
        {"ellipsoid", [this] { List("BoxEllipsoid2").setCurrentIndex(0); }},
        {"family", [this] { Click("TabSheet2", "ButUTMS"); }},
        {"direction", [this] { Click("TabSheet2", "ButtonXYToDegrees2"); }},
        {"failed Convert", [this] {
             Type("EditLongitude", "abc");
             Click("TabSheet2", "ButConvert");
         }},
    };
    for (const Row& row : rows) {
        Open();
        List("BoxProjection2").setCurrentIndex(30);
        Type("EditLatitude", "0");
        Type("EditLongitude", "3");
        Click("TabSheet2", "ButConvert");
        ASSERT_FALSE(Stale("EditX")) << row.Name;
        row.Change();
        EXPECT_TRUE(Stale("EditX") && Stale("EditY")) << row.Name;
        EXPECT_FALSE(Stale("EditLatitude")) << row.Name;
    }
    EXPECT_EQ(Text("EditX"), "500000");  // the failed click changed no text
    EXPECT_EQ(Status(), "Longitude: 'abc' is not a valid floating point value");
}

// Enter in a box runs its page's command: Convert on the single page, GO on
// the file page, where the replace question's default answers it: No.
TEST_F(SafeWindowTest, EnterRunsThePageAndNeverReplacesTheInput)
{
    Open();
    List("BoxProjection2").setCurrentIndex(30);
    Type("EditLatitude", "0");
    Type("EditLongitude", "3");
    Press("EditLongitude", Qt::Key_Return);
    EXPECT_EQ(Text("EditX"), "500000");
    EXPECT_EQ(Status(), "Converted 1 point (UTM zone 31 north, WGS 84; classic transverse Mercator series)");

    // Scenario of a fresh start: "Input File" names the input as the output too.
    const std::string points = "101 3.5 40\n";
    const std::string input = Folder.Write("shots.txt", points).string();
    QtMessageBoxes realBoxes;
    Window = std::make_unique<TMain>(AppServices{realBoxes, Files, Folder.Path, '.'});
    Window->show();
    Files.InputAnswers = {input};
    Click("TabSheet1", "ButInput");
    Button("BoxMinusW").setChecked(false);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenShown<QMessageBox> enter([&](QMessageBox& box) {
        icon = box.icon();
        QTest::keyClick(&box, Qt::Key_Return);
    });
    Press("EditOutput", Qt::Key_Enter);
    EXPECT_TRUE(enter.Seen);
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(Folder.Read("shots.txt"), points);
    EXPECT_EQ(Status(), "Nothing converted");
}

// Results stay as computed; the status line says how far to trust a point
// far from its zone's central meridian (zone 31: 3E), on both pages.
TEST_F(SafeWindowTest, StatusLineWarnsFarFromTheCentralMeridian)
{
    const std::vector<std::pair<const char*, std::string>> rows = {
        {"6", "Converted 1 point (UTM zone 31 north, WGS 84; classic transverse Mercator series)"},
        {"11", "8.0 degrees from the central meridian: expect errors of about 37 cm; use the exact transverse "
               "Mercator. Converted 1 point (UTM zone 31 north, WGS 84; classic transverse Mercator series)"},
    };
    Open();
    List("BoxProjection2").setCurrentIndex(30);
    for (const auto& [longitude, status] : rows) {
        Type("EditLatitude", "40");
        Type("EditLongitude", longitude);
        Click("TabSheet2", "ButConvert");
        EXPECT_EQ(Status(), status);
    }
    Folder.Write("in.txt", "1 8 40\n2 3 40\n3 4 40\n");  // read as west: 1, 6 and 5 degrees from -9
    Edit("EditInput").setText(QString::fromStdString((Folder.Path / "in.txt").string()));
    Edit("EditOutput").setText(QString::fromStdString((Folder.Path / "out.txt").string()));
    Click("TabSheet1", "GO");
    const std::string file = Status();
    EXPECT_EQ(file.rfind("2 points more than 4.0 degrees from the central meridian (up to 6.0 degrees: expect "
                         "errors up to about 5 cm; use the exact transverse Mercator). Converted 3 points",
                         0),
              0U)
        << file;

    // With the exact engine chosen the notes go and the status line names it.
    // GeographicLib's TransverseMercatorProj -l 3 -k 0.9996 gives 683262.5780
    // 4458528.1569 for 40N 11E, so 1183262.58 with the false easting, to the
    // box's 2 decimals (the classic series is 37 cm off here).
    List("TmEngine").setCurrentIndex(1);
    Type("EditLatitude", "40");
    Type("EditLongitude", "11");
    Click("TabSheet2", "ButConvert");
    EXPECT_EQ(Status(), "Converted 1 point (UTM zone 31 north, WGS 84; exact transverse Mercator (Krueger))");
    EXPECT_EQ(Text("EditX"), "1183262.58");
    EXPECT_EQ(Text("EditY"), "4458528.16");
    Click("TabSheet1", "GO");
    EXPECT_EQ(Status().find("more than"), std::string::npos) << Status();
    EXPECT_NE(Status().find("; exact transverse Mercator (Krueger)"), std::string::npos) << Status();
}

// A point of another zone converts on the Single page with a notice; the
// File page has the Single page's datum-ellipsoid notice and button.
TEST_F(SafeWindowTest, OutsidePointAndFileDatumNoticeAreShown)
{
    Open();
    List("BoxProjection2").setCurrentIndex(30);  // zone 31, central meridian 3 E
    Type("EditLatitude", "40");
    Type("EditLongitude", "20");  // 8 degrees beyond 12 E: 8 x 111.195 km x cos 40 = 681 km
    Click("TabSheet2", "ButConvert");
    EXPECT_TRUE(Label("AreaNotice").isVisible());
    EXPECT_EQ(Status().rfind("This point lies 681 km east of the area of UTM zone 31N. 17.0 degrees from", 0), 0U)
        << Status();
    Type("EditLongitude", "4");
    EXPECT_FALSE(Label("AreaNotice").isVisible());  // the notice goes with the point it was about

    Click("TabSheet1", "ButFileNAD27");
    EXPECT_EQ(Label("FileDatumNotice").text().toStdString(),
              "Alabama East (NAD27) is defined on Clarke 1866, not on WGS 84.");
    Click("TabSheet1", "UseFileDatumEllipsoid");
    EXPECT_EQ(List("BoxEllipsoid").currentIndex(), kClarke1866Position);
    EXPECT_FALSE(Label("FileDatumNotice").isVisible());
}

// A failing row is named by its line in the file, header and blank lines
// counted; nothing is written and "Skip first row" stays for the retry.
TEST_F(SafeWindowTest, FailingRowNamedByItsFileLine)
{
    Open();
    Folder.Write("in.txt", "Sp Lon Lat\n\n1 8.5 38.9\n2 8.5 3B.9\n");
    Edit("EditInput").setText(QString::fromStdString((Folder.Path / "in.txt").string()));
    Edit("EditOutput").setText(QString::fromStdString((Folder.Path / "out.txt").string()));
    Button("BoxSkip").setChecked(true);
    Click("TabSheet1", "GO");
    ASSERT_EQ(Messages.Messages.size(), 1U);
    EXPECT_EQ(Messages.Messages[0].Text, "Line 4: '3B.9' is not a valid floating point value");
    EXPECT_EQ(Status(), Messages.Messages[0].Text);
    EXPECT_FALSE(std::filesystem::exists(Folder.Path / "out.txt"));
    EXPECT_TRUE(Button("BoxSkip").isChecked());

    Folder.Write("in.txt", "Sp Lon Lat\n\n1 8.5 38.9\n2 8.5 39.9\n");
    Click("TabSheet1", "GO");
    EXPECT_EQ(Status().rfind("Converted 2 points from in.txt to out.txt in ", 0), 0U) << Status();
    EXPECT_FALSE(Button("BoxSkip").isChecked());

    // One point, 5 degrees from the zone's meridian (9 E): said in the singular.
    Folder.Write("in.txt", "1 14 38.9\n");
    Click("TabSheet1", "GO");
    // The warning leads; the count follows.
    EXPECT_EQ(Status().rfind("1 point more than 4.0 degrees", 0), 0U) << Status();
    EXPECT_NE(Status().find(". Converted 1 point from in.txt to out.txt in "), std::string::npos) << Status();
}

}  // namespace
}  // namespace kartoval::testing
