#include "app/ErrorReport.hpp"

#include "toolkit/Errors.hpp"

#include <cstdio>
#include <exception>
#include <string>

namespace kartoval {
namespace {

void show(MessageBoxes& messages, const std::string& text, const std::string& caption = kErrorReportCaption) noexcept
{
    try {
        messages.ShowMessage(text, caption);
    } catch (...) {
        // The message box itself failed (out of memory, most likely): the
        // terminal is the last place left to say it.
        std::fprintf(stderr, "kartoval: %.*s\n", static_cast<int>(text.size()), text.data());
    }
}

}  // namespace

void ReportErrors(MessageBoxes& messages, const std::function<void()>& command) noexcept
{
    try {
        command();
    } catch (const CommandError& error) {
        // A data problem carries "File error"; the command's own failures the program's caption.
        const char* what = error.what();
        show(messages, what != nullptr && *what != '\0' ? what : kUnknownErrorMessage, error.Caption());
    } catch (const std::exception& error) {
        const char* what = error.what();
        show(messages, what != nullptr && *what != '\0' ? what : kUnknownErrorMessage);
    } catch (...) {
        show(messages, kUnknownErrorMessage);
    }
}

}  // namespace kartoval
