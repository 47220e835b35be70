#pragma once
// kartoval-convert as a function of its arguments and streams, so the tests
// run it without a process.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace kartoval {

// Exit statuses.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitBadLine = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInputOutput = 3;

struct CliStreams {
    std::FILE* In;
    std::FILE* Out;
    std::FILE* Err;
    bool ErrIsTerminal = false;  // progress is shown only on a terminal
};

// Runs the command (arguments without the program name) with the data tables
// of `dataFolder`; returns the exit status.
[[nodiscard]] int RunConvertCommand(const std::vector<std::string>& arguments, const CliStreams& streams,
                                    const std::filesystem::path& dataFolder);

}  // namespace kartoval
