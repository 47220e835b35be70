#include "app/SinglePageCues.hpp"

#include "app/QtControls.hpp"
#include "refdata/ZoneDatum.hpp"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include <string>

namespace kartoval {
namespace {

// WGS 84 and GRS 1980 differ by 0.1 mm in the semi-minor axis: no grid
// value shown to 0.01 can tell them apart.
constexpr std::string_view kGrs1980 = "GRS 1980";
constexpr std::string_view kWgs84 = "WGS 84";

bool sameForTheGrid(std::string_view chosen, std::string_view datumEllipsoid)
{
    return chosen == datumEllipsoid || (datumEllipsoid == kGrs1980 && chosen == kWgs84);
}

const char* const kStaleProperty = "stale";
const char* const kStaleTip = "Out of date: the input, zone, grid family, direction or ellipsoid has changed "
                              "since this was converted. Press Convert again.";

}  // namespace

const char* GridUnitLabel(std::optional<XyProjectionKind> family)
{
    return family == XyProjectionKind::Nad27 ? "ftUS" : "m";
}

SinglePageCues::SinglePageCues(const SinglePageWidgets& widgets, QObject* parent) : QObject(parent), w_(widgets)
{
    w_.DatumNotice.setWordWrap(true);
    w_.DatumNotice.hide();
    w_.UseDatumEllipsoid.hide();
    connect(&w_.BoxProjection2, &QComboBox::currentIndexChanged, this, [this] {
        updateNotice();
        inputChanged();
    });
    connect(&w_.BoxEllipsoid2, &QComboBox::currentIndexChanged, this, [this] {
        updateNotice();
        inputChanged();
    });
    // textEdited, not textChanged: Convert writing its results is no change of input.
    for (QLineEdit* edit : {&w_.EditLatitude, &w_.EditLongitude, &w_.EditX, &w_.EditY}) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit] {
            const bool isInput = shown_ == ConversionDirection::DegreesToXy
                                     ? (edit == &w_.EditLatitude || edit == &w_.EditLongitude)
                                     : (edit == &w_.EditX || edit == &w_.EditY);
            if (isInput) inputChanged();
        });
    }
    connect(&w_.UseDatumEllipsoid, &QPushButton::clicked, this, [this] {
        const int position = w_.BoxEllipsoid2.findText(w_.UseDatumEllipsoid.property("ellipsoid").toString(),
                                                       Qt::MatchExactly);
        if (position >= 0) w_.BoxEllipsoid2.setCurrentIndex(position);
    });
}

void SinglePageCues::FamilyChanged(std::optional<XyProjectionKind> family)
{
    family_ = family;
    const std::string unit = GridUnitLabel(family);
    w_.Label8.setText(ToQString("&X (" + unit + "):"));
    w_.Label9.setText(ToQString("&Y (" + unit + "):"));
    updateNotice();
    inputChanged();
}

void SinglePageCues::DirectionChanged() { inputChanged(); }

void SinglePageCues::Converted(ConversionDirection direction)
{
    shown_ = direction;
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

// The datum's ellipsoid, when the chosen one differs: the conversion still
// uses what the user chose, the notice only says so and offers the other.
void SinglePageCues::updateNotice()
{
    const int zone = w_.BoxProjection2.currentIndex();
    const std::string zoneName = zone >= 0 ? FromQString(w_.BoxProjection2.itemText(zone)) : std::string();
    // Held as a string: an optional view built in a conditional trips
    // GCC 12's uninitialised-value warning in optimised builds.
    std::string wanted;
    if (family_ && zone >= 0) {
        if (const auto name = DatumEllipsoidName(*family_, zoneName)) wanted = std::string(*name);
    }
    const int chosenPosition = w_.BoxEllipsoid2.currentIndex();
    const std::string chosen = chosenPosition >= 0 ? FromQString(w_.BoxEllipsoid2.itemText(chosenPosition)) : "";
    if (wanted.empty() || sameForTheGrid(chosen, wanted)) {
        w_.DatumNotice.hide();
        w_.UseDatumEllipsoid.hide();
        return;
    }
    const auto datum = ZoneDatum(*family_, zoneName);
    const std::string subject = zoneName + " (" + std::string(DatumName(*datum)) + ")";
    const std::string text = chosen.empty()
                                 ? "No ellipsoid is chosen; " + subject + " is defined on " + wanted + "."
                                 : subject + " is defined on " + wanted + ", not on " + chosen + ".";
    w_.DatumNotice.setText(ToQString(text));
    w_.DatumNotice.setToolTip(ToQString(text));
    w_.DatumNotice.show();
    const bool listed = w_.BoxEllipsoid2.findText(ToQString(wanted), Qt::MatchExactly) >= 0;
    w_.UseDatumEllipsoid.setText(ToQString("&Use " + wanted));
    w_.UseDatumEllipsoid.setProperty("ellipsoid", ToQString(wanted));
    w_.UseDatumEllipsoid.setVisible(listed);
}

}  // namespace kartoval
