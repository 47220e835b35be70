#include "app/PlotWindow.hpp"

#include "app/QtControls.hpp"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

namespace kartoval {
namespace {

constexpr int kLeftMargin = 84;
constexpr int kBottomMargin = 40;
constexpr int kTopMargin = 12;
constexpr int kRightMargin = 16;
constexpr double kFitMargin = 0.05;  // of the data's extent, around it
constexpr double kPointSize = 4.0;
constexpr double kPickReachPixels = 6.0;
constexpr double kDragThresholdPixels = 3.0;
constexpr double kWheelStep = 120.0;  // one notch
constexpr double kZoomPerNotch = 1.25;
constexpr int kTicksWanted = 6;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 640;
const QColor kInsideColour(30, 90, 200);
const QColor kOutsideColour(220, 30, 30);
const QColor kOutlineColour(120, 120, 120);
const QColor kPickedColour(0, 0, 0);

// The unit after the converted column's name: "easting_m" -> "m".
QString unitOf(const std::string& name)
{
    const std::size_t underscore = name.rfind('_');
    return underscore == std::string::npos ? QStringLiteral("°") : ToQString(name.substr(underscore + 1));
}

// A tick step of 1, 2 or 5 times a power of ten giving about kTicksWanted ticks.
double tickStep(double extent)
{
    const double raw = extent / kTicksWanted;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        if (step * power >= raw) return step * power;
    }
    return 10.0 * power;
}

QString number(double value, double step)
{
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
    return QString::number(value, 'f', decimals);
}

}  // namespace

PlotCanvas::PlotCanvas(std::shared_ptr<const PlotData> data, QWidget* parent) : QWidget(parent), data_(std::move(data))
{
    setObjectName(QStringLiteral("PlotCanvas"));
    setMinimumSize(320, 240);
    setMouseTracking(false);
}

QRectF PlotCanvas::plotArea(QSize size) const
{
    return QRectF(kLeftMargin, kTopMargin, std::max(1, size.width() - kLeftMargin - kRightMargin),
                  std::max(1, size.height() - kTopMargin - kBottomMargin));
}

// The data's extent with a margin, widened on one axis so a metre is as long
// across as up.
void PlotCanvas::fitView(QSize size)
{
    const auto bounds = data_->Bounds();
    if (!bounds) {
        view_ = {0.0, 0.0, 1.0, 1.0};
        return;
    }
    const double width = std::max(bounds->Width(), 1e-9);
    const double height = std::max(bounds->Height(), 1e-9);
    PlotBounds view{bounds->MinX - width * kFitMargin, bounds->MinY - height * kFitMargin,
                    bounds->MaxX + width * kFitMargin, bounds->MaxY + height * kFitMargin};
    const QRectF area = plotArea(size);
    const double perPixel = std::max(view.Width() / area.width(), view.Height() / area.height());
    const double centreX = (view.MinX + view.MaxX) / 2;
    const double centreY = (view.MinY + view.MaxY) / 2;
    view_ = {centreX - perPixel * area.width() / 2, centreY - perPixel * area.height() / 2,
             centreX + perPixel * area.width() / 2, centreY + perPixel * area.height() / 2};
}

QPointF PlotCanvas::toPixel(double x, double y, const QRectF& area) const
{
    return {area.left() + (x - view_.MinX) / view_.Width() * area.width(),
            area.bottom() - (y - view_.MinY) / view_.Height() * area.height()};
}

void PlotCanvas::Render(QImage& image)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    if (!fitted_) {
        fitView(image.size());
        fitted_ = true;
    }
    paintOn(painter, image.size());
}

void PlotCanvas::paintOn(QPainter& painter, QSize size) const
{
    const QRectF area = plotArea(size);
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(area);

    // Axes: ticks and values along the bottom and the left.
    const QFontMetrics metrics(painter.font());
    const double stepX = tickStep(view_.Width());
    for (double x = std::ceil(view_.MinX / stepX) * stepX; x <= view_.MaxX; x += stepX) {
        const QPointF at = toPixel(x, view_.MinY, area);
        painter.drawLine(at, at + QPointF(0, 5));
        const QString text = number(x, stepX);
        painter.drawText(QPointF(at.x() - metrics.horizontalAdvance(text) / 2.0, at.y() + 18), text);
    }
    const double stepY = tickStep(view_.Height());
    for (double y = std::ceil(view_.MinY / stepY) * stepY; y <= view_.MaxY; y += stepY) {
        const QPointF at = toPixel(view_.MinX, y, area);
        painter.drawLine(at, at - QPointF(5, 0));
        const QString text = number(y, stepY);
        painter.drawText(QPointF(at.x() - 8 - metrics.horizontalAdvance(text), at.y() + metrics.ascent() / 2.0), text);
    }
    painter.drawText(QPointF(area.center().x(), size.height() - 4), ToQString(data_->XName()));
    painter.save();
    painter.translate(12, area.center().y());
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), ToQString(data_->YName()));
    painter.restore();

    painter.setClipRect(area);
    const std::vector<GridPoint>& outline = data_->Outline();
    if (outline.size() > 1) {
        QPainterPath path(toPixel(outline.front().Easting, outline.front().Northing, area));
        for (const GridPoint& p : outline) path.lineTo(toPixel(p.Easting, p.Northing, area));
        painter.setPen(QPen(kOutlineColour, 1.5, Qt::DashLine));
        painter.drawPath(path);
    }
    // One point per pixel: outside points drawn last, over the others.
    const std::vector<std::size_t> shown =
        data_->ToDraw(view_, static_cast<int>(area.width()), static_cast<int>(area.height()));
    const std::vector<PlotPoint>& points = data_->Points();
    painter.setPen(Qt::NoPen);
    for (const bool outside : {false, true}) {
        painter.setBrush(outside ? kOutsideColour : kInsideColour);
        for (const std::size_t k : shown) {
            if (points[k].Outside != outside) continue;
            const QPointF at = toPixel(points[k].X, points[k].Y, area);
            painter.drawRect(QRectF(at.x() - kPointSize / 2, at.y() - kPointSize / 2, kPointSize, kPointSize));
        }
    }
    if (picked_) {
        painter.setPen(QPen(kPickedColour, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(toPixel(points[*picked_].X, points[*picked_].Y, area), 7, 7);
    }
    painter.setClipping(false);

    // The scale bar, bottom left inside the frame.
    const double bar = ScaleBarLength(view_.Width());
    if (bar > 0.0) {
        const double pixels = bar / view_.Width() * area.width();
        const QPointF start(area.left() + 12, area.bottom() - 14);
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(start, start + QPointF(pixels, 0));
        painter.drawLine(start - QPointF(0, 4), start + QPointF(0, 4));
        painter.drawLine(start + QPointF(pixels, -4), start + QPointF(pixels, 4));
        painter.drawText(start + QPointF(0, -6), number(bar, bar) + " " + unitOf(data_->XName()));
    }
}

void PlotCanvas::paintEvent(QPaintEvent* /*event*/)
{
    if (!fitted_) {
        fitView(size());
        fitted_ = true;
    }
    QPainter painter(this);
    paintOn(painter, size());
}

void PlotCanvas::resizeEvent(QResizeEvent* /*event*/)
{
    // Keep the centre and the scale; the new pixels show more or less around it.
    if (!fitted_) return;
    fitView(size());
}

std::optional<std::size_t> PlotCanvas::PointAt(int x, int y) const
{
    const QRectF area = plotArea(size());
    const double perPixel = view_.Width() / area.width();
    const double dataX = view_.MinX + (x - area.left()) * perPixel;
    const double dataY = view_.MinY + (area.bottom() - y) * perPixel;
    return data_->Nearest(dataX, dataY, kPickReachPixels * perPixel);
}

void PlotCanvas::Zoom(double factor, QPointF around)
{
    const QRectF area = plotArea(size());
    const double x = view_.MinX + (around.x() - area.left()) / area.width() * view_.Width();
    const double y = view_.MinY + (area.bottom() - around.y()) / area.height() * view_.Height();
    view_ = {x - (x - view_.MinX) / factor, y - (y - view_.MinY) / factor, x + (view_.MaxX - x) / factor,
             y + (view_.MaxY - y) / factor};
    update();
}

void PlotCanvas::Pan(QPointF byPixels)
{
    const QRectF area = plotArea(size());
    const double dx = -byPixels.x() / area.width() * view_.Width();
    const double dy = byPixels.y() / area.height() * view_.Height();
    view_ = {view_.MinX + dx, view_.MinY + dy, view_.MaxX + dx, view_.MaxY + dy};
    update();
}

void PlotCanvas::mousePressEvent(QMouseEvent* event)
{
    pressAt_ = lastAt_ = event->position();
    dragged_ = false;
}

void PlotCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPointF at = event->position();
    if ((at - pressAt_).manhattanLength() > kDragThresholdPixels) dragged_ = true;
    if (dragged_) Pan(at - lastAt_);
    lastAt_ = at;
}

void PlotCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragged_) return;
    picked_ = PointAt(static_cast<int>(event->position().x()), static_cast<int>(event->position().y()));
    if (picked_) {
        const PlotPoint& p = data_->Points()[*picked_];
        const std::string& id = data_->Id(*picked_);
        emit PointPicked(QStringLiteral("Point %1, line %2: %3 %4, %5 %6")
                             .arg(id.empty() ? QStringLiteral("(no ID)") : ToQString(id))
                             .arg(p.Line)
                             .arg(ToQString(data_->XName()))
                             .arg(QString::number(p.X, 'f', 4))
                             .arg(ToQString(data_->YName()))
                             .arg(QString::number(p.Y, 'f', 4)) +
                         (p.Outside ? QStringLiteral(" (beyond the zone's area)") : QString()));
    }
    update();
}

void PlotCanvas::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / kWheelStep;
    if (notches != 0.0) Zoom(std::pow(kZoomPerNotch, notches), event->position());
}

PlotWindow::PlotWindow(std::shared_ptr<const PlotData> data, QWidget* parent)
    : QWidget(parent, Qt::Window), canvas_(new PlotCanvas(data, this)), info_(new QLabel(this))
{
    setObjectName(QStringLiteral("PlotWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Points: ") + ToQString(data->Title()));
    auto* save = new QPushButton(QStringLiteral("Save image..."), this);
    save->setObjectName(QStringLiteral("SaveImage"));
    info_->setObjectName(QStringLiteral("PlotInfo"));
    const QString counts = QStringLiteral("%1 points").arg(data->Points().size()) +
                           (data->OutsideCount() > 0
                                ? QStringLiteral(", %1 beyond the zone's area (red)").arg(data->OutsideCount())
                                : QString());
    info_->setText(counts + QStringLiteral(". Click a point to name it; drag to pan, wheel to zoom."));
    connect(canvas_, &PlotCanvas::PointPicked, info_, &QLabel::setText);
    connect(save, &QPushButton::clicked, this, &PlotWindow::saveImageClick);
    auto* top = new QHBoxLayout;
    top->addWidget(info_, 1);
    top->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(canvas_, 1);
    resize(kWindowWidth, kWindowHeight);
}

bool PlotWindow::SaveImage(const QString& path)
{
    QImage image(canvas_->size(), QImage::Format_RGB32);
    canvas_->Render(image);
    return image.save(path, "PNG");
}

void PlotWindow::saveImageClick()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save image"), QString(),
                                                QStringLiteral("PNG images (*.png)"));
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path += QStringLiteral(".png");
    if (!SaveImage(path)) {
        QMessageBox::warning(this, QStringLiteral("File error"), QStringLiteral("Can't write the image ") + path + ".");
    }
}

}  // namespace kartoval
