#include "app/DatumNoticeCue.hpp"

#include "app/QtControls.hpp"
#include "conversion/SideProjection.hpp"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <string>
#include <utility>

namespace kartoval {

DatumNoticeCue::DatumNoticeCue(QComboBox& zones, QComboBox& ellipsoids, QLabel& notice, QPushButton& use,
                               QObject* parent)
    : QObject(parent), zones_(zones), ellipsoids_(ellipsoids), notice_(notice), use_(use)
{
    notice_.setWordWrap(true);
    notice_.hide();
    use_.hide();
    connect(&zones_, &QComboBox::currentIndexChanged, this, [this] { update(); });
    connect(&ellipsoids_, &QComboBox::currentIndexChanged, this, [this] { update(); });
    connect(&use_, &QPushButton::clicked, this, [this] {
        const int position = ellipsoids_.findText(use_.property("ellipsoid").toString(), Qt::MatchExactly);
        if (position >= 0) ellipsoids_.setCurrentIndex(position);
    });
}

void DatumNoticeCue::FamilyChanged(std::optional<XyProjectionKind> family)
{
    family_ = family;
    update();
}

void DatumNoticeCue::update()
{
    const int zone = zones_.currentIndex();
    std::optional<std::string> text;
    std::string wanted;
    if (family_ && !IsUtm(*family_) && zone >= 0) {
        // Only the zone's name matters for its datum: the list gives it.
        StatePlaneZone named;
        named.Name = FromQString(zones_.itemText(zone));
        const CoordinateSide side = StatePlaneSide(*family_, std::move(named));
        const int chosen = ellipsoids_.currentIndex();
        text = EllipsoidNotice(side, chosen >= 0 ? FromQString(ellipsoids_.itemText(chosen)) : std::string());
        wanted = side.DatumEllipsoid.value_or("");
    }
    if (!text) {
        // Emptied too: the hidden notice keeps its room, which must not be
        // the height of an old, wrapped text.
        notice_.clear();
        notice_.hide();
        use_.hide();
        return;
    }
    notice_.setText(ToQString(*text));
    notice_.setToolTip(ToQString(*text));
    notice_.show();
    use_.setText(ToQString("&Use " + wanted));
    use_.setProperty("ellipsoid", ToQString(wanted));
    use_.setVisible(ellipsoids_.findText(ToQString(wanted), Qt::MatchExactly) >= 0);
}

}  // namespace kartoval
