// The data-table reader on any bytes: lines never hold a line end or more
// than 199 characters, positions stay aligned with lines, every message is
// whole (no NUL), and a lookup of any listed line gives that line's fields.

#include "FuzzFiles.hpp"
#include "refdata/TableFile.hpp"
#include "support/Fakes.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

[[noreturn]] void fail(const char* what) { std::fprintf(stderr, "%s\n", what), std::abort(); }

void checkMessages(const kartoval::testing::FakeMessages& messages)
{
    for (const auto& shown : messages.Messages) {
        if (shown.Text.find('\0') != std::string::npos) fail("a message holds a NUL");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kartoval;
    const std::filesystem::path table = fuzzing::ScratchFolder() / "table.txt";
    fuzzing::WriteFile(table, std::string_view(reinterpret_cast<const char*>(data), size));

    const TableLines lines = ReadTableLines(table);
    if (!lines.Opened) fail("the table didn't open");
    for (const std::string& line : lines.Lines) {
        if (line.size() > kMaxTableLineLength) fail("a line passes the limit");
        if (line.find_first_of("\r\n") != std::string::npos) fail("a line holds a line end");
    }
    if (lines.LongLine != 0 && lines.LongLine != lines.Lines.size() + 1) fail("the long line is misnumbered");

    testing::FakeMessages messages;
    const std::vector<std::string> names = ListTableNames(table, "missing", messages);
    checkMessages(messages);
    if (names.size() + 1 != lines.Lines.size() && !(names.empty() && lines.Lines.empty())) {
        fail("names and lines are not aligned");
    }
    for (std::size_t position = 0; position < names.size() && position < 4; ++position) {
        testing::FakeMessages lookUp;
        const int lineNumber = static_cast<int>(position) + 1;
        const auto fields = LookUpTableLine(table, lineNumber, "missing", lookUp);
        checkMessages(lookUp);
        if (!fields || *fields != SplitTableFields(lines.Lines[position])) fail("a lookup differs from its line");
        if (fields->size() >= 2 && fields->front() != names[position]) fail("a listed name differs");
        for (std::size_t k = 1; k < fields->size() && k < 4; ++k) {
            (void)TableNumber((*fields)[k], table, lineNumber, ',', lookUp);
        }
        checkMessages(lookUp);
    }
    return 0;
}
