// The window's menu bar and status bar, and the messages the status bar
// shows: one per page, the one of the page on show.

#include "app/QtControls.hpp"
#include "app/StatusText.hpp"
#include "app/TMain.hpp"
#include "ui_TMain.h"

#include <QActionGroup>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>

namespace kartoval {

void TMain::showStatus(QWidget* page, const std::string& text)
{
    const int position = form_->PageControl1->indexOf(page);
    if (position < 0 || static_cast<std::size_t>(position) >= pageStatus_.size()) return;
    pageStatus_[static_cast<std::size_t>(position)] = ToQString(text);
    showPageStatus();
}

// The bar shows the last message of the page on show, never another page's.
void TMain::showPageStatus()
{
    const int position = form_->PageControl1->currentIndex();
    const bool known = position >= 0 && static_cast<std::size_t>(position) < pageStatus_.size();
    statusText_->SetMessage(known ? pageStatus_[static_cast<std::size_t>(position)] : QString());
}

// The message takes the bar's width; the transverse Mercator choice keeps its
// place at the right.
void TMain::buildStatusBar()
{
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    statusText_ = new StatusText(bar);
    bar->addWidget(statusText_, 1);
    auto* engineLabel = new QLabel(QStringLiteral("T&M:"), bar);
    engineLabel->setObjectName(QStringLiteral("LabTmEngine"));
    engineLabel->setBuddy(form_->TmEngine);
    bar->addPermanentWidget(engineLabel);
    bar->addPermanentWidget(form_->TmEngine);
    form_->MainLayout->addWidget(bar);
}

// One "Settings" menu: the decimals of the Single page's results and the way
// back to the first start. F10 opens it from the keyboard, as on most
// desktops; no Alt letter is left free on every page.
void TMain::buildMenu()
{
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MenuBar"));
    QMenu* menu = bar->addMenu(QStringLiteral("Settings"));
    menu->setObjectName(QStringLiteral("MenuSettings"));
    degreeChoices_ = decimalsMenu(*menu, QStringLiteral("Degree decimals"), {6, 7, 8, 9}, &TMain::setDegreeDecimals);
    gridChoices_ = decimalsMenu(*menu, QStringLiteral("Grid decimals"), {2, 3, 4}, &TMain::setGridDecimals);
    menu->addSeparator();
    QAction* reset = menu->addAction(QStringLiteral("Reset to defaults"), this, &TMain::ResetToDefaults);
    reset->setObjectName(QStringLiteral("ActionResetToDefaults"));
    form_->MainLayout->setMenuBar(bar);
    auto* open = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(open, &QShortcut::activated, this, [bar, menu] {
        bar->setActiveAction(menu->menuAction());
    });
}

QActionGroup* TMain::decimalsMenu(QMenu& menu, const QString& title, std::initializer_list<int> choices,
                                  void (TMain::*set)(int))
{
    QMenu* sub = menu.addMenu(title);
    auto* group = new QActionGroup(sub);
    for (const int decimals : choices) {
        QAction* action = sub->addAction(QString::number(decimals));
        action->setCheckable(true);
        action->setData(decimals);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, set, decimals] { (this->*set)(decimals); });
    }
    return group;
}

}  // namespace kartoval
