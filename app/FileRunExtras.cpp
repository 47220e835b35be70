#include "app/FileRunExtras.hpp"

#include "app/PlotWindow.hpp"
#include "app/QtControls.hpp"
#include "datum/DatumShift.hpp"
#include "datum/GridShiftEngine.hpp"
#include "datum/ShiftGrids.hpp"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace kartoval {
namespace {

constexpr int kFormatListWidth = 108;
constexpr int kGap = 4;
constexpr int kShowPointsLeft = 510;
constexpr int kShowPointsTop = 322;
constexpr int kShowPointsWidth = 140;
constexpr int kShowPointsHeight = 28;

}  // namespace

FileRunExtras::FileRunExtras(QWidget& page, QLineEdit& output, FileConversionPage& filePage, const Platform& platform)
    : QObject(&page), page_(page), platform_(platform), formats_(new QComboBox(&page)),
      showPoints_(new QPushButton(QStringLiteral("Show points..."), &page))
{
    formats_->setObjectName(QStringLiteral("BoxFormat"));
    showPoints_->setObjectName(QStringLiteral("ButShowPoints"));
    const QRect box = output.geometry();
    output.setGeometry(box.x(), box.y(), box.width() - kFormatListWidth - kGap, box.height());
    formats_->setGeometry(box.right() + 1 - kFormatListWidth, box.y(), kFormatListWidth, box.height());
    formats_->setToolTip(QStringLiteral("What GO writes: Kartoval text, or CSV, GeoJSON or KML as kartoval-convert writes them"));
    showPoints_->setGeometry(kShowPointsLeft, kShowPointsTop, kShowPointsWidth, kShowPointsHeight);
    showPoints_->setToolTip(QStringLiteral("Plot the points of a file with this page's settings; nothing is written"));
    formatList_ = std::make_unique<QtList>(*formats_);
    for (const char* name : kOutputFormatNames) formatList_->AddItem(name);
    formatList_->SetItemIndex(0);
    formats_->show();
    showPoints_->show();
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
