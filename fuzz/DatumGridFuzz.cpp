// The datum shift with a damaged grid that someone vouched for (its line in
// SHA256SUMS rewritten to match): every shift is refused or stays within the
// grid's own largest shift and margin; none is huge and silent. The input is
// a list of (offset, xor) triples applied to the small St. Paul Island grid.

#include "FuzzFiles.hpp"
#include "datum/DatumShift.hpp"
#include "datum/GridIntegrity.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/Sha256.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace kartoval;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

constexpr const char* kGrid = "us_noaa_stpaul.tif";
constexpr std::size_t kTripleSize = 3;

const std::string& shippedGrid()
{
    static const std::string bytes = fuzzing::ReadFile(std::filesystem::path(KARTOVAL_DATA_DIR) / "grids" / kGrid);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int run = 0;
    std::string grid = shippedGrid();
    for (std::size_t k = 0; k + kTripleSize <= size; k += kTripleSize) {
        const std::size_t at = (std::size_t{data[k]} << 8 | data[k + 1]) % grid.size();
        grid[at] = static_cast<char>(grid[at] ^ static_cast<char>(data[k + 2]));
    }
    // A folder of its own each run: a grid is verified once per path.
    const std::filesystem::path folder = fuzzing::ScratchFolder() / std::to_string(run++);
    std::filesystem::create_directories(folder);
    fuzzing::WriteFile(folder / kGrid, grid);
    Sha256 digest;
    digest.Update(grid);
    fuzzing::WriteFile(folder / kGridSumsFileName, digest.HexDigest() + "  " + kGrid + "\n");

    const double bound = GridsToNad83(GeodeticDatum::StPaul).front().LargestShiftMetres * 1.1 + 5.0;
    {
        DatumShifter shifter(folder);
        for (const auto& [longitude, latitude] : {std::pair(-170.25, 57.15), std::pair(-170.3, 57.18)}) {
            for (const bool forward : {true, false}) {
                try {
                    const DatumShiftResult result =
                        forward ? shifter.Shift(GeodeticDatum::StPaul, GeodeticDatum::Nad83, longitude, latitude)
                                : shifter.Shift(GeodeticDatum::Nad83, GeodeticDatum::StPaul, longitude, latitude);
                    if (!(std::hypot(result.NorthMetres, result.EastMetres) <= bound)) fail("a huge shift passed");
                } catch (const CommandError&) {
                    // refused: what a damaged grid must give
                }
            }
        }
    }
    std::filesystem::remove_all(folder);
    return 0;
}
