// Kartoval's window started as the program starts it (data folder, tables,
// every page built), ended as soon as it is shown: against
// kartoval_show_empty_window, what the window costs beyond Qt itself.

#include "app/QtDialogs.hpp"
#include "app/QtMessageBoxes.hpp"
#include "app/Startup.hpp"
#include "app/TMain.hpp"
#include "bench/ShownWindow.hpp"
#include "toolkit/ProgramFolder.hpp"

#include <QLocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kartoval::QtMessageBoxes messages;
    kartoval::QtDialogs dialogs;
    kartoval::TMain Main({messages, dialogs, kartoval::ProgramDataFolder().Folder,
                kartoval::DecimalSeparatorOf(QLocale::system())});
    QuitWhenShown(Main);
}
