#pragma once
// PROJ's cs2cs as the outside reference for the datum shift. It runs with
// our shipped grids first on its path (and proj.db from proj-data), network
// off, no user folder, so it takes the same grid as Kartoval and never its
// fixed-parameter fallback; tests prove that with the grids' own check value.

#include "support/Fakes.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace kartoval::testing {

inline bool Cs2csInstalled()
{
    return std::string(KARTOVAL_CS2CS).find("NOTFOUND") == std::string::npos;
}

// Each pair (first, second) in the CRSs' own axis order; gives the first two
// numbers of each output line, or nothing when cs2cs failed.
inline std::vector<std::pair<double, double>> RunCs2cs(const std::string& from, const std::string& to,
                                                       const std::vector<std::pair<double, double>>& points)
{
    TempFolder work;
    std::ostringstream input;
    input.precision(17);
    for (const auto& [first, second] : points) input << first << ' ' << second << '\n';
    work.Write("in.txt", input.str());
    const std::filesystem::path grids = std::filesystem::path(KARTOVAL_RUNTIME_DIR) / "grids";
    const std::string command = "PROJ_DATA='" + grids.string() + ":" + KARTOVAL_PROJ_DB_DIR +
                                "' PROJ_NETWORK=OFF XDG_DATA_HOME='" + work.Path.string() + "' '" +
                                KARTOVAL_CS2CS + "' -f %.12f " + from + " " + to + " < '" +
                                (work.Path / "in.txt").string() + "' > '" + (work.Path / "out.txt").string() + "'";
    if (std::system(command.c_str()) != 0) return {};
    std::istringstream output(work.Read("out.txt"));
    std::vector<std::pair<double, double>> result;
    std::string line;
    while (std::getline(output, line)) {
        std::istringstream fields(line);
        double first = 0.0;
        double second = 0.0;
        if (!(fields >> first >> second)) return {};  // "*" for a point cs2cs could not transform
        result.emplace_back(first, second);
    }
    return result;
}

}  // namespace kartoval::testing
