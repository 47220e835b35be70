#include "app/QtMessageBoxes.hpp"

#include "app/QtControls.hpp"

#include <QApplication>
#include <QMessageBox>

namespace kartoval {
namespace {

// Over the main window once it is shown; before that (a message at start)
// on its own, as the window isn't there to be covered yet.
int runBox(const std::string& text, const std::string& caption, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, ToQString(caption), ToQString(text), buttons, QApplication::activeWindow());
    // The text quotes what the user typed and file names: never read it as markup.
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

}  // namespace

void QtMessageBoxes::ShowMessage(const std::string& text, const std::string& caption)
{
    runBox(text, caption, QMessageBox::Ok);
}

bool QtMessageBoxes::AskYesNo(const std::string& text, const std::string& caption)
{
    return runBox(text, caption, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace kartoval
