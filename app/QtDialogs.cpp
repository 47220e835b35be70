#include "app/QtDialogs.hpp"

#include "app/QtControls.hpp"

#include <QApplication>
#include <QFileDialog>

namespace kartoval {
namespace {

// No title, filter or default extension of their own: any file can hold points.
std::optional<std::string> runDialog(QString& last, const QString& folder, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(mode);
    // An input must exist; an output may be new, but its folder must exist,
    // and overwriting an existing file is asked first (Qt's default).
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!last.isEmpty()) {
        dialog.selectFile(last);
    } else if (!folder.isEmpty()) {
        dialog.setDirectory(folder);
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    last = files.constFirst();
    return FromQString(last);
}

}  // namespace

std::optional<std::string> QtDialogs::OpenInput()
{
    return runDialog(lastInput_, inputFolder_, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtDialogs::SaveOutput()
{
    return runDialog(lastOutput_, outputFolder_, QFileDialog::AcceptSave);
}

void QtDialogs::StartIn(const std::string& inputFolder, const std::string& outputFolder)
{
    inputFolder_ = ToQString(inputFolder);
    outputFolder_ = ToQString(outputFolder);
}

}  // namespace kartoval
