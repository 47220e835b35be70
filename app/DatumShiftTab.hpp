#pragma once
// The "Datum Shift" page of the main window: a NAD27 side and a NAD83 side,
// wired to the page's commands (datum/DatumShiftPage.hpp). The widget only
// builds its controls and wires them; every decision is the commands'.

#include "geodesy/ProjectionParams.hpp"
#include "toolkit/Platform.hpp"

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kartoval {

class DatumShifter;
enum class DatumPageSide;

class DatumShiftTab : public QWidget {
    Q_OBJECT

public:
    DatumShiftTab(const Platform& platform, QWidget* parent = nullptr);
    ~DatumShiftTab() override;
    DatumShiftTab(const DatumShiftTab&) = delete;
    DatumShiftTab& operator=(const DatumShiftTab&) = delete;

    void ButNad27ToNad83Click();
    void ButNad83ToNad27Click();

    // The window's choice of transverse Mercator, for the next clicks; a
    // result of the other one turns stale.
    void SetTmEngine(TmEngine engine);

    // The entries chosen on the two sides, by their text; the page lists them
    // when first shown, so a choice made before that waits until then.
    [[nodiscard]] QString SideChoice(DatumPageSide which) const;
    void ChooseSide(DatumPageSide which, const QString& entry);

    // The last click's status text, which the window's status line shows.
    [[nodiscard]] QString StatusText() const;

signals:
    // What the last click did ("... with us_noaa_conus.tif: shift ...") or, in
    // short, why it failed.
    void StatusChanged(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Side {
        QComboBox* Box = nullptr;
        QString Pending;  // an entry to choose once the list is filled
        QLabel* LabXLat = nullptr;
        QLineEdit* EditXLat = nullptr;
        QLabel* LabYLon = nullptr;
        QLineEdit* EditYLon = nullptr;
    };
    struct Adapters;

    QWidget* buildSide(Side& side, const QString& title, const QString& prefix);
    void convert(DatumPageSide from);
    void inputChanged(DatumPageSide side);
    void sideChanged(DatumPageSide side);
    void markStale(DatumPageSide side, bool stale);
    void resultOutdated();
    void setStatus(const QString& text);
    Side& side(DatumPageSide which);

    const Platform& platform_;
    TmEngine tmEngine_ = TmEngine::Series;
    Side nad27_;
    Side nad83_;
    QPushButton* butNad27ToNad83_ = nullptr;
    QPushButton* butNad83ToNad27_ = nullptr;
    QString status_;
    std::unique_ptr<Adapters> adapters_;
    std::unique_ptr<DatumShifter> shifter_;  // opened at the first click
    std::optional<DatumPageSide> resultSide_;  // the side the last click wrote
    bool filled_ = false;
};

}  // namespace kartoval
