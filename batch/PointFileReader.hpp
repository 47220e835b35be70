#pragma once
// The two passes over a point file: the count pass, which refuses a file
// before anything is done with it, and the read pass, which fills the table.

#include "batch/FileConversion.hpp"

#include <filesystem>

namespace kartoval {

// Checks that every line has at most 199 characters and that there is at
// least one row (a non-blank line, the header excepted) and no more than the
// table holds; a UTF-16 file is refused by name. Lines end at LF, CR LF or a
// lone CR; a UTF-8 byte-order mark is skipped. Shows the reason, naming the
// file and the line, and gives false when the file is refused.
[[nodiscard]] bool CountPointFile(const std::filesystem::path& input, bool skipFirstRow, MessageBoxes& messages);

// Reads every row into `table`. With SkipFirstRow the first line is
// discarded, whatever it holds. Blank lines carry no
// point. Gives false after a message (a line without a selected column, or a
// file that changed since it was counted); throws ConvertError "Line N: ..."
// for a selected field that is not a number.
[[nodiscard]] bool ReadPointFile(const std::filesystem::path& input, const FileConversionSettings& settings,
                                 const Platform& platform, PointTable& table);

// How a message names the input: as the user typed it, control and invisible
// characters shown by name.
[[nodiscard]] std::string InputName(const std::filesystem::path& input);

}  // namespace kartoval
