#include "app/Startup.hpp"

#include "app/ErrorReport.hpp"
#include "app/TMain.hpp"

#include <QApplication>
#include <QIcon>
#include <QLocale>

namespace kartoval {

char DecimalSeparatorOf(const QLocale& locale)
{
    const QString separator = locale.decimalPoint();
    if (separator.size() != 1 || separator.front().unicode() > 0x7f) return '.';
    return static_cast<char>(separator.front().unicode());
}

int RunKartoval(QApplication& app, const AppServices& services)
{
    // The application's name, not its display name: a display name is added
    // to every window title on X11 and Wayland, and a message box titled
    // "File error" must read just that.
    app.setApplicationName(kApplicationTitle);
    // Lets a desktop match the window to kartoval.desktop and its icon.
    app.setDesktopFileName(QStringLiteral("kartoval"));
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral("kartoval")));
    ReportErrors(services.Messages, [&] {
        TMain Main(services);
        Main.show();
        app.exec();
    });
    return 0;
}

}  // namespace kartoval
