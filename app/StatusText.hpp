#pragma once
// The message part of the window's status bar. The whole message shows when
// the bar is wide enough; otherwise it is cut at its end with "..." and the
// whole message goes into the tooltip, and it is cut again at every resize.
// text() is always the whole message.

#include <QLabel>

namespace kartoval {

class StatusText : public QLabel {
    Q_OBJECT

public:
    explicit StatusText(QWidget* parent = nullptr);

    void SetMessage(const QString& message);
    // What the bar shows of the message at its present width.
    [[nodiscard]] QString Shown() const;

    // A long message must never widen the window.
    [[nodiscard]] QSize minimumSizeHint() const override;
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateTip();
};

}  // namespace kartoval
