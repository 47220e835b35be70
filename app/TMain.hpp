#pragma once
// The main window `Main`: the two pages of the form in TMain.ui, wired to the
// commands of the single-point and file pages. The window itself decides
// nothing; it fills its lists, sets its defaults and hands every click to a
// command, showing whatever the command throws, and says on its status line
// what the last action did.

#include "app/AppServices.hpp"
#include "app/StatusLine.hpp"
#include "refdata/ZoneCodes.hpp"
#include "toolkit/Platform.hpp"

#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QLabel;

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
    // Decimals "Convert" writes: degrees 6 to 9, grid values 2 to 4.
    void setDegreeDecimals(int decimals);
    void setGridDecimals(int decimals);
    void ButNAD27Click();
    void ButNAD83Click();
    void ButUTMNClick();
    void ButUTMSClick();
    // The File page's grid family buttons.
    void ButFileUTMNClick();
    void ButFileUTMSClick();
    void ButFileNAD27Click();
    void ButFileNAD83Click();

private:
    struct Controls;

    void connectHandlers();
    void connectCues();
    void onChecked(QAbstractButton* button, void (TMain::*handler)());
    void report(const std::function<void()>& command);
    void familyClick(void (*handler)(SinglePointPage&, const Platform&));
    void fileFamilyClick(XyProjectionKind family);
    void showStatus(const std::string& text);
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
};

}  // namespace kartoval
