#include "app/StatusText.hpp"

#include <QPainter>
#include <QStyle>

namespace kartoval {
namespace {

// Room for "..." and a few letters: the rest of the bar belongs to the window.
constexpr int kMinimumLetters = 8;

}  // namespace

StatusText::StatusText(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("StatusLine"));
    setTextFormat(Qt::PlainText);
    setAccessibleName(QStringLiteral("Status"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void StatusText::SetMessage(const QString& message)
{
    setText(message);
    setAccessibleDescription(message);
    updateTip();
}

QString StatusText::Shown() const
{
    const int width = contentsRect().width() - 2 * margin();
    return fontMetrics().elidedText(text(), Qt::ElideRight, width);
}

QSize StatusText::minimumSizeHint() const
{
    return {fontMetrics().averageCharWidth() * kMinimumLetters, QLabel::minimumSizeHint().height()};
}

QSize StatusText::sizeHint() const { return minimumSizeHint(); }

void StatusText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room, static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter), palette(), isEnabled(),
                          Shown(), foregroundRole());
}

void StatusText::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    updateTip();
}

void StatusText::updateTip() { setToolTip(Shown() == text() ? QString() : text()); }

}  // namespace kartoval
