#include "app/QtMessageBoxes.hpp"

#include "app/QtControls.hpp"

#include <QApplication>
#include <QMessageBox>

namespace kartoval {
namespace {

// Over the main window once it is shown; before that (a message at start)
// on its own, as the window isn't there to be covered yet.
int runBox(QMessageBox::Icon icon, const std::string& text, const std::string& caption,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton safeAnswer)
{
    QMessageBox box(icon, ToQString(caption), ToQString(text), buttons, QApplication::activeWindow());
    // The text quotes what the user typed and file names: never read it as markup.
    box.setTextFormat(Qt::PlainText);
    // Enter, Escape and closing the box all give the answer that changes nothing.
    box.setDefaultButton(safeAnswer);
    box.setEscapeButton(safeAnswer);
    return box.exec();
}

}  // namespace

void QtMessageBoxes::ShowMessage(const std::string& text, const std::string& caption)
{
    runBox(QMessageBox::Warning, text, caption, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtMessageBoxes::AskYesNo(const std::string& text, const std::string& caption)
{
    return runBox(QMessageBox::Question, text, caption, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace kartoval
