#include "datum/GridIntegrity.hpp"

#include "toolkit/NumberText.hpp"
#include "toolkit/Sha256.hpp"
#include "toolkit/VisibleText.hpp"

#include <cmath>

namespace kartoval {
namespace {

// A shipped grid's largest shift is sampled at its nodes, where the
// bilinear interpolation peaks; a tenth more and 5 m leave room for a
// re-issued grid of the same region and still catch any decoding gone wrong.
constexpr double kShiftMarginFactor = 1.1;
constexpr double kShiftMarginMetres = 5.0;

}  // namespace

std::string GridFileName(const std::filesystem::path& file)
{
    // Appended: GCC 12's -O2 sees a false overlap in "\"" + std::string&&.
    std::string text(1, '"');
    text += VisibleText(file.string());
    text += '"';
    return text;
}

std::string GridChecksumProblem(const std::filesystem::path& file)
{
    const std::filesystem::path sumsPath = file.parent_path() / kGridSumsFileName;
    const std::optional<ChecksumList> sums = ReadChecksumList(sumsPath);
    if (!sums) {
        return "The checksum list " + GridFileName(sumsPath) + " is missing, so the datum shift grid file " + GridFileName(file) +
               " can't be verified; reinstall Kartoval to restore it.";
    }
    const auto listed = sums->find(file.filename().string());
    if (listed == sums->end()) {
        return "The datum shift grid file " + GridFileName(file) + " has no line in " + GridFileName(sumsPath) +
               ", so it can't be verified. Reinstall Kartoval, or, for a grid of your own, add its line "
               "(sha256sum " +
               file.filename().string() + " >> " + kGridSumsFileName + ").";
    }
    const std::string& expected = listed->second;
    const std::optional<std::string> actual = FileSha256(file);
    if (!actual) return "The datum shift grid file " + GridFileName(file) + " can't be read.";
    if (*actual != expected) {
        return "The datum shift grid file " + GridFileName(file) +
               " does not match its checksum: the file is damaged; reinstall Kartoval.";
    }
    return {};
}

std::string ShiftSizeProblem(const ShiftGrid& grid, const std::filesystem::path& file, double northMetres,
                             double eastMetres)
{
    const double shift = std::hypot(northMetres, eastMetres);
    const double bound = grid.LargestShiftMetres * kShiftMarginFactor + kShiftMarginMetres;
    if (shift <= bound) return {};  // a NaN shift fails here too
    return "The datum shift grid file " + GridFileName(file) + " gave a shift of " + FloatToStr(shift) +
           " m, where it never shifts more than " + FloatToStr(grid.LargestShiftMetres) +
           " m: the file is damaged; reinstall Kartoval.";
}

}  // namespace kartoval
