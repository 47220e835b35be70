#pragma once
// The notice under a page's lists when the chosen ellipsoid is not the one
// the zone's datum is defined on, with a button that picks the right one. The
// conversion still uses what the user chose; the notice only says so.

#include "refdata/GridFamily.hpp"

#include <QObject>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace kartoval {

class DatumNoticeCue : public QObject {
    Q_OBJECT

public:
    DatumNoticeCue(QComboBox& zones, QComboBox& ellipsoids, QLabel& notice, QPushButton& use,
                   QObject* parent = nullptr);

    // The grid family changed (nothing when none is checked).
    void FamilyChanged(std::optional<XyProjectionKind> family);

private:
    void update();

    QComboBox& zones_;
    QComboBox& ellipsoids_;
    QLabel& notice_;
    QPushButton& use_;
    std::optional<XyProjectionKind> family_;
};

}  // namespace kartoval
