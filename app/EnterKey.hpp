#pragma once
// Enter in any box of a page runs that page's command, as a click on its
// "Convert" or "GO" would.

#include <QObject>

#include <functional>

class QWidget;

namespace kartoval {

class EnterRuns : public QObject {
    Q_OBJECT

public:
    // Watches the edit boxes, lists, check boxes and radio buttons of `page`.
    // Push buttons keep their own keys: Enter on "Input File" is not GO.
    EnterRuns(QWidget& page, std::function<void()> command);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> command_;
};

}  // namespace kartoval
