// The "Datum Shift" page in the real window: Enter converts from the side
// typed in, the status names the grid, edits grey the old result until the
// next shift, a side's new kind clears its boxes, grid values beyond their
// zone are refused, and a missing grid is a File error naming it.

#include "WindowFixture.hpp"

#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include <filesystem>

namespace kartoval::testing {
namespace {

class DatumShiftTabTest : public WindowTest {
protected:
    void ShowPage()
    {
        Find<QTabWidget>("PageControl1").setCurrentWidget(&Find<QWidget>("TabDatumShift"));
    }
    // The shipped zone tables and areas, so a zone's area can refuse a point.
    void CopyZoneTables() const
    {
        for (const char* file : {"ellips.txt", "nad27.txt", "nad83.txt", "zone_codes.txt", "zone_areas.txt"}) {
            std::filesystem::copy_file(std::filesystem::path(KARTOVAL_DATA_DIR) / file, Folder.Path / file,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }
    // Stale as the user sees it: the text in the style's grey, not its own colour.
    [[nodiscard]] bool Grey(const char* edit) const
    {
        const QPalette normal = QApplication::palette(&Edit(edit));
        return Edit(edit).palette().color(QPalette::Text) == normal.color(QPalette::Disabled, QPalette::Text) &&
               normal.color(QPalette::Disabled, QPalette::Text) != normal.color(QPalette::Text);
    }
    void Shift(const char* button) { Click("TabDatumShift", button); }
    void CopyConusGrid() const
    {
        std::filesystem::create_directories(Folder.Path / "grids");
        for (const char* file : {"us_noaa_conus.tif", "SHA256SUMS"}) {
            std::filesystem::copy_file(std::filesystem::path(KARTOVAL_DATA_DIR) / "grids" / file,
                                       Folder.Path / "grids" / file);
        }
    }
};

TEST_F(DatumShiftTabTest, EnterShiftsNamesTheGridAndEditsGreyTheResult)
{
    CopyConusGrid();
    Open();
    ShowPage();
    Type("EditNad27XLat", "35");
    Type("EditNad27YLon", "-100");
    QTest::keyClick(&Edit("EditNad27YLon"), Qt::Key_Return);
    ASSERT_TRUE(Messages.Messages.empty()) << Messages.Messages[0].Text;
    // The grid README's check value.
    EXPECT_EQ(Text("EditNad83XLat"), "35.000052786");
    EXPECT_EQ(Text("EditNad83YLon"), "-100.000384072");
    EXPECT_NE(Label("StatusLine").text().toStdString().find("us_noaa_conus.tif"), std::string::npos);
    EXPECT_FALSE(Edit("EditNad83XLat").property("stale").toBool());

    Type("EditNad27XLat", "35.5");
    EXPECT_TRUE(Edit("EditNad83XLat").property("stale").toBool());
}

// Every change after a shift greys the result, the second time as the first;
// the next shift makes it black again.
TEST_F(DatumShiftTabTest, ResultGreysAfterEveryChangeUntilTheNextShift)
{
    CopyConusGrid();
    Open();
    ShowPage();
    Type("EditNad27XLat", "35");
    Type("EditNad27YLon", "-100");
    const std::function<void()> changes[] = {
        [&] { Type("EditNad27XLat", "35.1"); },
        [&] { Type("EditNad27YLon", "-100.1"); },
        [&] { List("BoxNad27Side").setCurrentIndex(1); },  // another geographic entry: the values stay
        [&] { List("TmEngine").setCurrentIndex(1 - List("TmEngine").currentIndex()); },
    };
    for (std::size_t change = 0; change < std::size(changes); ++change) {
        List("BoxNad27Side").setCurrentIndex(0);
        Shift("ButNad27ToNad83");
        ASSERT_TRUE(Messages.Messages.empty()) << Messages.Messages[0].Text;
        EXPECT_FALSE(Grey("EditNad83XLat")) << change;
        changes[change]();
        EXPECT_TRUE(Grey("EditNad83XLat")) << change;
        EXPECT_TRUE(Grey("EditNad83YLon")) << change;
        EXPECT_FALSE(Grey("EditNad27XLat")) << change;
        EXPECT_EQ(Label("StatusLine").text().left(7).toStdString(), "Changed") << change;
    }
}

TEST_F(DatumShiftTabTest, ANewKindOfSideClearsItsBoxesAndGridValuesBeyondTheZoneAreRefused)
{
    CopyZoneTables();
    CopyConusGrid();
    Open();
    ShowPage();
    Type("EditNad83XLat", "29.76");
    Type("EditNad83YLon", "-95.36");
    List("BoxNad83Side").setCurrentIndex(List("BoxNad83Side").findText(QStringLiteral("Texas South Central")));
    EXPECT_EQ(Label("LabNad83XLat").text().toStdString(), "X (m):");
    EXPECT_EQ(Text("EditNad83XLat"), "");
    EXPECT_EQ(Text("EditNad83YLon"), "");

    // The degrees typed again as metres: 4000 km south of the zone.
    Type("EditNad83XLat", "29.76");
    Type("EditNad83YLon", "-95.36");
    Shift("ButNad83ToNad27");
    ASSERT_EQ(Messages.Messages.size(), 1U);
    EXPECT_NE(Messages.Messages[0].Text.find("south of the area of NAD83 Texas South Central"), std::string::npos)
        << Messages.Messages[0].Text;
    EXPECT_EQ(Text("EditNad27XLat"), "");
}

TEST_F(DatumShiftTabTest, AMissingGridIsAFileErrorNamingIt)
{
    Open();
    ShowPage();
    Type("EditNad27XLat", "35");
    Type("EditNad27YLon", "-100");
    Click("TabDatumShift", "ButNad27ToNad83");
    ASSERT_EQ(Messages.Messages.size(), 1U);
    EXPECT_NE(Messages.Messages[0].Text.find("us_noaa_conus.tif"), std::string::npos);
    EXPECT_EQ(Messages.Messages[0].Caption, "File error");
    EXPECT_EQ(Text("EditNad83XLat"), "");
}

}  // namespace
}  // namespace kartoval::testing
