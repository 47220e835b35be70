#pragma once
// For the window start-up benches: ends the process once `window` is on the
// display and painted, the moment a user sees it, so that a whole process
// measures start-up to a shown window and nothing after (not the tearing down
// of the widgets either).

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

[[noreturn]] inline void QuitWhenShown(QWidget& window)
{
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    // The first paint is posted on exposure.
    QApplication::processEvents();
    QApplication::sync();
    std::_Exit(0);
}
