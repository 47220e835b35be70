// The window as it opens: its controls, captions and defaults, a missing
// ellipsoid table, and the program's start and end.

#include "app/Startup.hpp"
#include "WindowFixture.hpp"

#include <QCheckBox>
#include <QGroupBox>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

namespace kartoval::testing {
namespace {

struct Named {
    const char* Name;
    const char* Class;
};

// Every control of the form, under the name the commands and users know it by.
const std::vector<Named> kControls = {
    {"PageControl1", "QTabWidget"}, {"TabSheet1", "QWidget"}, {"TabSheet2", "QWidget"}, {"Label1", "QLabel"},
    {"Label2", "QLabel"}, {"Label3", "QLabel"}, {"Label4", "QLabel"}, {"Label5", "QLabel"},
    {"Label6", "QLabel"}, {"Label7", "QLabel"}, {"Label8", "QLabel"}, {"Label9", "QLabel"},
    {"Label12", "QLabel"}, {"Label13", "QLabel"}, {"LabLongi", "QLabel"}, {"LabLati", "QLabel"},
    {"BoxProjection", "QComboBox"}, {"BoxProjection2", "QComboBox"}, {"BoxEllipsoid", "QComboBox"},
    {"BoxEllipsoid2", "QComboBox"}, {"BoxSP", "QComboBox"}, {"BoxLon", "QComboBox"}, {"BoxLat", "QComboBox"},
    {"EditInput", "QLineEdit"}, {"EditOutput", "QLineEdit"}, {"EditLatitude", "QLineEdit"},
    {"EditLongitude", "QLineEdit"}, {"EditX", "QLineEdit"}, {"EditY", "QLineEdit"}, {"ButInput", "QPushButton"},
    {"ButOutput", "QPushButton"}, {"GO", "QPushButton"}, {"ButConvert", "QPushButton"},
    {"ButtonDegreesToUTM", "QRadioButton"}, {"ButtonUTMToDegrees", "QRadioButton"},
    {"ButtonDegreesToXY", "QRadioButton"}, {"ButtonXYToDegrees2", "QRadioButton"}, {"ButUTMN", "QRadioButton"},
    {"ButUTMS", "QRadioButton"}, {"ButNAD27", "QRadioButton"}, {"ButNAD83", "QRadioButton"},
    {"BoxMinusW", "QCheckBox"}, {"BoxSkip", "QCheckBox"}, {"GroupBox1", "QGroupBox"},
};

struct Caption {
    const char* Name;
    const char* Text;
};

const std::vector<Caption> kCaptions = {
    {"Label7", "UTM &Zone:"},
    {"Label6", "V 0.2004 alfa"},
    {"Label5", "&Ellipsoid:"},
    {"Label4", "Columns"},
    {"Label3", "S&hotPoint"},
    {"LabLongi", "Longitude"},
    {"LabLati", "Latitude"},
    {"Label1", "&Projection:"},
    {"Label2", "&Ellipsoid:"},
    {"Label13", "&Latitude"},
    {"Label12", "Lon&gitude"},
    {"Label8", "&X (m):"},
    {"Label9", "&Y (m):"},
    {"ButInput", "&Input File"},
    {"ButOutput", "&Output File"},
    {"GO", "&GO"},
    {"ButConvert", "&Convert"},
    {"ButtonDegreesToUTM", "Degrees to &UTM"},
    {"ButtonUTMToDegrees", "UTM to &Degrees"},
    {"BoxMinusW", "&West longitudes without minuses"},
    {"BoxSkip", "S&kip first row"},
    {"ButUTMN", "UTM (&North Hemisphere)"},
    {"ButUTMS", "UTM (&South Hemisphere)"},
    {"ButNAD27", "NAD&27"},
    {"ButNAD83", "NAD&83"},
    {"ButtonDegreesToXY", "&Degrees to XY"},
    {"ButtonXYToDegrees2", "XY &to Degrees"},
};

std::vector<std::string> ItemsOf(const QComboBox& box)
{
    std::vector<std::string> items;
    for (int i = 0; i < box.count(); ++i) items.push_back(box.itemText(i).toStdString());
    return items;
}

const std::vector<std::string> kColumnLetters = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"};

using StartupTest = WindowTest;

TEST_F(StartupTest, EveryControlIsThereUnderItsNameAndKind)
{
    Open();
    for (const Named& control : kControls) {
        auto* widget = Window->findChild<QWidget*>(QString::fromLatin1(control.Name));
        ASSERT_NE(widget, nullptr) << control.Name;
        EXPECT_TRUE(widget->inherits(control.Class)) << control.Name << " is a " << widget->metaObject()->className();
    }
}

TEST_F(StartupTest, EachControlIsOnItsPage)
{
    Open();
    const std::vector<std::pair<const char*, std::vector<const char*>>> pages = {
        {"TabSheet1",
         {"Label7", "BoxProjection", "Label6", "EditInput", "ButInput", "EditOutput", "ButOutput", "Label5",
          "BoxEllipsoid", "ButtonDegreesToUTM", "ButtonUTMToDegrees", "Label4", "Label3", "LabLongi", "LabLati",
          "BoxSP", "BoxLon", "BoxLat", "BoxMinusW", "BoxSkip", "GO"}},
        {"TabSheet2",
         {"Label1", "BoxProjection2", "Label2", "BoxEllipsoid2", "GroupBox1", "ButtonDegreesToXY",
          "ButtonXYToDegrees2", "Label13", "EditLatitude", "Label12", "EditLongitude", "Label8", "EditX", "Label9",
          "EditY", "ButConvert"}},
        {"GroupBox1", {"ButUTMN", "ButUTMS", "ButNAD27", "ButNAD83"}},
    };
    for (const auto& [page, names] : pages)
        for (const char* name : names) EXPECT_EQ(Find<QWidget>(name).parent(), &Find<QWidget>(page)) << name;
}

TEST_F(StartupTest, CaptionsAsTheyStand)
{
    Open();
    for (const Caption& caption : kCaptions) {
        QWidget& widget = Find<QWidget>(caption.Name);
        const QString text = widget.inherits("QLabel") ? static_cast<QLabel&>(widget).text()
                                                       : static_cast<QAbstractButton&>(widget).text();
        // With their mnemonics: a caption rewritten without its "&" loses its Alt key.
        EXPECT_EQ(text.toStdString(), caption.Text) << caption.Name;
    }
    EXPECT_EQ(Find<QGroupBox>("GroupBox1").title().toStdString(), "Choose your XY Projection");
}

TEST_F(StartupTest, WindowTitlePlaceAndPages)
{
    Open();
    EXPECT_EQ(Window->objectName().toStdString(), "Main");
    EXPECT_EQ(Window->windowTitle().toStdString(), "Kartoval");
    EXPECT_EQ(Window->pos(), QPoint(542, 99));
    // The size it has always had, or more where the fonts need it; the menu,
    // the pages, then the status bar.
    EXPECT_EQ(Window->size(), QSize(673, 446).expandedTo(Window->minimumSizeHint()));

    auto& pages = Find<QTabWidget>("PageControl1");
    ASSERT_EQ(pages.count(), 3);
    EXPECT_EQ(pages.widget(0)->objectName().toStdString(), "TabSheet1");
    EXPECT_EQ(pages.tabText(0).toStdString(), "File Convertion");
    EXPECT_EQ(pages.widget(1)->objectName().toStdString(), "TabSheet2");
    EXPECT_EQ(pages.tabText(1).toStdString(), "Single Convertion");
    EXPECT_EQ(pages.widget(2)->objectName().toStdString(), "TabDatumShift");
    EXPECT_EQ(pages.tabText(2).toStdString(), "Datum Shift");
    EXPECT_EQ(pages.currentWidget()->objectName().toStdString(), "TabSheet2");
}

TEST_F(StartupTest, SinglePageDefaults)
{
    Open();
    EXPECT_TRUE(Button("ButUTMN").isChecked());
    EXPECT_FALSE(Button("ButUTMS").isChecked());
    EXPECT_FALSE(Button("ButNAD27").isChecked());
    EXPECT_FALSE(Button("ButNAD83").isChecked());
    EXPECT_TRUE(Button("ButtonDegreesToXY").isChecked());
    EXPECT_FALSE(Button("ButtonXYToDegrees2").isChecked());

    // ButUTMNClick ran: the north zones, the first one selected rather than
    // the listing's own default of zone 29.
    const auto zones = ItemsOf(List("BoxProjection2"));
    ASSERT_EQ(zones.size(), 60U);
    EXPECT_EQ(zones.front(), "North Zone 1, central parallel: 177W");
    EXPECT_EQ(List("BoxProjection2").currentIndex(), 0);

    EXPECT_EQ(List("BoxEllipsoid2").count(), kTestEllipsoidCount);
    EXPECT_EQ(List("BoxEllipsoid2").currentText().toStdString(), "WGS 84");  // position 41
    for (const char* edit : {"EditLatitude", "EditLongitude", "EditX", "EditY"}) EXPECT_EQ(Text(edit), "") << edit;
    EXPECT_TRUE(Messages.Messages.empty());
}

TEST_F(StartupTest, FilePageDefaults)
{
    Open();
    EXPECT_TRUE(Button("ButtonDegreesToUTM").isChecked());
    EXPECT_FALSE(Button("ButtonUTMToDegrees").isChecked());
    EXPECT_TRUE(Button("BoxMinusW").isChecked());
    EXPECT_TRUE(Button("BoxMinusW").isEnabled());
    EXPECT_FALSE(Button("BoxSkip").isChecked());
    EXPECT_EQ(Label("LabLongi").text().toStdString(), "Longitude");
    EXPECT_EQ(Label("LabLati").text().toStdString(), "Latitude");

    EXPECT_EQ(List("BoxProjection").count(), 60);
    EXPECT_EQ(List("BoxProjection").currentText().toStdString(), "North Zone 29, central parallel: 9W");
    EXPECT_EQ(List("BoxEllipsoid").currentText().toStdString(), "WGS 84");
    EXPECT_EQ(ItemsOf(List("BoxEllipsoid")), ItemsOf(List("BoxEllipsoid2")));

    for (const char* box : {"BoxSP", "BoxLon", "BoxLat"}) EXPECT_EQ(ItemsOf(List(box)), kColumnLetters) << box;
    EXPECT_EQ(List("BoxSP").currentText().toStdString(), "A");
    EXPECT_EQ(List("BoxLon").currentText().toStdString(), "B");
    EXPECT_EQ(List("BoxLat").currentText().toStdString(), "C");
    EXPECT_EQ(Text("EditInput"), "");
    EXPECT_EQ(Text("EditOutput"), "");
}

// The commands read list positions only; typed text would not match a line.
TEST_F(StartupTest, DropDownListsTakeNoTypedText)
{
    Open();
    for (const char* box :
         {"BoxProjection", "BoxProjection2", "BoxEllipsoid", "BoxEllipsoid2", "BoxSP", "BoxLon", "BoxLat"})
        EXPECT_FALSE(List(box).isEditable()) << box;
}

TEST_F(StartupTest, MissingEllipsoidTableIsReportedAndTheWindowStillOpens)
{
    std::filesystem::remove(Folder.Path / "ellips.txt");
    Open();
    ASSERT_EQ(Messages.Messages.size(), 1U);
    EXPECT_EQ(Messages.Messages[0].Text, "Can't find ellipsoid data file\nLooked for " + (Folder.Path / "ellips.txt").string());
    EXPECT_EQ(Messages.Messages[0].Caption, "File error");
    for (const char* box : {"BoxEllipsoid", "BoxEllipsoid2"}) {
        EXPECT_EQ(List(box).count(), 0) << box;
        EXPECT_EQ(List(box).currentIndex(), -1) << box;
    }
    // Everything else starts as usual.
    EXPECT_EQ(List("BoxProjection").currentIndex(), 28);
    EXPECT_EQ(List("BoxProjection2").count(), 60);
    EXPECT_EQ(List("BoxProjection2").currentIndex(), 0);
    EXPECT_TRUE(Button("ButUTMN").isChecked());
    EXPECT_TRUE(Button("BoxMinusW").isChecked());
    EXPECT_EQ(List("BoxLat").currentText().toStdString(), "C");
    EXPECT_TRUE(Window->isVisible());
}

// Radio buttons exclude only the others of their own group: the file page's
// direction, the single page's direction, the four grid families.
TEST_F(StartupTest, RadioGroupsAreIndependent)
{
    Open();
    Click("TabSheet2", "ButNAD83");
    EXPECT_FALSE(Button("ButUTMN").isChecked());
    EXPECT_TRUE(Button("ButtonDegreesToXY").isChecked());
    EXPECT_TRUE(Button("ButtonDegreesToUTM").isChecked());

    Click("TabSheet2", "ButtonXYToDegrees2");
    EXPECT_FALSE(Button("ButtonDegreesToXY").isChecked());
    EXPECT_TRUE(Button("ButNAD83").isChecked());
    EXPECT_TRUE(Button("ButtonDegreesToUTM").isChecked());

    Click("TabSheet1", "ButtonUTMToDegrees");
    EXPECT_FALSE(Button("ButtonDegreesToUTM").isChecked());
    EXPECT_TRUE(Button("ButtonXYToDegrees2").isChecked());
    EXPECT_TRUE(Button("ButNAD83").isChecked());
}

// A message at start comes before the window shows; closing the window ends
// the program with 0 and asks nothing.
class RecordingMessages : public FakeMessages {
public:
    void ShowMessage(const std::string& text, const std::string& caption) override
    {
        FakeMessages::ShowMessage(text, caption);
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == "Main" && widget->isVisible()) ShownOverWindow = true;
    }
    bool ShownOverWindow = false;
};

TEST(RunKartovalTest, ShowsTheWindowAndEndsWithZeroWhenItIsClosed)
{
    TempFolder folder;  // no tables at all
    RecordingMessages messages;
    FakeDialogs dialogs;
    std::string title;
    bool closed = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() != "Main" || !widget->isVisible()) continue;
            title = widget->windowTitle().toStdString();
            closed = widget->close();
        }
    });
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(RunKartoval(*app, {messages, dialogs, folder.Path, '.'}), 0);
    EXPECT_TRUE(closed);
    EXPECT_EQ(title, "Kartoval");
    EXPECT_EQ(QApplication::applicationDisplayName().toStdString(), "Kartoval");
    ASSERT_EQ(messages.Messages.size(), 1U);
    EXPECT_EQ(messages.Messages[0].Text, "Can't find ellipsoid data file\nLooked for " + (folder.Path / "ellips.txt").string());
    EXPECT_FALSE(messages.ShownOverWindow);
    EXPECT_TRUE(messages.Questions.empty());
}

TEST(DecimalSeparatorTest, FromTheLocale)
{
    struct Row {
        const char* Name;
        QLocale Locale;
        char Expected;
    };
    const std::vector<Row> rows = {
        {"english", QLocale(QLocale::English, QLocale::UnitedStates), '.'},
        {"german", QLocale(QLocale::German, QLocale::Germany), ','},
        {"c", QLocale::c(), '.'},
        // U+066B ARABIC DECIMAL SEPARATOR is no 8-bit character: the point stands in.
        {"arabic", QLocale(QLocale::Arabic, QLocale::Egypt), '.'},
    };
    for (const Row& row : rows) EXPECT_EQ(DecimalSeparatorOf(row.Locale), row.Expected) << row.Name;
}

}  // namespace
}  // namespace kartoval::testing
