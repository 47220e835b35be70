// The plot window drawn offscreen and read by structure, not by bytes: the
// points appear in their colours where they belong, a click names a point,
// and the saved image is a PNG of the plot.

#include "app/PlotWindow.hpp"
#include "support/Fakes.hpp"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace kartoval::testing {
namespace {

std::shared_ptr<PlotData> cloud()
{
    auto plot = std::make_shared<PlotData>("UTM zone 14N", "easting_m", "northing_m");
    PointResult result;
    for (int k = 0; k < 400; ++k) {
        result.X = 500000.0 + (k % 20) * 10.0;
        result.Y = 3300000.0 + (k / 20) * 10.0;
        plot->Add(ConvertedPoint{static_cast<std::uint64_t>(k + 2), "P", result});
    }
    // A blunder far to the east, as a lost minus sign would put it.
    result.X = 502000.0;
    result.Y = 3300100.0;
    result.Outside = OutsideNote{"UTM zone 14N", {}};
    plot->Add(ConvertedPoint{999, "BLUNDER", result});
    return plot;
}

struct Found {
    int Count = 0;
    int MinX = 1 << 30;
    int MaxX = -1;
    QPoint Any;
};

Found pixelsOf(const QImage& image, QRgb colour)
{
    Found found;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFFU) != (colour & 0xFFFFFFU)) continue;
            ++found.Count;
            found.MinX = std::min(found.MinX, x);
            found.MaxX = std::max(found.MaxX, x);
            found.Any = QPoint(x, y);
        }
    }
    return found;
}

TEST(PlotWindow, DrawsPointsByFlagAndNamesAClickedOne)
{
    PlotWindow window(cloud());
    window.resize(640, 480);
    window.show();
    QImage image(window.Canvas().size(), QImage::Format_RGB32);
    window.Canvas().Render(image);
    const Found inside = pixelsOf(image, qRgb(30, 90, 200));
    const Found outside = pixelsOf(image, qRgb(220, 30, 30));
    ASSERT_GT(inside.Count, 0);
    ASSERT_GT(outside.Count, 0);
    // The cloud at the west, the blunder alone at the east, 2 km apart.
    EXPECT_LT(inside.MaxX, outside.MinX);
    EXPECT_GT(outside.MinX - inside.MaxX, image.width() / 2);

    QTest::mouseClick(&window.Canvas(), Qt::LeftButton, {}, outside.Any);
    const QString text = window.findChild<QLabel*>(QStringLiteral("PlotInfo"))->text();
    EXPECT_TRUE(text.contains(QStringLiteral("BLUNDER"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("line 999"))) << text.toStdString();

    TempFolder folder;
    const QString path = QString::fromStdString((folder.Path / "plot.png").string());
    ASSERT_TRUE(window.SaveImage(path));
    const QImage saved(path, "PNG");
    EXPECT_EQ(saved.size(), window.Canvas().size());
    EXPECT_GT(pixelsOf(saved, qRgb(220, 30, 30)).Count, 0);
}

}  // namespace
}  // namespace kartoval::testing
