#pragma once
// The one reader of the data tables (ellips.txt, nad27.txt, nad83.txt).
//
// A table is plain text, one entry a line, fields separated by TAB. Blanks
// (codes 32 and below) are trimmed from the line, from each field and from the
// rest of the line before each further field, so a run of tabs and blanks is
// one separator and blanks inside a field stay. A line ends at LF, CR LF or a
// lone CR (mixed too); a UTF-8 byte-order mark at the start is skipped. A line
// holds at most 199 characters besides its end, and a longer one is refused
// as soon as it passes the limit, never read whole. The last line of a table is an end
// marker and is never listed: N lines give N - 1 entries. List position p is
// line p + 1.

#include "toolkit/Controls.hpp"
#include "toolkit/VisibleText.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kartoval {

inline constexpr std::size_t kMaxTableLineLength = 199;

struct TableLines {
    bool Opened = false;
    std::vector<std::string> Lines;  // without their line ends
    std::uint64_t LongLine = 0;      // number of the over-long line that ended the reading, 0 if none
    bool Failed = false;             // a read error ended the reading
};

// Reads lines until the end of the file, an over-long line, or `maxLines` lines.
[[nodiscard]] TableLines ReadTableLines(const std::filesystem::path& path, std::size_t maxLines = SIZE_MAX);

// The fields of one line by the trimming rules above. A line without a TAB
// gives one field (or none when it is blank): it has no values.
[[nodiscard]] std::vector<std::string> SplitTableFields(std::string_view line);

// The listed names of a table (lines 1 to N - 1), a line without a TAB giving
// an empty name so that positions and lines stay aligned. When the file can't
// be opened, shows `missingMessage` (caption "File error") and gives nothing;
// when an over-long line ends the reading, says so, naming the file and line.
[[nodiscard]] std::vector<std::string> ListTableNames(const std::filesystem::path& path,
                                                      const std::string& missingMessage, MessageBoxes& messages);

// Line `lineNumber` (from 1; 0 and below read line 1) split into fields, for a
// lookup. Throws CommandError with the caption "File error": `missingMessage`
// when the file can't be opened, a message naming the file and line when the
// line is not there or is over-long.
[[nodiscard]] std::vector<std::string> LookUpTableLine(const std::filesystem::path& path, int lineNumber,
                                                       const std::string& missingMessage);

// Every listed line (1 to N - 1) of a table split into fields, for a reader of
// the whole table; throws as LookUpTableLine does, and also for a table that
// is empty, has no entries, or ends with an entry instead of its end marker
// (cut short).
[[nodiscard]] std::vector<std::vector<std::string>> ReadTableEntries(const std::filesystem::path& path,
                                                                     const std::string& missingMessage);

// "<path>, line <n>": how the messages about a table line name it.
[[nodiscard]] std::string TableLineName(const std::filesystem::path& path, int lineNumber);

// A number field of a table line: the point is the separator (the user's own
// is accepted as well). A field that is not a number is a damaged table: a
// CommandError with the caption "File error" names the file, the line and the text.
[[nodiscard]] double TableNumber(const std::string& field, const std::filesystem::path& path, int lineNumber,
                                 char decimalSeparator);

// When the last of `entries` has the name (case aside) of an earlier one: the
// File error naming both lines. `what` is "zone", "ellipsoid". Entry k is on line k + 1.
template <typename Entry>
void RefuseRepeatedName(const std::vector<Entry>& entries, const std::filesystem::path& path, const char* what);

// A data problem: the error with the caption "File error".
[[noreturn]] void ThrowFileError(const std::string& message);

[[nodiscard]] bool SameTableName(std::string_view a, std::string_view b);

template <typename Entry>
void RefuseRepeatedName(const std::vector<Entry>& entries, const std::filesystem::path& path, const char* what)
{
    if (entries.empty()) return;
    const std::string& name = entries.back().Name;
    for (std::size_t k = 0; k + 1 < entries.size(); ++k) {
        if (SameTableName(entries[k].Name, name)) {
            ThrowFileError(TableLineName(path, static_cast<int>(entries.size())) + ": the " + what + " name " +
                           QuotedField(name) + " is also on line " + std::to_string(k + 1) +
                           "; each " + what + " needs a name of its own.");
        }
    }
}

}  // namespace kartoval
