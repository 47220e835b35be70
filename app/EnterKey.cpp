#include "app/EnterKey.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

namespace kartoval {

EnterRuns::EnterRuns(QWidget& page, std::function<void()> command) : QObject(&page), command_(std::move(command))
{
    for (QWidget* widget : page.findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(widget) != nullptr || qobject_cast<QComboBox*>(widget) != nullptr ||
            qobject_cast<QCheckBox*>(widget) != nullptr || qobject_cast<QRadioButton*>(widget) != nullptr) {
            widget->installEventFilter(this);
        }
    }
}

bool EnterRuns::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    // With Alt or Ctrl held the key means something else; a modal message
    // box opened by the command gets its own keys, as it is another window.
    if (!enter || key->modifiers().testAnyFlags(Qt::AltModifier | Qt::ControlModifier)) {
        return QObject::eventFilter(watched, event);
    }
    command_();
    return true;
}

}  // namespace kartoval
