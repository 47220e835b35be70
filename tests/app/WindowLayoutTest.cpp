// The window as laid out and remembered: every page fits at its minimum and
// start sizes (ctest runs the Layout cases at screen scales 1, 1.5 and 2),
// every input is named for a screen reader, the status bar keeps one message
// per page, and settings survive a restart until "Reset to defaults".

#include "WindowFixture.hpp"

#include "app/StatusText.hpp"

#include <QAction>
#include <QCheckBox>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabBar>
#include <QSettings>

#include <map>
#include <set>

namespace kartoval::testing {
namespace {

class WindowLayoutTest : public WindowTest {
protected:
    void ShowPage(int page)
    {
        Find<QTabWidget>("PageControl1").setCurrentIndex(page);
        QApplication::processEvents();
    }
    // The controls of the page on show, as the user sees them.
    [[nodiscard]] std::vector<QWidget*> Shown() const
    {
        std::vector<QWidget*> shown;
        for (QWidget* widget : Window->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !widget->isVisibleTo(Window.get())) continue;
            shown.push_back(widget);
        }
        return shown;
    }
    // Every choice the window shows: checked states, list entries, the size.
    [[nodiscard]] std::map<std::string, std::string> Choices() const
    {
        std::map<std::string, std::string> choices;
        for (auto* button : Window->findChildren<QAbstractButton*>())
            if (button->isCheckable()) choices[button->objectName().toStdString()] = button->isChecked() ? "on" : "off";
        for (auto* list : Window->findChildren<QComboBox*>())
            choices[list->objectName().toStdString()] = list->currentText().toStdString();
        choices["decimals"] = std::to_string(Window->degreeDecimals()) + "/" + std::to_string(Window->gridDecimals());
        choices["size"] = std::to_string(Window->width()) + "x" + std::to_string(Window->height());
        return choices;
    }
    StatusText& Status() const { return Find<StatusText>("StatusLine"); }
};

TEST_F(WindowLayoutTest, LayoutKeepsEveryControlInsideApartAndReadable)
{
    Open();
    const QSize start = Window->size();
    for (const QSize size : {Window->minimumSizeHint(), start, start * 2}) {
        Window->resize(size);
        for (int page = 0; page < 3; ++page) {
            ShowPage(page);
            const std::vector<QWidget*> shown = Shown();
            for (std::size_t i = 0; i < shown.size(); ++i) {
                QWidget* widget = shown[i];
                const std::string name = widget->objectName().toStdString() + " on page " + std::to_string(page);
                const QRect place(widget->mapTo(Window.get(), QPoint(0, 0)), widget->size());
                EXPECT_TRUE(Window->rect().contains(place)) << name;
                auto* label = qobject_cast<QLabel*>(widget);
                const bool wraps = label != nullptr && (label->wordWrap() || widget->inherits("kartoval::StatusText"));
                if ((label != nullptr && !wraps) || widget->inherits("QAbstractButton")) {
                    EXPECT_LE(widget->sizeHint().width(), widget->width()) << name;
                    EXPECT_LE(widget->sizeHint().height(), widget->height()) << name;
                }
                for (std::size_t j = i + 1; j < shown.size(); ++j) {
                    QWidget* other = shown[j];
                    if (widget->isAncestorOf(other) || other->isAncestorOf(widget)) continue;
                    const QRect otherPlace(other->mapTo(Window.get(), QPoint(0, 0)), other->size());
                    EXPECT_FALSE(place.intersects(otherPlace)) << name << " and " << other->objectName().toStdString();
                }
            }
        }
    }
}

// Each box and list is named for a screen reader and has a label that leads
// to it with its Alt letter or names it.
TEST_F(WindowLayoutTest, LayoutNamesEveryInputAndGivesItALabel)
{
    Open();
    for (int page = 0; page < 3; ++page) {
        ShowPage(page);
        for (QWidget* widget : Shown()) {
            if (!widget->inherits("QLineEdit") && !widget->inherits("QComboBox")) continue;
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
            bool labelled = false;
            for (auto* label : Window->findChildren<QLabel*>()) labelled = labelled || label->buddy() == widget;
            EXPECT_TRUE(labelled) << widget->objectName().toStdString();
        }
    }
}

// Tab alone reaches every control of each page that takes focus (of a radio
// group, the checked button; the arrows move within the group).
TEST_F(WindowLayoutTest, LayoutLetsTabReachEveryControl)
{
    Open();
    QApplication::setActiveWindow(Window.get());
    for (int page = 0; page < 3; ++page) {
        ShowPage(page);
        std::set<QWidget*> reached;
        Find<QTabWidget>("PageControl1").tabBar()->setFocus();
        for (int key = 0; key < 80; ++key) {
            reached.insert(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (QWidget* widget : Shown()) {
            const auto* radio = qobject_cast<QRadioButton*>(widget);
            if ((widget->focusPolicy() & Qt::TabFocus) == 0 || widget->focusProxy() != nullptr || !widget->isEnabled() ||
                (radio && !radio->isChecked()))
                continue;
            EXPECT_TRUE(reached.count(widget)) << widget->objectName().toStdString() << " on page " << page;
        }
    }
}

TEST_F(WindowLayoutTest, StatusBarKeepsOneMessagePerPageAndElidesOnlyWhenNarrow)
{
    Open();
    const QString start = Status().text();  // a note on the test's own tables, for every page
    Type("EditLatitude", "40");
    Type("EditLongitude", "-177");  // on the central meridian of zone 1, the one selected
    Click("TabSheet2", "ButConvert");
    const QString single = Status().text();
    ASSERT_TRUE(single.startsWith(QLatin1String("Converted 1 point"))) << single.toStdString();
    EXPECT_TRUE(Messages.Messages.empty());

    Type("EditInput", QString::fromStdString((Folder.Path / "none.txt").string()));
    Click("TabSheet1", "GO");
    const QString file = Status().text();
    EXPECT_NE(file, single);
    ShowPage(2);
    EXPECT_EQ(Status().text().toStdString(), start.toStdString());
    ShowPage(1);
    EXPECT_EQ(Status().text().toStdString(), single.toStdString());
    ShowPage(0);
    EXPECT_EQ(Status().text().toStdString(), file.toStdString());

    // Wide enough: the whole message, no tooltip; narrow: cut, whole in the tooltip.
    Status().SetMessage(QStringLiteral("10.2 degrees from the central meridian: expect errors of about 4 cm; use the "
                                       "exact transverse Mercator. Converted 1 point (UTM zone 29 north, WGS 84)"));
    Window->resize(Window->minimumSizeHint().width(), Window->height());
    QApplication::processEvents();
    EXPECT_TRUE(Status().Shown().endsWith(QChar(0x2026))) << Status().Shown().toStdString();
    EXPECT_EQ(Status().toolTip(), Status().text());
    Window->resize(2000, Window->height());
    QApplication::processEvents();
    EXPECT_EQ(Status().Shown(), Status().text());
    EXPECT_EQ(Status().toolTip(), QString());
}

TEST_F(WindowLayoutTest, SettingsSurviveARestartUntilResetToDefaults)
{
    QSettings(QStringLiteral("Kartoval"), QStringLiteral("kartoval")).clear();
    Open();
    const auto defaults = Choices();
    Open('.', true);
    EXPECT_EQ(Choices(), defaults);  // the first start

    Click("TabSheet2", "ButNAD27");
    List("BoxProjection2").setCurrentIndex(1);
    emit List("BoxProjection2").activated(1);  // as the user picks it: Alabama West
    Click("TabSheet2", "ButUTMS");
    Click("TabSheet2", "ButNAD27");
    EXPECT_EQ(List("BoxProjection2").currentText().toStdString(), "Alabama West");  // kept per family
    List("BoxEllipsoid2").setCurrentIndex(kClarke1866Position);
    Click("TabSheet2", "ButtonXYToDegrees2");
    Click("TabSheet1", "ButFileNAD83");
    Click("TabSheet1", "ButtonUTMToDegrees");
    for (const char* box : {"BoxSkip", "BoxKeepColumns"}) Click("TabSheet1", box);
    List("BoxLat").setCurrentIndex(4);
    List("BoxFormat").setCurrentIndex(1);
    List("TmEngine").setCurrentIndex(1);
    Window->setDegreeDecimals(8);
    Window->setGridDecimals(3);
    Window->resize(Window->size() + QSize(120, 80));
    Files.InputAnswers.push_back((Folder.Path / "field" / "in.txt").string());
    Files.OutputAnswers.push_back((Folder.Path / "out" / "in-utm.txt").string());
    Click("TabSheet1", "ButInput");
    Click("TabSheet1", "ButOutput");
    const auto changed = Choices();
    ASSERT_NE(changed, defaults);

    Open('.', true);
    EXPECT_EQ(Choices(), changed);
    Click("TabSheet1", "ButInput");  // the dialogs open where the last files were
    EXPECT_EQ(Files.StartFolders.first, (Folder.Path / "field").string());
    EXPECT_EQ(Files.StartFolders.second, (Folder.Path / "out").string());

    for (QAction* action : Find<QMenuBar>("MenuBar").findChildren<QAction*>()) {
        if (action->objectName() == QLatin1String("ActionResetToDefaults")) action->trigger();
    }
    EXPECT_EQ(Choices(), defaults);
    Open('.', true);
    EXPECT_EQ(Choices(), defaults);
}

TEST_F(WindowLayoutTest, SettingsFallBackFromAZoneNoLongerInTheTable)
{
    {
        QSettings settings(QStringLiteral("Kartoval"), QStringLiteral("kartoval"));
        settings.clear();
        settings.setValue(QStringLiteral("single/family"), 2);  // NAD27
        settings.setValue(QStringLiteral("single/zone/nad27"), QStringLiteral("Alabama Central"));
    }
    Open('.', true);
    EXPECT_TRUE(Button("ButNAD27").isChecked());
    EXPECT_EQ(List("BoxProjection2").currentIndex(), 0);
    EXPECT_NE(Status().text().toStdString().find("\"Alabama Central\" is no longer in the zone table"),
              std::string::npos)
        << Status().text().toStdString();
}

}  // namespace
}  // namespace kartoval::testing
