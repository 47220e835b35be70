#include "app/SinglePageCues.hpp"

#include "app/QtControls.hpp"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include <string>

namespace kartoval {
namespace {

const char* const kStaleProperty = "stale";
const char* const kStaleTip = "Out of date: the input, zone, grid family, direction or ellipsoid has changed "
                              "since this was converted. Press Convert again.";

}  // namespace

const char* GridUnitLabel(std::optional<XyProjectionKind> family)
{
    return family == XyProjectionKind::Nad27 ? "ftUS" : "m";
}

SinglePageCues::SinglePageCues(const SinglePageWidgets& widgets, QObject* parent)
    : QObject(parent), w_(widgets),
      notice_(new DatumNoticeCue(w_.BoxProjection2, w_.BoxEllipsoid2, w_.DatumNotice, w_.UseDatumEllipsoid, this))
{
    w_.AreaNotice.setWordWrap(true);
    w_.AreaNotice.hide();
    connect(&w_.BoxProjection2, &QComboBox::currentIndexChanged, this, [this] { inputChanged(); });
    connect(&w_.BoxEllipsoid2, &QComboBox::currentIndexChanged, this, [this] { inputChanged(); });
    // textEdited, not textChanged: Convert writing its results is no change of input.
    for (QLineEdit* edit : {&w_.EditLatitude, &w_.EditLongitude, &w_.EditX, &w_.EditY}) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            const bool isInput = shown_ == ConversionDirection::DegreesToXy
                                     ? (edit == &w_.EditLatitude || edit == &w_.EditLongitude)
                                     : (edit == &w_.EditX || edit == &w_.EditY);
            if (isInput) inputChanged();
        });
    }
}

void SinglePageCues::FamilyChanged(std::optional<XyProjectionKind> family)
{
    family_ = family;
    const std::string unit = GridUnitLabel(family);
    w_.Label8.setText(ToQString("&X (" + unit + "):"));
    w_.Label9.setText(ToQString("&Y (" + unit + "):"));
    notice_->FamilyChanged(family);
    inputChanged();
}

void SinglePageCues::DirectionChanged() { inputChanged(); }

void SinglePageCues::Converted(ConversionDirection direction, const std::optional<std::string>& outsideNotice)
{
    shown_ = direction;
    w_.AreaNotice.setText(ToQString(outsideNotice.value_or("")));
    w_.AreaNotice.setToolTip(ToQString(outsideNotice.value_or("")));
    w_.AreaNotice.setVisible(outsideNotice.has_value());
    for (QLineEdit* edit : {&w_.EditLatitude, &w_.EditLongitude, &w_.EditX, &w_.EditY}) setStale(*edit, false);
}

void SinglePageCues::ConvertFailed(ConversionDirection direction)
{
    shown_ = direction;
    markStale(direction);
}

void SinglePageCues::inputChanged()
{
    if (shown_) markStale(*shown_);
    // The notice was about the point on show, which is no longer current.
    w_.AreaNotice.hide();
}

void SinglePageCues::markStale(ConversionDirection direction)
{
    const bool toGrid = direction == ConversionDirection::DegreesToXy;
    setStale(toGrid ? w_.EditX : w_.EditLatitude, true);
    setStale(toGrid ? w_.EditY : w_.EditLongitude, true);
}

void SinglePageCues::setStale(QLineEdit& edit, bool stale)
{
    if (edit.property(kStaleProperty).toBool() == stale) return;
    edit.setProperty(kStaleProperty, stale);
    // An empty palette gives the widget back the window's colours.
    QPalette palette;
    if (stale) {
        const QColor grey = edit.palette().color(QPalette::Disabled, QPalette::Text);
        palette.setColor(QPalette::Active, QPalette::Text, grey);
        palette.setColor(QPalette::Inactive, QPalette::Text, grey);
    }
    edit.setPalette(palette);
    edit.setToolTip(stale ? QString::fromLatin1(kStaleTip) : QString());
}

}  // namespace kartoval
