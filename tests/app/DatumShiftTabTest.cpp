// The "Datum Shift" page in the real window: Enter converts from the side
// typed in, the status names the grid, edits grey the old result, and a
// missing grid is a File error naming it.

#include "WindowFixture.hpp"

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
