#pragma once
// The plot of a file run: the converted points in the output's units with
// axes and a scale bar, the zone's area outline, the points beyond it in
// red, and the ID and line of a clicked point. Drag pans, the wheel zooms;
// a dense cloud is thinned for drawing only. "Save image..." writes a PNG.

#include "batch/PlotData.hpp"

#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>

class QLabel;

namespace kartoval {

// The drawing itself, a widget of its own so that it can be rendered
// offscreen and saved.
class PlotCanvas : public QWidget {
    Q_OBJECT

public:
    explicit PlotCanvas(std::shared_ptr<const PlotData> data, QWidget* parent = nullptr);

    // The whole plot drawn into `image` at its size.
    void Render(QImage& image);
    // What a click at widget position (x, y) picks: the point's index.
    [[nodiscard]] std::optional<std::size_t> PointAt(int x, int y) const;
    [[nodiscard]] const PlotBounds& View() const { return view_; }
    void Zoom(double factor, QPointF around);
    void Pan(QPointF byPixels);

signals:
    void PointPicked(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void paintOn(QPainter& painter, QSize size) const;
    void fitView(QSize size);
    [[nodiscard]] QRectF plotArea(QSize size) const;
    [[nodiscard]] QPointF toPixel(double x, double y, const QRectF& area) const;

    std::shared_ptr<const PlotData> data_;
    PlotBounds view_{};
    bool fitted_ = false;
    std::optional<std::size_t> picked_;
    QPointF pressAt_;
    QPointF lastAt_;
    bool dragged_ = false;
};

class PlotWindow : public QWidget {
    Q_OBJECT

public:
    explicit PlotWindow(std::shared_ptr<const PlotData> data, QWidget* parent = nullptr);

    [[nodiscard]] PlotCanvas& Canvas() { return *canvas_; }
    // Writes the plot as shown to `path` as a PNG; false when it can't.
    bool SaveImage(const QString& path);

private:
    void saveImageClick();

    PlotCanvas* canvas_;
    QLabel* info_;
};

}  // namespace kartoval
