#include "datum/DatumEngine.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace kartoval {
namespace {

// Where the PROJ plugin is looked for: beside the program first (a build
// folder, where it is built), then the installed lib/.../kartoval reached from
// bin/; KARTOVAL_DATUM_ENGINE replaces both, so a hidden plugin stays hidden.
TEST(DatumEngine, PluginSearchOrder)
{
    struct Row {
        const char* name;
        const char* variable;
        std::filesystem::path program;
        std::vector<std::filesystem::path> expected;
    };
    const std::filesystem::path installed =
        (std::filesystem::path("/usr/bin") / KARTOVAL_PLUGIN_FOLDER_FROM_BIN / kDatumEnginePluginName).lexically_normal();
    const Row rows[] = {
        {"build folder, then installed", nullptr, "/usr/bin", {"/usr/bin/libkartoval_datum_proj.so", installed}},
        {"an empty variable is no variable", "", "/usr/bin", {"/usr/bin/libkartoval_datum_proj.so", installed}},
        {"the variable alone", "/elsewhere/engine.so", "/usr/bin", {"/elsewhere/engine.so"}},
    };
    for (const Row& row : rows) EXPECT_EQ(DatumEngineCandidates(row.variable, row.program), row.expected) << row.name;
    // Installed, the plugin is under the prefix's lib folder, not in bin/.
    EXPECT_EQ(installed.string().rfind("/usr/lib", 0), 0U) << installed;
}

}  // namespace
}  // namespace kartoval
