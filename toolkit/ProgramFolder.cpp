#include "toolkit/ProgramFolder.hpp"

#include <cstdlib>
#include <system_error>

namespace kartoval {

std::filesystem::path ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || self.empty()) return std::filesystem::current_path(error);
    return self.parent_path();
}

DataFolderSearch FindDataFolder(const char* variable, const std::filesystem::path& programFolder)
{
    DataFolderSearch search;
    if (variable != nullptr && *variable != '\0') {
        search.Searched = {variable};
    } else {
        search.Searched = {programFolder, (programFolder / kInstalledDataFolder).lexically_normal()};
    }
    for (const std::filesystem::path& folder : search.Searched) {
        std::error_code error;
        if (std::filesystem::is_regular_file(folder / kDataFolderMarker, error)) {
            search.Folder = folder;
            search.Found = true;
            return search;
        }
    }
    search.Folder = search.Searched.front();
    return search;
}

DataFolderSearch ProgramDataFolder()
{
    return FindDataFolder(std::getenv(kDataFolderVariable), ProgramFolder());
}

std::string DataFolderNotFoundText(const DataFolderSearch& search)
{
    std::string folders;
    for (const std::filesystem::path& folder : search.Searched) {
        if (!folders.empty()) folders += ", ";
        folders += folder.string();
    }
    return std::string("No data folder holds ") + kDataFolderMarker + ". Searched: " + folders + ". Set " +
           kDataFolderVariable + " to the folder of Kartoval's tables, or reinstall Kartoval.";
}

}  // namespace kartoval
