// A whole file conversion on any input: a run that fails creates no output
// and leaves an existing one byte for byte; a run that succeeds writes one
// line per row (a non-blank line, the header excepted); no run leaves a
// temporary file, and every message is whole.

#include "FuzzFiles.hpp"
#include "batch/FileConversion.hpp"
#include "support/Fakes.hpp"
#include "toolkit/Errors.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    static const bool tableWritten = [&] {
        fuzzing::WriteFile(folder / "ellips.txt",
                           "Clarke 1866\t6378206.4\t294.9786982\nWGS 84\t6378137\t298.257223563\nend\n");
        return true;
    }();
    (void)tableWritten;

    FileConversionSettings settings;
    settings.InputPath = (folder / "in.txt").string();
    settings.OutputPath = (folder / "out.txt").string();
    settings.EllipsoidPosition = data[0] & 1U;
    settings.Direction = (data[0] & 2U) != 0 ? ConversionDirection::UtmToDegrees : ConversionDirection::DegreesToUtm;
    settings.SkipFirstRow = (data[0] & 4U) != 0;
    settings.WestWithoutMinus = (data[0] & 8U) != 0;
    const bool outputExists = (data[0] & 16U) != 0;
    settings.ZonePosition = data[1] % 60;
    settings.SpColumn = data[2] % 4;
    settings.LonColumn = (data[2] >> 2U) % 4;
    settings.LatColumn = (data[2] >> 4U) % 4;
    const std::string_view input(reinterpret_cast<const char*>(data) + 3, size - 3);

    const std::string oldOutput = "an earlier result\n";
    std::filesystem::remove(folder / "out.txt");
    if (outputExists) fuzzing::WriteFile(folder / "out.txt", oldOutput);
    fuzzing::WriteFile(folder / "in.txt", input);

    testing::FakeMessages messages;
    testing::FakeCheck boxSkip(settings.SkipFirstRow);
    bool failed = false;
    try {
        ConvertPointFile(settings, Platform{messages, folder, ','}, boxSkip);
    } catch (const CommandError& error) {
        failed = true;
        if (std::strlen(error.what()) == 0) fail("an error without a message");
    }
    failed = failed || !messages.Messages.empty();
    for (const auto& shown : messages.Messages) {
        if (shown.Text.find('\0') != std::string::npos) fail("a message holds a NUL");
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().find(".kartoval-") != std::string::npos) fail("a temporary file is left");
    }
    const bool exists = std::filesystem::exists(folder / "out.txt");
    if (failed) {
        if (exists != outputExists) fail("a failed run created or removed the output");
        if (exists && fuzzing::ReadFile(folder / "out.txt") != oldOutput) fail("a failed run changed the output");
    } else {
        if (!exists) fail("a run without a message wrote nothing");
        if (countLines(fuzzing::ReadFile(folder / "out.txt")) != countRows(input, settings.SkipFirstRow)) {
            fail("the output's lines are not the input's rows");
        }
    }
    return 0;
}
