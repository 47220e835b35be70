#include "app/TMain.hpp"

#include "app/DatumShiftTab.hpp"
#include "app/EnterKey.hpp"
#include "app/FileRunExtras.hpp"
#include "app/ErrorReport.hpp"
#include "app/QtControls.hpp"
#include "app/SinglePageCues.hpp"
#include "app/StatusText.hpp"
#include "batch/FileConversionPage.hpp"
#include "refdata/DataCheck.hpp"
#include "refdata/Ellipsoids.hpp"
#include "refdata/UtmZones.hpp"
#include "single/SinglePointPage.hpp"
#include "toolkit/Errors.hpp"
#include "ui_TMain.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>

#include <algorithm>
#include <filesystem>

namespace kartoval {
namespace {

constexpr int kWindowLeft = 542;
constexpr int kWindowTop = 99;
constexpr char kFirstColumnLetter = 'A';
constexpr char kLastColumnLetter = 'J';
constexpr int kDefaultSpColumn = 0;   // "A"
constexpr int kDefaultLonColumn = 1;  // "B"
constexpr int kDefaultLatColumn = 2;  // "C"
// The window's size at first start, when its content fits in it.
constexpr QSize kDefaultSize(673, 446);

std::string folderOf(const std::string& file) { return std::filesystem::path(file).parent_path().string(); }

// Ticks the menu entry of the decimals in use.
void checkChoice(QActionGroup* group, int decimals)
{
    for (QAction* action : group->actions()) action->setChecked(action->data().toInt() == decimals);
}

}  // namespace

// The form's widgets as the commands see them, and the two pages built on them.
struct TMain::Controls {
    explicit Controls(Ui::TMain& form)
        : EditInput(*form.EditInput),
          EditOutput(*form.EditOutput),
          EditLatitude(*form.EditLatitude),
          EditLongitude(*form.EditLongitude),
          EditX(*form.EditX),
          EditY(*form.EditY),
          LabLongi(*form.LabLongi),
          LabLati(*form.LabLati),
          BoxProjection(*form.BoxProjection),
          BoxEllipsoid(*form.BoxEllipsoid),
          BoxSP(*form.BoxSP),
          BoxLon(*form.BoxLon),
          BoxLat(*form.BoxLat),
          BoxProjection2(*form.BoxProjection2),
          BoxEllipsoid2(*form.BoxEllipsoid2),
          BoxSkip(*form.BoxSkip),
          BoxKeepColumns(*form.BoxKeepColumns),
          BoxMinusW(*form.BoxMinusW),
          ButtonDegreesToUTM(*form.ButtonDegreesToUTM),
          ButtonDegreesToXY(*form.ButtonDegreesToXY),
          ButUTMN(*form.ButUTMN),
          ButUTMS(*form.ButUTMS),
          ButNAD27(*form.ButNAD27),
          ButNAD83(*form.ButNAD83),
          ButFileUTMS(*form.ButFileUTMS),
          ButFileNAD27(*form.ButFileNAD27),
          ButFileNAD83(*form.ButFileNAD83),
          Label7(*form.Label7),
          DegreesToUtmCaption(*form.ButtonDegreesToUTM),
          UtmToDegreesCaption(*form.ButtonUTMToDegrees),
          FilePage{.EditInput = EditInput,
                   .EditOutput = EditOutput,
                   .BoxEllipsoid = BoxEllipsoid,
                   .BoxProjection = BoxProjection,
                   .BoxLon = BoxLon,
                   .BoxLat = BoxLat,
                   .BoxSP = BoxSP,
                   .BoxSkip = BoxSkip,
                   .BoxMinusW = BoxMinusW,
                   .ButtonDegreesToUTM = ButtonDegreesToUTM,
                   .ButFileUTMS = ButFileUTMS,
                   .ButFileNAD27 = ButFileNAD27,
                   .ButFileNAD83 = ButFileNAD83,
                   .Label7 = Label7,
                   .LabLongi = LabLongi,
                   .LabLati = LabLati,
                   .ButtonDegreesToUTMCaption = DegreesToUtmCaption,
                   .ButtonUTMToDegreesCaption = UtmToDegreesCaption},
          SinglePage{.BoxProjection2 = BoxProjection2,
                     .BoxEllipsoid2 = BoxEllipsoid2,
                     .EditLatitude = EditLatitude,
                     .EditLongitude = EditLongitude,
                     .EditX = EditX,
                     .EditY = EditY,
                     .ButtonDegreesToXY = ButtonDegreesToXY,
                     .ButUTMN = ButUTMN,
                     .ButUTMS = ButUTMS,
                     .ButNAD27 = ButNAD27,
                     .ButNAD83 = ButNAD83},
          SinglePageCues({.BoxProjection2 = *form.BoxProjection2,
                          .BoxEllipsoid2 = *form.BoxEllipsoid2,
                          .EditLatitude = *form.EditLatitude,
                          .EditLongitude = *form.EditLongitude,
                          .EditX = *form.EditX,
                          .EditY = *form.EditY,
                          .Label8 = *form.Label8,
                          .Label9 = *form.Label9,
                          .DatumNotice = *form.DatumNotice,
                          .UseDatumEllipsoid = *form.UseDatumEllipsoid,
                          .AreaNotice = *form.AreaNotice}),
          FileNotice(*form.BoxProjection, *form.BoxEllipsoid, *form.FileDatumNotice, *form.UseFileDatumEllipsoid)
    {
    }

    QtEditText EditInput, EditOutput, EditLatitude, EditLongitude, EditX, EditY;
    QtLabelText LabLongi, LabLati;
    QtList BoxProjection, BoxEllipsoid, BoxSP, BoxLon, BoxLat, BoxProjection2, BoxEllipsoid2;
    QtCheck BoxSkip, BoxKeepColumns, BoxMinusW, ButtonDegreesToUTM, ButtonDegreesToXY, ButUTMN, ButUTMS, ButNAD27, ButNAD83;
    QtCheck ButFileUTMS, ButFileNAD27, ButFileNAD83;
    QtLabelText Label7;
    QtButtonText DegreesToUtmCaption, UtmToDegreesCaption;
    FileConversionPage FilePage;
    SinglePointPage SinglePage;
    kartoval::SinglePageCues SinglePageCues;
    DatumNoticeCue FileNotice;  // the File page's datum-ellipsoid notice
    // The path the Output File dialog last gave: any other text in
    // EditOutput at GO was typed.
    std::string ConfirmedOutput;
    std::optional<SinglePointResult> LastSingle;  // what "Copy" copies
    SinglePointDecimals Decimals;
};

TMain::TMain(const AppServices& services, QWidget* parent)
    : QWidget(parent),
      form_(std::make_unique<Ui::TMain>()),
      dialogs_(services.FileDialogs),
      messages_(services.Messages),
      platform_{messages_, services.DataFolder, services.DecimalSeparator}
{
    setObjectName(QStringLiteral("Main"));
    form_->setupUi(this);
    buildMenu();
    buildStatusBar();
    // A notice coming or going must not move the controls under it: its
    // button keeps the row's room (a one-line notice is no taller).
    for (QPushButton* notice : {form_->UseDatumEllipsoid, form_->UseFileDatumEllipsoid}) {
        QSizePolicy policy = notice->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        notice->setSizePolicy(policy);
    }
    move(kWindowLeft, kWindowTop);
    controls_ = std::make_unique<Controls>(*form_);
    controls_->FilePage.BoxKeepColumns = &controls_->BoxKeepColumns;
    controls_->FilePage.ConfirmedOutput = &controls_->ConfirmedOutput;
    try {
        zoneCodes_ = ReadZoneCodes(platform_);
    } catch (const CommandError&) {
        // The codes only add to the zone list's tooltip; without them it names the zone alone.
    }
    fileExtras_ = new FileRunExtras(*form_->TabSheet1, *form_->OutputRow, *form_->GoRow, controls_->FilePage, platform_);
    connect(&fileExtras_->ShowPointsButton(), &QAbstractButton::clicked, this, &TMain::ShowPointsClick);
    // The added controls take their place in the reading order.
    QWidget::setTabOrder(form_->EditOutput, form_->TabSheet1->findChild<QComboBox*>(QStringLiteral("BoxFormat")));
    QWidget::setTabOrder(form_->GO, &fileExtras_->ShowPointsButton());
    connectHandlers();
    connectCues();

    Controls& c = *controls_;
    // A missing ellips.txt is reported inside the listing; the lists stay empty.
    ListEllipsoids(c.BoxEllipsoid, c.BoxEllipsoid2, platform_);
    ListUtmNorthZones(c.BoxProjection);
    {
        // The family of the list just filled: checked quietly, so the list is filled once.
        const QSignalBlocker quiet(form_->ButFileUTMN);
        form_->ButFileUTMN->setChecked(true);
    }
    c.ButUTMN.SetChecked(true);             // runs ButUTMNClick: north zones, zone 1
    c.ButtonDegreesToUTM.SetChecked(true);  // runs ButtonDegreesToUTMClick
    c.ButtonDegreesToXY.SetChecked(true);
    for (char letter = kFirstColumnLetter; letter <= kLastColumnLetter; ++letter) {
        const std::string column(1, letter);
        c.BoxSP.AddItem(column);
        c.BoxLon.AddItem(column);
        c.BoxLat.AddItem(column);
    }
    c.BoxLon.SetItemIndex(kDefaultLonColumn);
    c.BoxLat.SetItemIndex(kDefaultLatColumn);
    c.BoxSP.SetItemIndex(kDefaultSpColumn);
    c.BoxMinusW.SetChecked(true);
    // A message at start (a missing table) stays readable once its box is
    // gone, on every page: it concerns them all.
    std::string startNote;
    if (messages_.LastMessage()) {
        startNote = *messages_.LastMessage();
    } else if (const auto notes = ChangedTableNotes(platform_.DataFolder, KARTOVAL_VERSION); !notes.empty()) {
        // A table the user changed is still used; the status line says so at start.
        startNote = notes.front() + (notes.size() > 1 ? " (and " + std::to_string(notes.size() - 1) + " more)" : "");
    }
    // The third page builds and wires itself and reports on its own status
    // line; the page shown at start stays.
    datumPage_ = new DatumShiftTab(platform_, form_->PageControl1);
    form_->PageControl1->addTab(datumPage_, QStringLiteral("Datum Shift"));
    connect(datumPage_, &DatumShiftTab::StatusChanged, this,
            [this](const QString& text) { showStatus(datumPage_, FromQString(text)); });
    connect(form_->TmEngine, &QComboBox::currentIndexChanged, this, [this] { datumPage_->SetTmEngine(tmEngine()); });
    connect(form_->PageControl1, &QTabWidget::currentChanged, this, &TMain::showPageStatus);
    for (QString& status : pageStatus_) status = ToQString(startNote);
    showPageStatus();

    // The pages not on show are sized as they now are, not as they were
    // before their lists were filled and their captions set.
    for (QLayout* layout : findChildren<QLayout*>()) layout->invalidate();
    resize(kDefaultSize.expandedTo(minimumSizeHint()));
    defaults_ = captureSettings();
    remember_ = services.RememberSettings;
    if (remember_) {
        QSettings settings(QStringLiteral("Kartoval"), QStringLiteral("kartoval"));
        QVariantMap saved = defaults_;
        for (const QString& key : settings.allKeys()) saved.insert(key, settings.value(key));
        applySettings(saved);
    }
}

TMain::~TMain()
{
    if (remember_) saveSettings();
    // The pages and the lists outlive this object's members (Qt deletes the
    // children last): their last signals must not reach them.
    for (QObject* sender : {static_cast<QObject*>(form_->PageControl1), static_cast<QObject*>(form_->TmEngine)})
        sender->disconnect(this);
    datumPage_->disconnect(this);
}

void TMain::connectHandlers()
{
    connect(form_->ButInput, &QAbstractButton::clicked, this, &TMain::ButInputClick);
    connect(form_->ButOutput, &QAbstractButton::clicked, this, &TMain::ButOutputClick);
    connect(form_->GO, &QAbstractButton::clicked, this, &TMain::GOClick);
    connect(form_->ButConvert, &QAbstractButton::clicked, this, &TMain::ButConvertClick);
    connect(form_->ButFindZone, &QAbstractButton::clicked, this, &TMain::ButFindZoneClick);
    connect(form_->ButCopy, &QAbstractButton::clicked, this, &TMain::ButCopyClick);
    onChecked(form_->ButtonUTMToDegrees, &TMain::ButtonUTMToDegreesClick);
    onChecked(form_->ButtonDegreesToUTM, &TMain::ButtonDegreesToUTMClick);
    onChecked(form_->ButNAD27, &TMain::ButNAD27Click);
    onChecked(form_->ButNAD83, &TMain::ButNAD83Click);
    onChecked(form_->ButUTMN, &TMain::ButUTMNClick);
    onChecked(form_->ButUTMS, &TMain::ButUTMSClick);
    onChecked(form_->ButFileUTMN, &TMain::ButFileUTMNClick);
    onChecked(form_->ButFileUTMS, &TMain::ButFileUTMSClick);
    onChecked(form_->ButFileNAD27, &TMain::ButFileNAD27Click);
    onChecked(form_->ButFileNAD83, &TMain::ButFileNAD83Click);
}

// The cues of the single page follow every change that could make its
// numbers misleading; Enter in a box runs its page's command.
void TMain::connectCues()
{
    Controls* c = controls_.get();
    for (QAbstractButton* family : {form_->ButUTMN, form_->ButUTMS, form_->ButNAD27, form_->ButNAD83}) {
        connect(family, &QAbstractButton::toggled, this, [c](bool checked) {
            if (checked) c->SinglePageCues.FamilyChanged(CheckedGridFamily(c->SinglePage));
        });
    }
    connect(form_->ButtonDegreesToXY, &QAbstractButton::toggled, this, [c] { c->SinglePageCues.DirectionChanged(); });
    connect(form_->BoxProjection2, &QComboBox::currentIndexChanged, this, [this] { updateZoneTip(); });
    // The details and Copy belong to the point last converted: any change to
    // what it was converted from ends them.
    const auto forgetDetails = [this, c] {
        c->LastSingle.reset();
        form_->LabDetails->clear();
    };
    for (QLineEdit* box : {form_->EditLatitude, form_->EditLongitude, form_->EditX, form_->EditY}) {
        connect(box, &QLineEdit::textEdited, this, forgetDetails);
    }
    for (QComboBox* list : {form_->BoxProjection2, form_->BoxEllipsoid2}) {
        connect(list, &QComboBox::currentIndexChanged, this, forgetDetails);
    }
    connect(form_->ButtonDegreesToXY, &QAbstractButton::toggled, this, forgetDetails);
    // The user's choice of zone is kept per family; a refill after a family
    // change is not a choice.
    connect(form_->BoxProjection2, &QComboBox::activated, this, [this](int position) {
        const int family = checkedFamily(false);
        if (family >= 0) singleZones_[static_cast<std::size_t>(family)] = form_->BoxProjection2->itemText(position);
    });
    connect(form_->BoxProjection, &QComboBox::activated, this, [this](int position) {
        const int family = checkedFamily(true);
        if (family >= 0) fileZones_[static_cast<std::size_t>(family)] = form_->BoxProjection->itemText(position);
    });
    new EnterRuns(*form_->TabSheet1, [this] { GOClick(); });
    new EnterRuns(*form_->TabSheet2, [this] { ButConvertClick(); });
}

// A radio button's handler runs when the button becomes checked, whether the
// user clicked it or the program set it; a click on the button already
// checked changes nothing, so it runs nothing.
void TMain::onChecked(QAbstractButton* button, void (TMain::*handler)())
{
    connect(button, &QAbstractButton::toggled, this, [this, handler](bool checked) {
        if (checked) (this->*handler)();
    });
}

void TMain::report(const std::function<void()>& command) { ReportErrors(platform_.Messages, command); }

void TMain::setDegreeDecimals(int decimals)
{
    degreeDecimals_ = std::clamp(decimals, kFewestDegreeDecimals, kMostDegreeDecimals);
    controls_->Decimals.Degrees = degreeDecimals_;
    checkChoice(degreeChoices_, degreeDecimals_);
}

void TMain::setGridDecimals(int decimals)
{
    gridDecimals_ = std::clamp(decimals, kFewestGridDecimals, kMostGridDecimals);
    controls_->Decimals.Grid = gridDecimals_;
    checkChoice(gridChoices_, gridDecimals_);
}

void TMain::ButInputClick()
{
    report([this] {
        // Cancel leaves both boxes as they were, typed text included.
        dialogs_.StartIn(inputFolder_, outputFolder_);
        const auto name = dialogs_.OpenInput();
        if (!name) return;
        inputFolder_ = folderOf(*name);
        controls_->EditInput.SetText(*name);
        // The output starts as the input's own name, so a run replaces the
        // input by its result unless the user names another output.
        controls_->EditOutput.SetText(*name);
    });
}

void TMain::ButOutputClick()
{
    report([this] {
        dialogs_.StartIn(inputFolder_, outputFolder_);
        const auto name = dialogs_.SaveOutput();
        if (!name) return;
        outputFolder_ = folderOf(*name);
        controls_->EditOutput.SetText(*name);
        controls_->ConfirmedOutput = *name;  // the dialog asked before an existing file
    });
}

TmEngine TMain::tmEngine() const
{
    return form_->TmEngine->currentIndex() == 1 ? TmEngine::Exact : TmEngine::Series;
}

void TMain::GOClick()
{
    messages_.Forget();
    std::optional<FileRunSummary> summary;
    report([&] { summary = kartoval::GOClick(controls_->FilePage, platform_, tmEngine()); });
    // The file a run has just written is the user's chosen output from then on.
    if (summary) controls_->ConfirmedOutput = controls_->EditOutput.GetText();
    showStatus(form_->TabSheet1, summary ? FileStatus(*summary) : FailureStatus(messages_.LastMessage()));
    if (summary) report([&] { fileExtras_->ShowPlot(*summary); });
}

void TMain::ShowPointsClick()
{
    messages_.Forget();
    std::optional<FileRunSummary> summary;
    report([&] {
        dialogs_.StartIn(inputFolder_, outputFolder_);
        const auto name = dialogs_.OpenInput();
        if (name) inputFolder_ = folderOf(*name);
        if (name) summary = kartoval::ShowPointsClick(controls_->FilePage, platform_, *name, tmEngine());
    });
    if (summary) report([&] { fileExtras_->ShowPlot(*summary); });
    else if (messages_.LastMessage()) showStatus(form_->TabSheet1, FailureStatus(messages_.LastMessage()));
}

void TMain::ButtonUTMToDegreesClick()
{
    report([this] {
        RelabelFilePage(controls_->FilePage);
        // Only greyed out: the mark stays for the way back to degrees.
        controls_->BoxMinusW.SetEnabled(false);
    });
}

void TMain::ButtonDegreesToUTMClick()
{
    report([this] {
        RelabelFilePage(controls_->FilePage);
        controls_->BoxMinusW.SetEnabled(true);
    });
}

void TMain::ButConvertClick()
{
    Controls& c = *controls_;
    messages_.Forget();
    const ConversionDirection direction = ReadSinglePointRequest(c.SinglePage).Direction;
    std::optional<SinglePointResult> result;
    report([&] { result = kartoval::ButConvertClick(c.SinglePage, platform_, tmEngine(), c.Decimals); });
    c.LastSingle = result;
    form_->LabDetails->setText(ToQString(result ? DetailsText(*result) : std::string()));
    if (!result) {
        c.SinglePageCues.ConvertFailed(direction);
        showStatus(form_->TabSheet2, FailureStatus(messages_.LastMessage()));
        return;
    }
    c.SinglePageCues.Converted(result->Direction, result->OutsideNotice);
    const int zone = form_->BoxProjection2->currentIndex();
    const std::string zoneName = zone >= 0 ? FromQString(form_->BoxProjection2->itemText(zone)) : std::string();
    showStatus(form_->TabSheet2,
               SingleStatus(*result, result->Family ? ZoneForStatus(*result->Family, zone, zoneName) : zoneName));
}

void TMain::ButFindZoneClick()
{
    messages_.Forget();
    std::string text;
    report([&] { text = kartoval::ButFindZoneClick(controls_->SinglePage, platform_); });
    showStatus(form_->TabSheet2, text.empty() ? FailureStatus(messages_.LastMessage()) : text);
}

void TMain::ButCopyClick()
{
    const auto& result = controls_->LastSingle;
    if (!result) {
        showStatus(form_->TabSheet2, "Nothing to copy yet: Convert a point first");
        return;
    }
    QGuiApplication::clipboard()->setText(ToQString(CopyText(*result)));
    showStatus(form_->TabSheet2, "Copied the result and its details");
}

void TMain::updateZoneTip()
{
    const int zone = form_->BoxProjection2->currentIndex();
    const std::optional<XyProjectionKind> family = CheckedGridFamily(controls_->SinglePage);
    const std::string tip = family && zone >= 0
                                ? ZoneTip(*family, zone, FromQString(form_->BoxProjection2->itemText(zone)), zoneCodes_)
                                : std::string();
    form_->BoxProjection2->setToolTip(ToQString(tip));
}

// A message from a family button (a missing zone table) is the last thing
// that happened; a plain refill leaves the status line as it was.
void TMain::familyClick(void (*handler)(SinglePointPage&, const Platform&))
{
    messages_.Forget();
    report([this, handler] { handler(controls_->SinglePage, platform_); });
    if (messages_.LastMessage()) showStatus(form_->TabSheet2, *messages_.LastMessage());
    selectRememberedZone(false, checkedFamily(false));
}

void TMain::ButNAD27Click() { familyClick(kartoval::ButNAD27Click); }
void TMain::ButNAD83Click() { familyClick(kartoval::ButNAD83Click); }
void TMain::ButUTMNClick() { familyClick(kartoval::ButUTMNClick); }
void TMain::ButUTMSClick() { familyClick(kartoval::ButUTMSClick); }

// The File page's family buttons refill its zone list, then its datum notice
// follows the new family.
void TMain::fileFamilyClick(XyProjectionKind family)
{
    report([this, family] { FileFamilyClick(controls_->FilePage, platform_, family); });
    selectRememberedZone(true, checkedFamily(true));
    controls_->FileNotice.FamilyChanged(family);
}

void TMain::ButFileUTMNClick() { fileFamilyClick(XyProjectionKind::UtmNorth); }
void TMain::ButFileUTMSClick() { fileFamilyClick(XyProjectionKind::UtmSouth); }
void TMain::ButFileNAD27Click() { fileFamilyClick(XyProjectionKind::Nad27); }
void TMain::ButFileNAD83Click() { fileFamilyClick(XyProjectionKind::Nad83); }

}  // namespace kartoval
