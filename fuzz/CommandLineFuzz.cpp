// kartoval-convert whole: options drawn from its own vocabulary, and any
// input. Every run ends with an exit status of 0 to 3, leaves no temporary
// file, and a run that fails (status 2 or 3, or 1 without --keep-going)
// leaves the old output byte for byte. File names are only the scratch
// folder's own, so nothing outside it is ever written.
//
// Input: one byte, the number of words (up to 15); a byte per word choosing
// it from kWords; the rest is the input file.

#include "FuzzFiles.hpp"
#include "cli/ConvertCommand.hpp"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

constexpr std::size_t kMostWords = 15;
const std::string kOld = "old output\n";

const std::array kWords = {
    "--from", "--to", "geo", "geo:nad27", "geo:nad83", "utm:29N", "utm:14N:nad27", "utm:14N:nad83",
    "nad27:Texas South Central", "nad83:California zone 3", "EPSG:32040", "EPSG:26943", "EPSG:4267",
    "EPSG:32629", "--ellipsoid", "Clarke 1866", "--x", "--y", "A", "B", "C", "3", "--delimiter", "comma",
    "tab", "whitespace", "--header", "1", "0", "--west-positive", "--decimals", "12", "--dms", "--factors",
    "--report-shift", "--keep-going", "--in-place", "--max-line", "64", "--check-data", "--list-zones",
    "--list-ellipsoids", "-", "IN", "OUT", "--", "--help", "=",
};

bool leftTemporary(const std::filesystem::path& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename().string().find(".kartoval-") != std::string::npos) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kartoval;
    if (size == 0) return 0;
    const std::size_t count = std::min<std::size_t>(data[0] % (kMostWords + 1), size - 1);
    const std::filesystem::path folder = fuzzing::ScratchFolder();
    const std::string in = (folder / "in.txt").string();
    const std::string out = (folder / "out.txt").string();
    std::vector<std::string> arguments;
    bool keepGoing = false;
    for (std::size_t k = 0; k < count; ++k) {
        std::string word = kWords[data[1 + k] % kWords.size()];
        if (word == "IN") word = in;
        if (word == "OUT") word = out;
        if (word == "=" && !arguments.empty()) {
            arguments.back() += "=";  // --option=value, glued to the next word
            continue;
        }
        keepGoing = keepGoing || word == "--keep-going";
        if (!arguments.empty() && arguments.back().ends_with("=")) arguments.back() += word;
        else arguments.push_back(word);
    }
    const std::string_view input(reinterpret_cast<const char*>(data) + 1 + count, size - 1 - count);
    fuzzing::WriteFile(in, input);
    fuzzing::WriteFile(out, kOld);

    std::FILE* stdinFile = std::tmpfile();
    std::FILE* stdoutFile = std::tmpfile();
    std::FILE* stderrFile = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), stdinFile);
    std::rewind(stdinFile);
    const int status =
        RunConvertCommand(arguments, {stdinFile, stdoutFile, stderrFile, false}, KARTOVAL_DATA_DIR);
    std::fclose(stdinFile);
    std::fclose(stdoutFile);
    std::fclose(stderrFile);

    if (status < 0 || status > 3) fail("exit status outside 0..3");
    if (leftTemporary(folder)) fail("a temporary file was left");
    const bool failed = status >= 2 || (status == 1 && !keepGoing);
    if (failed && fuzzing::ReadFile(out) != kOld) fail("a failed run changed the output");
    return 0;
}
