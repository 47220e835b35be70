// A whole file conversion on any input, to and from UTM and State Plane: a
// run that fails creates no output and leaves an existing one byte for byte;
// a run that succeeds writes one line per row (a non-blank line, the header
// excepted) and counts them in its summary; no run leaves a temporary file,
// and every message is whole.

#include "FuzzFiles.hpp"
#include "batch/FileConversion.hpp"
#include "support/Fakes.hpp"
#include "toolkit/Errors.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

[[noreturn]] void fail(const char* what) { std::fprintf(stderr, "%s\n", what), std::abort(); }

// The rows of `input` counted on their own: lines end at LF, CR LF or CR, a
// UTF-8 byte-order mark is no text, and a line of bytes up to 32 is blank.
std::size_t countRows(std::string_view input, bool skipFirstRow)
{
    if (input.starts_with("\xEF\xBB\xBF")) input.remove_prefix(3);
    std::size_t rows = 0;
    std::size_t lineNumber = 0;
    std::size_t i = 0;
    while (i < input.size()) {
        const std::size_t start = i;
        while (i < input.size() && input[i] != '\n' && input[i] != '\r') ++i;
        const std::string_view line = input.substr(start, i - start);
        if (i < input.size() && input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n') ++i;
        if (i < input.size()) ++i;
        ++lineNumber;
        const bool blank =
            std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; });
        if (!blank && !(skipFirstRow && lineNumber == 1)) ++rows;
    }
    return rows;
}

std::size_t countLines(const std::string& output)
{
    return static_cast<std::size_t>(std::count(output.begin(), output.end(), '\n'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kartoval;
    if (size < 3) return 0;
    const std::filesystem::path folder = fuzzing::ScratchFolder();
    static const bool tablesWritten = [&] {
        fuzzing::WriteFile(folder / "ellips.txt",
                           "Clarke 1866\t6378206.4\t294.9786982\nWGS 84\t6378137\t298.257223563\nend\n");
        // The State Plane zones are the program's own tables.
        for (const char* name : {"nad27.txt", "nad83.txt"}) {
            std::filesystem::copy_file(std::filesystem::path(KARTOVAL_DATA_DIR) / name, folder / name,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        return true;
    }();
    (void)tablesWritten;

    constexpr XyProjectionKind kFamilies[] = {XyProjectionKind::UtmNorth, XyProjectionKind::UtmSouth,
                                              XyProjectionKind::Nad27, XyProjectionKind::Nad83};
    FileConversionSettings settings;
    settings.InputPath = (folder / "in.txt").string();
    settings.OutputPath = (folder / "out.txt").string();
    settings.EllipsoidPosition = data[0] & 1U;
    settings.Direction = (data[0] & 2U) != 0 ? ConversionDirection::UtmToDegrees : ConversionDirection::DegreesToUtm;
    settings.SkipFirstRow = (data[0] & 4U) != 0;
    settings.WestWithoutMinus = (data[0] & 8U) != 0;
    const bool outputExists = (data[0] & 16U) != 0;
    settings.Family = kFamilies[(data[0] >> 5U) & 3U];
    // UTM zones 1 to 60; the State Plane tables list about 130 zones each.
    settings.ZonePosition = IsUtm(settings.Family) ? data[1] % 60 : data[1] % 132;
    settings.SpColumn = data[2] % 4;
    settings.LonColumn = (data[2] >> 2U) % 4;
    settings.LatColumn = (data[2] >> 4U) % 4;
    const char separator = (data[2] & 64U) != 0 ? ',' : '.';
    const std::string_view input(reinterpret_cast<const char*>(data) + 3, size - 3);

    const std::string oldOutput = "an earlier result\n";
    std::filesystem::remove(folder / "out.txt");
    if (outputExists) fuzzing::WriteFile(folder / "out.txt", oldOutput);
    fuzzing::WriteFile(folder / "in.txt", input);

    testing::FakeMessages messages;
    testing::FakeCheck boxSkip(settings.SkipFirstRow);
    std::optional<FileRunSummary> summary;
    bool thrown = false;
    try {
        summary = ConvertPointFile(settings, Platform{messages, folder, separator}, boxSkip);
    } catch (const CommandError& error) {
        thrown = true;
        if (std::strlen(error.what()) == 0) fail("an error without a message");
    }
    for (const auto& shown : messages.Messages) {
        if (shown.Text.empty() || shown.Text.find('\0') != std::string::npos) fail("a message is empty or holds a NUL");
    }
    // A run ends one way: a summary without a word, or a message or an error without one.
    if (summary && (!messages.Messages.empty() || thrown)) fail("a completed run also reported a failure");
    if (!summary && !thrown && messages.Messages.empty()) fail("a run ended early without saying why");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().find(".kartoval-") != std::string::npos) fail("a temporary file is left");
    }
    const bool exists = std::filesystem::exists(folder / "out.txt");
    if (!summary) {
        if (exists != outputExists) fail("a failed run created or removed the output");
        if (exists && fuzzing::ReadFile(folder / "out.txt") != oldOutput) fail("a failed run changed the output");
        if (boxSkip.Checked != settings.SkipFirstRow) fail("a failed run cleared Skip first row");
    } else {
        if (!exists) fail("a completed run wrote nothing");
        const std::size_t lines = countLines(fuzzing::ReadFile(folder / "out.txt"));
        if (lines != countRows(input, settings.SkipFirstRow)) fail("the output's lines are not the input's rows");
        if (lines != static_cast<std::size_t>(summary->Points)) fail("the summary miscounts the points");
        if (boxSkip.Checked) fail("Skip first row stayed checked after a completed run");
    }
    return 0;
}
