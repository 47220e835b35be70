#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kartoval {

// The folder of the running executable. Falls back to the current directory
// when the executable's path can't be read.
[[nodiscard]] std::filesystem::path ProgramFolder();

// Names the data folder, overriding the search below.
inline constexpr const char* kDataFolderVariable = "KARTOVAL_DATA";
// The table whose presence marks a data folder.
inline constexpr const char* kDataFolderMarker = "ellips.txt";
// The installed data folder, from the installed program's folder (bin/).
inline constexpr const char* kInstalledDataFolder = "../share/kartoval";

struct DataFolderSearch {
    std::filesystem::path Folder;                 // where the tables are read
    std::vector<std::filesystem::path> Searched;  // in the order looked at
    bool Found = false;                           // whether Folder holds the marker table
};

// Where the data tables are: the folder named by KARTOVAL_DATA when it is set
// (`variable`, null when unset), and nothing else then; otherwise the
// program's own folder when it holds them (the build folder), else the
// installed share/kartoval beside the program's bin/. When none holds them,
// Folder is the first folder searched, so messages name a real place.
[[nodiscard]] DataFolderSearch FindDataFolder(const char* variable, const std::filesystem::path& programFolder);

// FindDataFolder for the running program and its environment.
[[nodiscard]] DataFolderSearch ProgramDataFolder();

// "No data folder holds ellips.txt. Searched: A, B. ..." for a start-up note.
[[nodiscard]] std::string DataFolderNotFoundText(const DataFolderSearch& search);

}  // namespace kartoval
