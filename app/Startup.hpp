#pragma once
// The start of the program: the application's title, the main window, the
// message loop. Kept apart from main() so the tests can run it whole.

#include "app/AppServices.hpp"
#include "toolkit/Platform.hpp"

class QApplication;
class QLocale;

namespace kartoval {

inline constexpr const char* kApplicationTitle = kProgramCaption;

// The locale's decimal separator for the edit boxes; '.' when the locale's
// is not one 8-bit character.
[[nodiscard]] char DecimalSeparatorOf(const QLocale& locale);

// Titles the application, creates the window `Main`, shows it and runs the
// message loop until it is closed. An error at start is shown with the error
// report and ends the program. Gives the exit code: always 0.
int RunKartoval(QApplication& app, const AppServices& services);

}  // namespace kartoval
