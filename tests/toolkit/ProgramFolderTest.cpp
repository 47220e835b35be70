#include "toolkit/ProgramFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace kartoval
