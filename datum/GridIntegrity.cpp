#include "datum/GridIntegrity.hpp"

#include "toolkit/NumberText.hpp"
#include "toolkit/Sha256.hpp"
#include "toolkit/VisibleText.hpp"

#include <tiffio.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <array>
#include <mutex>
#include <set>
#include <vector>

namespace kartoval {
namespace {

// A shipped grid's largest shift is sampled at its nodes, where the
// bilinear interpolation peaks; a tenth more and 5 m leave room for a
// re-issued grid of the same region and still catch any decoding gone wrong.
constexpr double kShiftMarginFactor = 1.1;
constexpr double kShiftMarginMetres = 5.0;

std::string quoted(const std::filesystem::path& file)
{
    // Appended: GCC 12's -O2 sees a false overlap in "\"" + std::string&&.
    std::string text(1, '"');
    text += VisibleText(file.string());
    text += '"';
    return text;
}

constexpr std::size_t kDecoderMessageLength = 240;

std::mutex decoderMutex;
std::string decoderError;  // the first message since the last GridDecodeProblem

extern "C" void keepDecoderError(const char* module, const char* format, va_list arguments)
{
    std::array<char, kDecoderMessageLength> text{};
    std::vsnprintf(text.data(), text.size(), format, arguments);
    const std::lock_guard lock(decoderMutex);
    if (decoderError.empty()) decoderError = std::string(module != nullptr ? module : "TIFF") + ": " + text.data();
}

// Every strip or tile of every image of the grid decodes. PROJ 9.1 goes on
// with a grid whose data fails to decode and then reads what it never filled
// (found by fuzzing: a division by zero in PROJ), so a grid is decoded whole
// once before PROJ opens it. The decoder's own words are kept for the message.
constexpr tmsize_t kLargestBlock = tmsize_t{64} << 20;

std::string undecodable(const std::filesystem::path& file)
{
    TIFF* tiff = TIFFOpen(file.c_str(), "r");
    if (tiff == nullptr) return "it is no TIFF file";
    std::string problem;
    std::vector<char> buffer;
    do {
        const bool tiled = TIFFIsTiled(tiff) != 0;
        const tmsize_t size = tiled ? TIFFTileSize(tiff) : TIFFStripSize(tiff);
        const std::uint32_t blocks = tiled ? TIFFNumberOfTiles(tiff) : TIFFNumberOfStrips(tiff);
        if (size <= 0 || size > kLargestBlock) {
            problem = "its image layout is impossible";
            break;
        }
        buffer.resize(static_cast<std::size_t>(size));
        for (std::uint32_t block = 0; block < blocks && problem.empty(); ++block) {
            const tmsize_t got = tiled ? TIFFReadEncodedTile(tiff, block, buffer.data(), size)
                                       : TIFFReadEncodedStrip(tiff, block, buffer.data(), size);
            if (got < 0) problem = "its data can't be decoded";
        }
    } while (problem.empty() && TIFFReadDirectory(tiff) != 0);
    TIFFClose(tiff);
    return problem;
}

}  // namespace

std::string GridFileProblem(const std::filesystem::path& file)
{
    static std::mutex mutex;
    static std::set<std::filesystem::path> verified;
    const std::lock_guard lock(mutex);
    if (verified.contains(file)) return {};

    const std::filesystem::path sumsPath = file.parent_path() / kGridSumsFileName;
    const std::optional<ChecksumList> sums = ReadChecksumList(sumsPath);
    if (!sums) {
        return "The checksum list " + quoted(sumsPath) + " is missing, so the datum shift grid file " + quoted(file) +
               " can't be verified; reinstall Kartoval to restore it.";
    }
    const auto listed = sums->find(file.filename().string());
    if (listed == sums->end()) {
        return "The datum shift grid file " + quoted(file) + " has no line in " + quoted(sumsPath) +
               ", so it can't be verified. Reinstall Kartoval, or, for a grid of your own, add its line "
               "(sha256sum " +
               file.filename().string() + " >> " + kGridSumsFileName + ").";
    }
    const std::string& expected = listed->second;
    const std::optional<std::string> actual = FileSha256(file);
    if (!actual) return "The datum shift grid file " + quoted(file) + " can't be read.";
    if (*actual != expected) {
        return "The datum shift grid file " + quoted(file) +
               " does not match its checksum: the file is damaged; reinstall Kartoval.";
    }
    CaptureGridDecoderMessages();
    if (const std::string problem = undecodable(file); !problem.empty()) {
        (void)GridDecodeProblem(file);  // the decoder's message belongs to this check
        return "The datum shift grid file " + quoted(file) + " matches its checksum but " + problem +
               ": the file is damaged; reinstall Kartoval.";
    }
    verified.insert(file);
    return {};
}

std::string ShiftSizeProblem(const ShiftGrid& grid, const std::filesystem::path& file, double northMetres,
                             double eastMetres)
{
    const double shift = std::hypot(northMetres, eastMetres);
    const double bound = grid.LargestShiftMetres * kShiftMarginFactor + kShiftMarginMetres;
    if (shift <= bound) return {};  // a NaN shift fails here too
    return "The datum shift grid file " + quoted(file) + " gave a shift of " + FloatToStr(shift) +
           " m, where it never shifts more than " + FloatToStr(grid.LargestShiftMetres) +
           " m: the file is damaged; reinstall Kartoval.";
}

void CaptureGridDecoderMessages()
{
    TIFFSetErrorHandler(keepDecoderError);
    TIFFSetWarningHandler(nullptr);
}

std::string GridDecodeProblem(const std::filesystem::path& file)
{
    std::string error;
    {
        const std::lock_guard lock(decoderMutex);
        std::swap(error, decoderError);
    }
    if (error.empty()) return {};
    while (!error.empty() && (error.back() == '.' || error.back() == '\n')) error.pop_back();
    return "The datum shift grid file " + quoted(file) + " can't be decoded (" + VisibleText(error) +
           "): the file is damaged; reinstall Kartoval.";
}

}  // namespace kartoval
