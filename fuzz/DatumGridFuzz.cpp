// The datum shift with a damaged grid that someone vouched for (its line in
// SHA256SUMS rewritten to match): every shift is refused or stays within the
// grid's own largest shift and margin; none is huge and silent. The input is
// a list of (offset, xor) triples applied to the compressed data (the strips)
// of the small St. Paul Island grid. (This target found PROJ 9.1.1 dividing
// by zero on a grid whose strips don't decode; such a grid is now refused
// before PROJ opens it. The TIFF header and tags are left alone: their
// parsing is libtiff's and PROJ's own, beyond what a check of ours reaches.)

#include "FuzzFiles.hpp"
#include "datum/DatumShift.hpp"
#include "datum/GridIntegrity.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/Sha256.hpp"

#include <algorithm>
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

std::uint32_t little(const std::string& bytes, std::size_t at, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t k = size; k-- > 0;) value = value << 8 | static_cast<std::uint8_t>(bytes.at(at + k));
    return value;
}

// Where the first strip starts: the smallest of the StripOffsets (tag 273,
// LONGs) of the first IFD of a little-endian TIFF.
std::size_t firstStrip(const std::string& tiff)
{
    constexpr std::uint32_t kStripOffsets = 273;
    const std::size_t ifd = little(tiff, 4, 4);
    const std::size_t entries = little(tiff, ifd, 2);
    for (std::size_t k = 0; k < entries; ++k) {
        const std::size_t entry = ifd + 2 + 12 * k;
        if (little(tiff, entry, 2) != kStripOffsets) continue;
        const std::size_t count = little(tiff, entry + 4, 4);
        const std::size_t list = count == 1 ? entry + 8 : little(tiff, entry + 8, 4);
        std::size_t first = tiff.size();
        for (std::size_t s = 0; s < count; ++s) first = std::min<std::size_t>(first, little(tiff, list + 4 * s, 4));
        return first;
    }
    fail("the grid has no strips");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int run = 0;
    static const std::size_t strips = firstStrip(shippedGrid());
    std::string grid = shippedGrid();
    for (std::size_t k = 0; k + kTripleSize <= size; k += kTripleSize) {
        const std::size_t at = strips + (std::size_t{data[k]} << 8 | data[k + 1]) % (grid.size() - strips);
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
