#pragma once
// For the window start-up benches: returns once `window` is on the display
// and painted, the moment a user sees it, so that a whole process measures
// start-up to a shown window and nothing after.

#include <QApplication>
#include <QWidget>
#include <QWindow>

inline int QuitWhenShown(QApplication& app, QWidget& window)
{
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    // The first paint is posted on exposure.
    QApplication::processEvents();
    QApplication::sync();
    (void)app;
    return 0;
}
