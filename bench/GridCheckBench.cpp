// What verifying the datum shift grids costs a run: the SHA-256 of every
// grid file of a grid folder (the check a process makes once per grid, the
// first time it opens it), timed over several runs with the files in the page
// cache, as they are on every run but the first after a boot.
//
//   kartoval_grid_check_bench [GRID-FOLDER] [--runs N]

#include "datum/DatumShift.hpp"
#include "datum/GridIntegrity.hpp"
#include "toolkit/Sha256.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::filesystem::path folder = kartoval::ProgramGridFolder();
    int runs = 20;
    for (int k = 1; k < argc; ++k) {
        const std::string argument = argv[k];
        if (argument == "--runs" && k + 1 < argc) runs = std::max(1, std::atoi(argv[++k]));
        else folder = argument;
    }
    std::vector<std::filesystem::path> grids;
    std::uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".tif") continue;
        grids.push_back(entry.path());
        bytes += entry.file_size();
    }
    std::vector<double> times;
    for (int run = 0; run <= runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (const auto& grid : grids) {
            if (!kartoval::FileSha256(grid)) {
                std::fprintf(stderr, "can't read %s\n", grid.c_str());
                return 1;
            }
        }
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (run > 0) times.push_back(ms);  // the first run fills the page cache
    }
    // The whole check of a process's first use, SHA-256 and a full decode, once per grid.
    const auto start = std::chrono::steady_clock::now();
    for (const auto& grid : grids) {
        if (!kartoval::GridFileProblem(grid).empty()) {
            std::fprintf(stderr, "%s fails its check\n", grid.c_str());
            return 1;
        }
    }
    const double whole = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::sort(times.begin(), times.end());
    std::printf("%zu grids, %.0f KiB: SHA-256 of all, median %.2f ms, fastest %.2f ms, slowest %.2f ms (%d runs)\n",
                grids.size(), static_cast<double>(bytes) / 1024.0, times[times.size() / 2], times.front(),
                times.back(), runs);
    std::printf("checksum and decode of all, once: %.2f ms\n", whole);
    return 0;
}
