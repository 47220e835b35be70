#include "app/FileRunExtras.hpp"

#include "app/PlotWindow.hpp"
#include "app/QtControls.hpp"
#include "datum/DatumShift.hpp"
#include "datum/GridShiftEngine.hpp"
#include "datum/ShiftGrids.hpp"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace kartoval {

FileRunExtras::FileRunExtras(QWidget& page, QBoxLayout& outputRow, QBoxLayout& goRow, FileConversionPage& filePage,
                             const Platform& platform)
    : QObject(&page), page_(page), platform_(platform), formats_(new QComboBox(&page)),
      showPoints_(new QPushButton(QStringLiteral("Show points..."), &page))
{
    formats_->setObjectName(QStringLiteral("BoxFormat"));
    showPoints_->setObjectName(QStringLiteral("ButShowPoints"));
    formats_->setAccessibleName(QStringLiteral("Output format"));
    auto* formatLabel = new QLabel(QStringLiteral("Fo&rmat:"), &page);
    formatLabel->setObjectName(QStringLiteral("LabFormat"));
    formatLabel->setBuddy(formats_);
    outputRow.addWidget(formatLabel);
    outputRow.addWidget(formats_);
    // GO stays in the middle of its row; the button sits at its right.
    goRow.insertWidget(goRow.count() - 1, showPoints_, 0, Qt::AlignBottom);
    formats_->setToolTip(QStringLiteral("What GO writes: Kartoval text, or CSV, GeoJSON or KML as kartoval-convert writes them"));
    showPoints_->setToolTip(QStringLiteral("Plot the points of a file with this page's settings; nothing is written"));
    formatList_ = std::make_unique<QtList>(*formats_);
    for (const char* name : kOutputFormatNames) formatList_->AddItem(name);
    formatList_->SetItemIndex(0);
    filePage.BoxFormat = formatList_.get();
    filePage.MapShift = [this]() -> DatumShiftEngine& { return mapShift(); };
}

FileRunExtras::~FileRunExtras() = default;

DatumShiftEngine& FileRunExtras::mapShift()
{
    if (!engine_) {
        shifter_ = std::make_unique<DatumShifter>(platform_.DataFolder / kGridFolderName);
        engine_ = std::make_unique<GridShiftEngine>(*shifter_);
    }
    return *engine_;
}

void FileRunExtras::ShowPlot(const FileRunSummary& summary)
{
    if (!summary.Plot || summary.Plot->Points().empty()) return;
    auto* window = new PlotWindow(summary.Plot, page_.window());
    window->show();
}

}  // namespace kartoval
