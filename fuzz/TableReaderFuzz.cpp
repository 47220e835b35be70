// The data-table reader on any bytes: lines never hold a line end or more
// than 199 characters, positions stay aligned with lines, every message is
// whole (no NUL), a lookup of any listed line gives that line's fields, and
// every refusal is a CommandError under the "File error" caption.

#include "FuzzFiles.hpp"
#include "refdata/TableFile.hpp"
#include "support/Fakes.hpp"
#include "toolkit/Errors.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

[[noreturn]] void fail(const char* what) { std::fprintf(stderr, "%s\n", what), std::abort(); }

void checkText(const std::string& text)
{
    if (text.empty()) fail("an empty message");
    if (text.find('\0') != std::string::npos) fail("a message holds a NUL");
}

void checkMessages(const kartoval::testing::FakeMessages& messages)
{
    for (const auto& shown : messages.Messages) checkText(shown.Text);
}

// Runs `call`; true when it returned, false when it refused as a table
// reader must: a CommandError with the "File error" caption and a whole message.
bool returns(const std::function<void()>& call)
{
    try {
        call();
        return true;
    } catch (const kartoval::CommandError& error) {
        if (error.Caption() != kartoval::kFileErrorCaption) fail("a refusal without the File error caption");
        checkText(error.what());
        return false;
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
    // A whole table has an entry and ends with its end marker, a line without a TAB.
    const bool whole = lines.LongLine == 0 && !lines.Failed && lines.Lines.size() >= 2 &&
                       lines.Lines.back().find('\t') == std::string::npos;

    testing::FakeMessages messages;
    const std::vector<std::string> names = ListTableNames(table, "missing", messages);
    checkMessages(messages);
    if (names.size() + 1 != lines.Lines.size() && !(names.empty() && lines.Lines.empty())) {
        fail("names and lines are not aligned");
    }

    std::vector<std::vector<std::string>> entries;
    const bool entriesRead = returns([&] { entries = ReadTableEntries(table, "missing"); });
    if (entriesRead != whole) fail("the whole table was read or refused against its lines");
    if (entriesRead && entries.size() != names.size()) fail("the entries are not the listed lines");

    for (std::size_t position = 0; position < names.size() && position < 4; ++position) {
        const int lineNumber = static_cast<int>(position) + 1;
        std::vector<std::string> fields;
        if (!returns([&] { fields = LookUpTableLine(table, lineNumber, "missing"); })) {
            if (!lines.Failed) fail("a listed line was refused");
            continue;
        }
        if (fields != SplitTableFields(lines.Lines[position])) fail("a lookup differs from its line");
        if (entriesRead && entries[position] != fields) fail("an entry differs from its lookup");
        if (fields.size() >= 2 && fields.front() != names[position]) fail("a listed name differs");
        for (std::size_t k = 1; k < fields.size() && k < 4; ++k) {
            (void)returns([&] { (void)TableNumber(fields[k], table, lineNumber, ','); });
        }
    }
    // A line past the end is refused, never read as something else.
    const int past = static_cast<int>(lines.Lines.size()) + 1;
    if (returns([&] { (void)LookUpTableLine(table, past, "missing"); })) fail("a line past the end was read");
    return 0;
}
