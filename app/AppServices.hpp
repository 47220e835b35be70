#pragma once
// What the window needs of the running program: message boxes, file dialogs,
// the data folder and the user's decimal separator. The program hands in the
// Qt ones; the tests hand in fakes, so no test waits on a modal dialog.

#include "toolkit/Controls.hpp"

#include <filesystem>
#include <optional>
#include <string>

namespace kartoval {

// The two file dialogs of the "File Convertion" page.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // The file confirmed in the dialog, or nothing when the user cancelled.
    // OpenInput accepts only a file that exists; SaveOutput asks before it
    // lets the user pick a file that exists.
    [[nodiscard]] virtual std::optional<std::string> OpenInput() = 0;
    [[nodiscard]] virtual std::optional<std::string> SaveOutput() = 0;
    // The folders the dialogs open in until a file is confirmed in them.
    virtual void StartIn(const std::string& inputFolder, const std::string& outputFolder)
    {
        (void)inputFolder;
        (void)outputFolder;
    }
};

struct AppServices {
    MessageBoxes& Messages;
    Dialogs& FileDialogs;
    std::filesystem::path DataFolder;  // ellips.txt, nad27.txt and nad83.txt
    char DecimalSeparator = '.';       // of the numbers typed and shown in the edit boxes
    // Whether the window restores its settings at start and saves them at its
    // end (QSettings, the platform's usual place).
    bool RememberSettings = false;
};

}  // namespace kartoval
