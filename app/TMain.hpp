#pragma once
// The main window `Main`: the two pages of the form in TMain.ui, wired to the
// commands of the single-point and file pages. The window itself decides
// nothing; it fills its lists, sets its defaults and hands every click to a
// command, showing whatever the command throws, and says on its status bar
// what the last action of the page on show did. It remembers its settings
// between runs when asked to (the program does; tests start from defaults).

#include "app/AppServices.hpp"
#include "app/StatusLine.hpp"
#include "refdata/ZoneCodes.hpp"
#include "toolkit/Platform.hpp"

#include <QString>
#include <QVariantMap>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;

namespace Ui {
class TMain;
}

namespace kartoval {

class TMain : public QWidget {
    Q_OBJECT

public:
    // Builds the form, then fills the lists and sets the defaults in the
    // order the window has always started with. A missing ellips.txt is
    // reported and leaves both ellipsoid lists empty; the window still opens.
    explicit TMain(const AppServices& services, QWidget* parent = nullptr);
    ~TMain() override;
    TMain(const TMain&) = delete;
    TMain& operator=(const TMain&) = delete;

    // The click handlers. The radio button ones run when their button becomes
    // checked, by a click or from code. None lets an exception out.
    void ButInputClick();
    void ButOutputClick();
    void GOClick();
    // "Show points...": a plot of a chosen file with the File page's settings.
    void ShowPointsClick();
    void ButtonUTMToDegreesClick();
    void ButtonDegreesToUTMClick();
    void ButConvertClick();
    // "Find zone" and "Copy" of the single page.
    void ButFindZoneClick();
    void ButCopyClick();
    void ButNAD27Click();
    void ButNAD83Click();
    void ButUTMNClick();
    void ButUTMSClick();
    // The File page's grid family buttons.
    void ButFileUTMNClick();
    void ButFileUTMSClick();
    void ButFileNAD27Click();
    void ButFileNAD83Click();

    // Decimals of the degrees (6 to 9) and of the grid values (2 to 4) that
    // "Convert" writes: the Settings menu's choices.
    void setDegreeDecimals(int decimals);
    void setGridDecimals(int decimals);
    [[nodiscard]] int degreeDecimals() const { return degreeDecimals_; }
    [[nodiscard]] int gridDecimals() const { return gridDecimals_; }

    // "Reset to defaults": every remembered setting back to the first start's.
    void ResetToDefaults();

private:
    struct Controls;

    void connectHandlers();
    void connectCues();
    void onChecked(QAbstractButton* button, void (TMain::*handler)());
    void report(const std::function<void()>& command);
    void familyClick(void (*handler)(SinglePointPage&, const Platform&));
    void fileFamilyClick(XyProjectionKind family);
    void showStatus(QWidget* page, const std::string& text);
    void showPageStatus();
    void buildStatusBar();
    void buildMenu();
    QActionGroup* decimalsMenu(QMenu& menu, const QString& title, std::initializer_list<int> choices,
                               void (TMain::*set)(int));
    // The remembered zone of the family just listed, if it is still there.
    void selectRememberedZone(bool filePage, int family);
    [[nodiscard]] int checkedFamily(bool filePage) const;
    [[nodiscard]] QVariantMap captureSettings() const;
    void applySettings(const QVariantMap& values);
    void saveSettings() const;
    void updateZoneTip();
    // The window's choice of transverse Mercator (the TmEngine list at its foot).
    [[nodiscard]] TmEngine tmEngine() const;

    std::unique_ptr<Ui::TMain> form_;
    std::unique_ptr<Controls> controls_;
    class FileRunExtras* fileExtras_ = nullptr;  // owned by the File page
    Dialogs& dialogs_;
    RecordingMessages messages_;  // every message box of the window goes through it
    Platform platform_;
    std::vector<ZoneCode> zoneCodes_;  // empty when zone_codes.txt can't be read
    class DatumShiftTab* datumPage_ = nullptr;
    class StatusText* statusText_ = nullptr;
    std::array<QString, 3> pageStatus_;  // the last message of each page, by tab position
    // The zone last chosen in each grid family, by family (UTM north, south,
    // NAD27, NAD83), on the Single and File pages.
    std::array<QString, 4> singleZones_;
    std::array<QString, 4> fileZones_;
    std::string inputFolder_;   // of the last file confirmed in each dialog
    std::string outputFolder_;
    int degreeDecimals_ = 6;
    int gridDecimals_ = 2;
    QActionGroup* degreeChoices_ = nullptr;
    QActionGroup* gridChoices_ = nullptr;
    QVariantMap defaults_;  // the settings of the first start
    bool remember_ = false;
};

}  // namespace kartoval
