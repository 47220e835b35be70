// What the window remembers between runs, as one map of named values: taken
// from the controls at the end, put back over the defaults at the start. The
// defaults are the map taken before anything was restored, so "Reset to
// defaults" gives exactly the first start.

#include "app/DatumShiftTab.hpp"
#include "app/QtControls.hpp"
#include "app/TMain.hpp"
#include "datum/DatumShiftPage.hpp"
#include "ui_TMain.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QSettings>

#include <algorithm>
#include <cstdio>

namespace kartoval {
namespace {

// The grid families in the order of their buttons, by the names they are
// stored under.
constexpr std::array<const char*, 4> kFamilyKeys = {"utm-north", "utm-south", "nad27", "nad83"};

std::array<QAbstractButton*, 4> familyButtons(const Ui::TMain& form, bool filePage)
{
    if (filePage) return {form.ButFileUTMN, form.ButFileUTMS, form.ButFileNAD27, form.ButFileNAD83};
    return {form.ButUTMN, form.ButUTMS, form.ButNAD27, form.ButNAD83};
}

QString zoneKey(const char* page, std::size_t family)
{
    return QString::fromLatin1(page) + QStringLiteral("/zone/") + QString::fromLatin1(kFamilyKeys.at(family));
}

void selectText(QComboBox& list, const QVariant& text)
{
    const int position = list.findText(text.toString());
    if (position >= 0) list.setCurrentIndex(position);
}

void setIndex(QComboBox& list, const QVariant& position)
{
    const int wanted = position.toInt();
    if (wanted >= 0 && wanted < list.count()) list.setCurrentIndex(wanted);
}

}  // namespace

int TMain::checkedFamily(bool filePage) const
{
    const auto buttons = familyButtons(*form_, filePage);
    for (std::size_t family = 0; family < buttons.size(); ++family) {
        if (buttons.at(family)->isChecked()) return static_cast<int>(family);
    }
    return -1;
}

void TMain::selectRememberedZone(bool filePage, int family)
{
    if (family < 0) return;
    QString& zone = (filePage ? fileZones_ : singleZones_).at(static_cast<std::size_t>(family));
    if (zone.isEmpty()) return;
    QComboBox& list = filePage ? *form_->BoxProjection : *form_->BoxProjection2;
    const int position = list.findText(zone);
    if (position >= 0) {
        list.setCurrentIndex(position);
        return;
    }
    // The table was edited since: its default zone stands, and the user is told.
    const QString note = QStringLiteral("The remembered zone \"%1\" is no longer in the zone table: %2 is selected")
                             .arg(zone, list.currentText());
    zone.clear();
    showStatus(filePage ? form_->TabSheet1 : form_->TabSheet2, FromQString(note));
}

QVariantMap TMain::captureSettings() const
{
    const Ui::TMain& f = *form_;
    QVariantMap values;
    for (const bool filePage : {false, true}) {
        const char* page = filePage ? "file" : "single";
        const QString prefix = QString::fromLatin1(page) + QLatin1Char('/');
        const int family = checkedFamily(filePage);
        values.insert(prefix + QStringLiteral("family"), family);
        auto zones = filePage ? fileZones_ : singleZones_;
        if (family >= 0) zones.at(static_cast<std::size_t>(family)) = (filePage ? f.BoxProjection : f.BoxProjection2)->currentText();
        for (std::size_t each = 0; each < zones.size(); ++each) {
            if (!zones.at(each).isEmpty()) values.insert(zoneKey(page, each), zones.at(each));
        }
        values.insert(prefix + QStringLiteral("ellipsoid"), (filePage ? f.BoxEllipsoid : f.BoxEllipsoid2)->currentText());
    }
    values.insert(QStringLiteral("single/toGrid"), f.ButtonDegreesToXY->isChecked());
    values.insert(QStringLiteral("file/toGrid"), f.ButtonDegreesToUTM->isChecked());
    values.insert(QStringLiteral("file/shotPointColumn"), f.BoxSP->currentIndex());
    values.insert(QStringLiteral("file/longitudeColumn"), f.BoxLon->currentIndex());
    values.insert(QStringLiteral("file/latitudeColumn"), f.BoxLat->currentIndex());
    values.insert(QStringLiteral("file/skipFirstRow"), f.BoxSkip->isChecked());
    values.insert(QStringLiteral("file/westWithoutMinus"), f.BoxMinusW->isChecked());
    values.insert(QStringLiteral("file/keepOtherColumns"), f.BoxKeepColumns->isChecked());
    if (const auto* format = f.TabSheet1->findChild<QComboBox*>(QStringLiteral("BoxFormat")))
        values.insert(QStringLiteral("file/format"), format->currentIndex());
    values.insert(QStringLiteral("file/inputFolder"), ToQString(inputFolder_));
    values.insert(QStringLiteral("file/outputFolder"), ToQString(outputFolder_));
    values.insert(QStringLiteral("datum/nad27"), datumPage_->SideChoice(DatumPageSide::Nad27));
    values.insert(QStringLiteral("datum/nad83"), datumPage_->SideChoice(DatumPageSide::Nad83));
    values.insert(QStringLiteral("window/tmEngine"), f.TmEngine->currentIndex());
    values.insert(QStringLiteral("window/degreeDecimals"), degreeDecimals_);
    values.insert(QStringLiteral("window/gridDecimals"), gridDecimals_);
    values.insert(QStringLiteral("window/size"), size());
    return values;
}

void TMain::applySettings(const QVariantMap& values)
{
    Ui::TMain& f = *form_;
    setDegreeDecimals(std::clamp(values.value(QStringLiteral("window/degreeDecimals")).toInt(), 6, 9));
    setGridDecimals(std::clamp(values.value(QStringLiteral("window/gridDecimals")).toInt(), 2, 4));
    setIndex(*f.TmEngine, values.value(QStringLiteral("window/tmEngine")));
    for (const bool filePage : {false, true}) {
        const char* page = filePage ? "file" : "single";
        const QString prefix = QString::fromLatin1(page) + QLatin1Char('/');
        auto& zones = filePage ? fileZones_ : singleZones_;
        for (std::size_t each = 0; each < zones.size(); ++each) zones.at(each) = values.value(zoneKey(page, each)).toString();
        const int family = values.value(prefix + QStringLiteral("family")).toInt();
        const auto buttons = familyButtons(f, filePage);
        if (family >= 0 && static_cast<std::size_t>(family) < buttons.size()) {
            // An unchanged family runs no handler: its zone is chosen here.
            if (buttons.at(static_cast<std::size_t>(family))->isChecked()) selectRememberedZone(filePage, family);
            else buttons.at(static_cast<std::size_t>(family))->setChecked(true);
        }
        selectText(filePage ? *f.BoxEllipsoid : *f.BoxEllipsoid2, values.value(prefix + QStringLiteral("ellipsoid")));
    }
    const bool singleToGrid = values.value(QStringLiteral("single/toGrid")).toBool();
    (singleToGrid ? f.ButtonDegreesToXY : f.ButtonXYToDegrees2)->setChecked(true);
    const bool fileToGrid = values.value(QStringLiteral("file/toGrid")).toBool();
    (fileToGrid ? f.ButtonDegreesToUTM : f.ButtonUTMToDegrees)->setChecked(true);
    setIndex(*f.BoxSP, values.value(QStringLiteral("file/shotPointColumn")));
    setIndex(*f.BoxLon, values.value(QStringLiteral("file/longitudeColumn")));
    setIndex(*f.BoxLat, values.value(QStringLiteral("file/latitudeColumn")));
    f.BoxSkip->setChecked(values.value(QStringLiteral("file/skipFirstRow")).toBool());
    f.BoxMinusW->setChecked(values.value(QStringLiteral("file/westWithoutMinus")).toBool());
    f.BoxKeepColumns->setChecked(values.value(QStringLiteral("file/keepOtherColumns")).toBool());
    if (auto* format = f.TabSheet1->findChild<QComboBox*>(QStringLiteral("BoxFormat")))
        setIndex(*format, values.value(QStringLiteral("file/format")));
    inputFolder_ = FromQString(values.value(QStringLiteral("file/inputFolder")).toString());
    outputFolder_ = FromQString(values.value(QStringLiteral("file/outputFolder")).toString());
    datumPage_->ChooseSide(DatumPageSide::Nad27, values.value(QStringLiteral("datum/nad27")).toString());
    datumPage_->ChooseSide(DatumPageSide::Nad83, values.value(QStringLiteral("datum/nad83")).toString());
    resize(values.value(QStringLiteral("window/size")).toSize().expandedTo(minimumSizeHint()));
}

void TMain::saveSettings() const
{
    QSettings settings(QStringLiteral("Kartoval"), QStringLiteral("kartoval"));
    settings.clear();  // zones of families no longer chosen go with their keys
    const QVariantMap values = captureSettings();
    for (auto value = values.cbegin(); value != values.cend(); ++value) settings.setValue(value.key(), value.value());
    // The window is closing, so there is no page left to tell: say it where a
    // terminal or the session log will show it.
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        std::fprintf(stderr, "kartoval: the settings could not be saved to %s\n",
                     settings.fileName().toLocal8Bit().constData());
    }
}

void TMain::ResetToDefaults()
{
    if (remember_) QSettings(QStringLiteral("Kartoval"), QStringLiteral("kartoval")).clear();
    applySettings(defaults_);
    const int page = form_->PageControl1->currentIndex();
    showStatus(form_->PageControl1->widget(page), "Settings reset to their defaults");
}

}  // namespace kartoval
