#pragma once
// What the "Single Convertion" page shows beside its numbers so that none is
// misread: the unit of X and Y, a notice when the chosen ellipsoid is not the
// one the zone's datum is defined on, and which results are out of date.

#include "app/DatumNoticeCue.hpp"
#include "refdata/GridFamily.hpp"

#include <QObject>

#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kartoval {

struct SinglePageWidgets {
    QComboBox& BoxProjection2;
    QComboBox& BoxEllipsoid2;
    QLineEdit& EditLatitude;
    QLineEdit& EditLongitude;
    QLineEdit& EditX;
    QLineEdit& EditY;
    QLabel& Label8;  // names EditX
    QLabel& Label9;  // names EditY
    QLabel& DatumNotice;
    QPushButton& UseDatumEllipsoid;
    QLabel& AreaNotice;  // a converted point beyond its zone's area
};

class SinglePageCues : public QObject {
    Q_OBJECT

public:
    explicit SinglePageCues(const SinglePageWidgets& widgets, QObject* parent = nullptr);

    // The grid family or the zone changed (nothing when no family is checked).
    void FamilyChanged(std::optional<XyProjectionKind> family);
    // The direction buttons changed.
    void DirectionChanged();

    // A Convert that ended well: its results are the current ones; a point
    // beyond its zone's area is said under them.
    void Converted(ConversionDirection direction, const std::optional<std::string>& outsideNotice = std::nullopt);
    // A Convert that ended early: the result pair of `direction` no longer
    // answers the input beside it.
    void ConvertFailed(ConversionDirection direction);

private:
    void inputChanged();
    void markStale(ConversionDirection direction);
    void setStale(QLineEdit& edit, bool stale);

    SinglePageWidgets w_;
    DatumNoticeCue* notice_;  // owned as a child
    std::optional<XyProjectionKind> family_;
    std::optional<ConversionDirection> shown_;  // direction of the results on show, if any
};

// The unit X and Y are in: US survey feet for NAD27, metres otherwise.
[[nodiscard]] const char* GridUnitLabel(std::optional<XyProjectionKind> family);

}  // namespace kartoval
