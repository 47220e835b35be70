#pragma once

#include <filesystem>

namespace kartoval {

// The folder of the running executable; the data tables are installed there.
// Falls back to the current directory when the executable's path can't be read.
[[nodiscard]] std::filesystem::path ProgramFolder();

}  // namespace kartoval
