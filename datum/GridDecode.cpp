#include "datum/GridIntegrity.hpp"

#include "toolkit/VisibleText.hpp"

#include <tiffio.h>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <set>
#include <vector>

// The grids' decoding through the TIFF library that PROJ reads them with:
// built into the datum engine alone, beside PROJ, so a program that shifts no
// datum never maps the TIFF library.

namespace kartoval {
namespace {

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
    if (std::string problem = GridChecksumProblem(file); !problem.empty()) return problem;
    CaptureGridDecoderMessages();
    if (const std::string problem = undecodable(file); !problem.empty()) {
        // The decoder's own words, where it gave some, say best what is wrong.
        if (std::string words = GridDecodeProblem(file); !words.empty()) return words;
        return "The datum shift grid file " + GridFileName(file) + " matches its checksum but " + problem +
               ": the file is damaged; reinstall Kartoval.";
    }
    verified.insert(file);
    return {};
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
    return "The datum shift grid file " + GridFileName(file) + " can't be decoded (" + VisibleText(error) +
           "): the file is damaged; reinstall Kartoval.";
}

}  // namespace kartoval
