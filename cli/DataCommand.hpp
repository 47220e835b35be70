#pragma once
// kartoval-convert --check-data, and the note a run gives when a table is not
// the shipped one.

#include "toolkit/Platform.hpp"

#include <cstdio>
#include <filesystem>

namespace kartoval {

// Lists each data table and datum shift grid with its state (shipped,
// changed, damaged, missing) and why a file is damaged; gives the exit
// status: 0 when nothing is damaged or missing, else kExitInputOutput.
[[nodiscard]] int CheckDataFiles(const Platform& platform, std::FILE* out);

// One note on `err` for each table of `dataFolder` that differs from the shipped one.
void NoteChangedTables(const std::filesystem::path& dataFolder, std::FILE* err);

}  // namespace kartoval
