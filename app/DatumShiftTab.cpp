#include "app/DatumShiftTab.hpp"

#include "app/ErrorReport.hpp"
#include "app/QtControls.hpp"
#include "datum/DatumShift.hpp"
#include "datum/DatumShiftPage.hpp"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace kartoval {
namespace {

constexpr int kSideListLetters = 16;

const char* datumName(DatumPageSide which) { return which == DatumPageSide::Nad27 ? "NAD27" : "NAD83"; }

}  // namespace

struct DatumShiftTab::Adapters {
    Adapters(Side& nad27, Side& nad83)
        : BoxNad27Side(*nad27.Box), LabNad27XLat(*nad27.LabXLat), EditNad27XLat(*nad27.EditXLat),
          LabNad27YLon(*nad27.LabYLon), EditNad27YLon(*nad27.EditYLon), BoxNad83Side(*nad83.Box),
          LabNad83XLat(*nad83.LabXLat), EditNad83XLat(*nad83.EditXLat), LabNad83YLon(*nad83.LabYLon),
          EditNad83YLon(*nad83.EditYLon),
          Page{BoxNad27Side, LabNad27XLat, EditNad27XLat, LabNad27YLon, EditNad27YLon,
               BoxNad83Side, LabNad83XLat, EditNad83XLat, LabNad83YLon, EditNad83YLon}
    {
    }

    QtList BoxNad27Side;
    QtLabelText LabNad27XLat;
    QtEditText EditNad27XLat;
    QtLabelText LabNad27YLon;
    QtEditText EditNad27YLon;
    QtList BoxNad83Side;
    QtLabelText LabNad83XLat;
    QtEditText EditNad83XLat;
    QtLabelText LabNad83YLon;
    QtEditText EditNad83YLon;
    DatumShiftPage Page;
};

DatumShiftTab::DatumShiftTab(const Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform)
{
    setObjectName(QStringLiteral("TabDatumShift"));
    auto* sides = new QHBoxLayout;
    sides->addWidget(buildSide(nad27_, QStringLiteral("NAD27"), QStringLiteral("Nad27")));
    sides->addWidget(buildSide(nad83_, QStringLiteral("NAD83"), QStringLiteral("Nad83")));

    butNad27ToNad83_ = new QPushButton(QStringLiteral("NAD27 -> NAD83"), this);
    butNad27ToNad83_->setObjectName(QStringLiteral("ButNad27ToNad83"));
    butNad83ToNad27_ = new QPushButton(QStringLiteral("NAD83 -> NAD27"), this);
    butNad83ToNad27_->setObjectName(QStringLiteral("ButNad83ToNad27"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(butNad27ToNad83_);
    buttons->addWidget(butNad83ToNad27_);
    buttons->addStretch();

    auto* page = new QVBoxLayout(this);
    page->addLayout(sides);
    page->addLayout(buttons);
    page->addStretch();

    adapters_ = std::make_unique<Adapters>(nad27_, nad83_);

    connect(butNad27ToNad83_, &QPushButton::clicked, this, &DatumShiftTab::ButNad27ToNad83Click);
    connect(butNad83ToNad27_, &QPushButton::clicked, this, &DatumShiftTab::ButNad83ToNad27Click);
    for (const DatumPageSide which : {DatumPageSide::Nad27, DatumPageSide::Nad83}) {
        Side& s = side(which);
        connect(s.Box, &QComboBox::currentIndexChanged, this, [this, which] { sideChanged(which); });
        for (QLineEdit* edit : {s.EditXLat, s.EditYLon}) {
            connect(edit, &QLineEdit::textEdited, this, [this, which] { inputChanged(which); });
            // Enter converts from the side being typed in.
            connect(edit, &QLineEdit::returnPressed, this, [this, which] { convert(which); });
        }
    }
}

DatumShiftTab::~DatumShiftTab() = default;

// The zone tables are listed when the page is first shown, not at start: the
// window opens as it always has, and a missing table is reported where the
// user is looking for its zones.
void DatumShiftTab::showEvent(QShowEvent* event)
{
    if (!filled_) {
        filled_ = true;
        ReportErrors(platform_.Messages, [this] { FillDatumShiftPage(adapters_->Page, platform_); });
        for (const DatumPageSide which : {DatumPageSide::Nad27, DatumPageSide::Nad83}) {
            Side& s = side(which);
            if (!s.Pending.isEmpty()) ChooseSide(which, s.Pending);
            s.Pending.clear();
        }
    }
    QWidget::showEvent(event);
}

QWidget* DatumShiftTab::buildSide(Side& s, const QString& title, const QString& prefix)
{
    auto* group = new QGroupBox(title, this);
    group->setObjectName(QStringLiteral("Group") + prefix);
    s.Box = new QComboBox(group);
    s.Box->setObjectName(QStringLiteral("Box") + prefix + QStringLiteral("Side"));
    s.LabXLat = new QLabel(group);
    s.LabXLat->setObjectName(QStringLiteral("Lab") + prefix + QStringLiteral("XLat"));
    s.EditXLat = new QLineEdit(group);
    s.EditXLat->setObjectName(QStringLiteral("Edit") + prefix + QStringLiteral("XLat"));
    s.LabYLon = new QLabel(group);
    s.LabYLon->setObjectName(QStringLiteral("Lab") + prefix + QStringLiteral("YLon"));
    s.EditYLon = new QLineEdit(group);
    s.EditYLon->setObjectName(QStringLiteral("Edit") + prefix + QStringLiteral("YLon"));
    s.LabXLat->setBuddy(s.EditXLat);
    s.LabYLon->setBuddy(s.EditYLon);
    auto* boxLabel = new QLabel(QStringLiteral("Grid:"), group);
    boxLabel->setObjectName(QStringLiteral("Lab") + prefix + QStringLiteral("Side"));
    boxLabel->setBuddy(s.Box);
    s.Box->setAccessibleName(title + QStringLiteral(" grid"));
    // A long zone name must not widen the window.
    s.Box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    s.Box->setMinimumContentsLength(kSideListLetters);

    auto* grid = new QGridLayout(group);
    grid->addWidget(boxLabel, 0, 0);
    grid->addWidget(s.Box, 0, 1);
    grid->setColumnStretch(1, 1);
    grid->addWidget(s.LabXLat, 1, 0);
    grid->addWidget(s.EditXLat, 1, 1);
    grid->addWidget(s.LabYLon, 2, 0);
    grid->addWidget(s.EditYLon, 2, 1);
    return group;
}

DatumShiftTab::Side& DatumShiftTab::side(DatumPageSide which)
{
    return which == DatumPageSide::Nad27 ? nad27_ : nad83_;
}

void DatumShiftTab::ButNad27ToNad83Click() { convert(DatumPageSide::Nad27); }
void DatumShiftTab::ButNad83ToNad27Click() { convert(DatumPageSide::Nad83); }

void DatumShiftTab::convert(DatumPageSide from)
{
    const DatumPageSide to = from == DatumPageSide::Nad27 ? DatumPageSide::Nad83 : DatumPageSide::Nad27;
    ReportErrors(platform_.Messages, [this, from, to] {
        try {
            if (!shifter_) shifter_ = std::make_unique<DatumShifter>(platform_.DataFolder / kGridFolderName);
            const DatumShiftOutcome outcome = from == DatumPageSide::Nad27
                                                  ? kartoval::ButNad27ToNad83Click(adapters_->Page, platform_, *shifter_, tmEngine_)
                                                  : kartoval::ButNad83ToNad27Click(adapters_->Page, platform_, *shifter_, tmEngine_);
            markStale(from, false);
            markStale(to, false);
            resultSide_ = to;
            setStatus(ToQString(DatumShiftStatus(outcome)));
        } catch (const std::exception& error) {
            // The other side no longer answers what is typed here.
            markStale(to, true);
            resultSide_ = to;
            setStatus(ToQString(error.what()).section(QLatin1Char('\n'), 0, 0));
            throw;
        }
    });
}

void DatumShiftTab::SetTmEngine(TmEngine engine)
{
    if (engine == tmEngine_) return;
    tmEngine_ = engine;
    resultOutdated();
}

QString DatumShiftTab::SideChoice(DatumPageSide which) const
{
    const Side& s = which == DatumPageSide::Nad27 ? nad27_ : nad83_;
    return filled_ ? s.Box->currentText() : s.Pending;
}

void DatumShiftTab::ChooseSide(DatumPageSide which, const QString& entry)
{
    Side& s = side(which);
    if (!filled_) {
        s.Pending = entry;
        return;
    }
    // Nothing chosen is the first entry, "Geographic".
    const int position = entry.isEmpty() ? 0 : s.Box->findText(entry);
    if (position >= 0 && position < s.Box->count()) s.Box->setCurrentIndex(position);
}

// A side's new entry relabels its boxes; values typed for the other kind
// (degrees under "X (ftUS)") would be read as this one's, so they go.
void DatumShiftTab::sideChanged(DatumPageSide which)
{
    Side& s = side(which);
    const QString before = s.LabXLat->text() + s.LabYLon->text();
    ReportErrors(platform_.Messages, [this, which] { DatumSideChanged(adapters_->Page, which, platform_); });
    if (s.LabXLat->text() + s.LabYLon->text() != before) {
        s.EditXLat->clear();
        s.EditYLon->clear();
        markStale(which, false);
    }
    const QString datum = QString::fromLatin1(datumName(which)) + QLatin1Char(' ');
    s.EditXLat->setAccessibleName(datum + s.LabXLat->text().remove(QLatin1Char(':')));
    s.EditYLon->setAccessibleName(datum + s.LabYLon->text().remove(QLatin1Char(':')));
    // A new grid on either side makes the last result another point's.
    resultOutdated();
}

// Any edit after a shift leaves the other side holding the answer to the old
// values: it greys until the next shift. Typing over the result makes it the
// next shift's input, and the old input the stale side.
void DatumShiftTab::inputChanged(DatumPageSide which)
{
    if (!resultSide_) return;
    if (*resultSide_ == which) {
        markStale(which, false);
        resultSide_ = which == DatumPageSide::Nad27 ? DatumPageSide::Nad83 : DatumPageSide::Nad27;
    }
    resultOutdated();
}

void DatumShiftTab::resultOutdated()
{
    if (!resultSide_) return;
    Side& s = side(*resultSide_);
    const bool shown = !s.EditXLat->text().isEmpty() || !s.EditYLon->text().isEmpty();
    if (!shown || s.EditXLat->property("stale").toBool()) return;
    markStale(*resultSide_, true);
    setStatus(QStringLiteral("Changed since the last shift: the grey %1 values are not this input's; shift again")
                  .arg(QString::fromLatin1(datumName(*resultSide_))));
}

void DatumShiftTab::markStale(DatumPageSide which, bool stale)
{
    Side& s = side(which);
    for (QLineEdit* edit : {s.EditXLat, s.EditYLon}) {
        // From the style's own palette each time: a palette set earlier would
        // carry its text colour into every colour group.
        const QPalette normal = QApplication::palette(edit);
        QPalette palette = normal;
        if (stale) palette.setColor(QPalette::Text, normal.color(QPalette::Disabled, QPalette::Text));
        edit->setPalette(palette);
        edit->setProperty("stale", stale);
    }
}

void DatumShiftTab::setStatus(const QString& text)
{
    status_ = text;
    emit StatusChanged(text);
}

QString DatumShiftTab::StatusText() const { return status_; }

}  // namespace kartoval
