#include "toolkit/ProgramFolder.hpp"

#include "support/Fakes.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace kartoval {
namespace {

// The data tables are read from the executable's own folder, whatever the
// current directory: the test executable must be found there.
TEST(ProgramFolder, HoldsTheRunningExecutable)
{
    const std::filesystem::path folder = ProgramFolder();
    EXPECT_TRUE(std::filesystem::exists(folder / "kartoval_toolkit_tests")) << folder;
}

TEST(ProgramFolder, DoesNotFollowTheCurrentDirectory)
{
    const std::filesystem::path before = ProgramFolder();
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    const std::filesystem::path after = ProgramFolder();
    std::filesystem::current_path(saved);
    EXPECT_EQ(before, after);
}

// Where the tables are found: a build folder holds them beside the program,
// an installed program (prefix/bin) finds them in prefix/share/kartoval, and
// KARTOVAL_DATA overrides both, even when it names a folder without them
// (the user's word is not second-guessed).
TEST(DataFolder, SearchOrder)
{
    const testing::TempFolder root;
    const std::filesystem::path build = root.Path / "build/bin";
    const std::filesystem::path installedBin = root.Path / "usr/bin";
    const std::filesystem::path installedData = root.Path / "usr/share/kartoval";
    const std::filesystem::path own = root.Path / "mine";
    const std::filesystem::path empty = root.Path / "empty/bin";
    for (const auto& folder : {build, installedBin, installedData, own, empty}) {
        std::filesystem::create_directories(folder);
    }
    for (const auto& folder : {build, installedData, own}) std::ofstream(folder / kDataFolderMarker) << "x";
    std::ofstream(installedBin / "ellipsoids-not-here.txt") << "x";
    const std::filesystem::path emptyShare = root.Path / "empty/share/kartoval";

    struct Row {
        const char* name;
        const char* variable;
        std::filesystem::path program;
        std::filesystem::path folder;
        bool found;
        std::vector<std::filesystem::path> searched;
    };
    const std::string ownText = own.string();
    const std::string missingText = (root.Path / "missing").string();
    const Row rows[] = {
        {"build folder: beside the program", nullptr, build, build, true, {build, root.Path / "build/share/kartoval"}},
        {"installed: bin/../share/kartoval", nullptr, installedBin, installedData, true, {installedBin, installedData}},
        {"an empty variable is no variable", "", installedBin, installedData, true, {installedBin, installedData}},
        {"KARTOVAL_DATA wins over the build folder", ownText.c_str(), build, own, true, {own}},
        {"KARTOVAL_DATA without tables is still the one", missingText.c_str(), build, root.Path / "missing", false,
         {root.Path / "missing"}},
        {"nothing found: the first folder searched", nullptr, empty, empty, false, {empty, emptyShare}},
    };
    for (const Row& row : rows) {
        const DataFolderSearch search = FindDataFolder(row.variable, row.program);
        EXPECT_EQ(search.Folder, row.folder) << row.name;
        EXPECT_EQ(search.Found, row.found) << row.name;
        EXPECT_EQ(search.Searched, row.searched) << row.name;
    }
}

// The start-up note names every folder looked at, so a user can see why.
TEST(DataFolder, NotFoundNamesTheFoldersSearched)
{
    const std::string text = DataFolderNotFoundText(FindDataFolder(nullptr, "/nowhere/bin"));
    EXPECT_NE(text.find("/nowhere/bin, /nowhere/share/kartoval"), std::string::npos) << text;
    EXPECT_NE(text.find(kDataFolderVariable), std::string::npos) << text;
}

}  // namespace
}  // namespace kartoval
