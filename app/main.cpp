// kartoval: converts coordinates between degrees, UTM and US State Plane.

#include "app/QtDialogs.hpp"
#include "app/QtMessageBoxes.hpp"
#include "app/Startup.hpp"
#include "toolkit/ProgramFolder.hpp"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kartoval::QtMessageBoxes messages;
    kartoval::QtDialogs dialogs;
    // The data tables are found from the program's own folder, never from the
    // current directory, so the program finds them wherever it is started.
    const kartoval::DataFolderSearch data = kartoval::ProgramDataFolder();
    if (!data.Found) messages.ShowMessage(kartoval::DataFolderNotFoundText(data), kartoval::kFileErrorCaption);
    return kartoval::RunKartoval(
        app, {messages, dialogs, data.Folder, kartoval::DecimalSeparatorOf(QLocale::system()), /*RememberSettings=*/true});
}
