#pragma once
// The window's error report: a command that ends with an exception has its
// message shown in a message box, and the window carries on as it was.

#include "toolkit/Controls.hpp"
#include "toolkit/Platform.hpp"

#include <functional>

namespace kartoval {

inline constexpr const char* kErrorReportCaption = kProgramCaption;
inline constexpr const char* kUnknownErrorMessage = "The command ended with an error that has no message.";

// Runs `command`; whatever it throws is shown through `messages` and goes no
// further, so no exception reaches Qt's event loop.
void ReportErrors(MessageBoxes& messages, const std::function<void()>& command) noexcept;

}  // namespace kartoval
