#pragma once
// The File page's output format list (beside the output box) and its
// "Show points..." button, added to the form's own controls, and the plot
// window each run opens.

#include "batch/FileConversion.hpp"
#include "batch/FileConversionPage.hpp"

#include <QObject>

#include <memory>

class QBoxLayout;
class QComboBox;
class QPushButton;
class QWidget;

namespace kartoval {

class DatumShifter;
class GridShiftEngine;
class QtList;

class FileRunExtras : public QObject {
    Q_OBJECT

public:
    // Places the list at the end of `outputRow` (beside the output box) and
    // the button beside GO in `goRow`, and gives `filePage` the list and the
    // datum shift it may need.
    FileRunExtras(QWidget& page, QBoxLayout& outputRow, QBoxLayout& goRow, FileConversionPage& filePage,
                  const Platform& platform);
    ~FileRunExtras() override;
    FileRunExtras(const FileRunExtras&) = delete;
    FileRunExtras& operator=(const FileRunExtras&) = delete;

    [[nodiscard]] QPushButton& ShowPointsButton() const { return *showPoints_; }
    // Opens a plot window of a run's points (none for a run without points).
    void ShowPlot(const FileRunSummary& summary);

private:
    DatumShiftEngine& mapShift();

    QWidget& page_;
    const Platform& platform_;
    QComboBox* formats_;
    QPushButton* showPoints_;
    std::unique_ptr<QtList> formatList_;
    std::unique_ptr<DatumShifter> shifter_;    // opened at the first map run of NAD27 points
    std::unique_ptr<GridShiftEngine> engine_;
};

}  // namespace kartoval
