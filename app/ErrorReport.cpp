#include "app/ErrorReport.hpp"

#include <cstdio>
#include <exception>
#include <string>

namespace kartoval {
namespace {

void show(MessageBoxes& messages, const std::string& text) noexcept
{
    try {
        messages.ShowMessage(text, kErrorReportCaption);
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
    } catch (const std::exception& error) {
        const char* what = error.what();
        show(messages, what != nullptr && *what != '\0' ? what : kUnknownErrorMessage);
    } catch (...) {
        show(messages, kUnknownErrorMessage);
    }
}

}  // namespace kartoval
