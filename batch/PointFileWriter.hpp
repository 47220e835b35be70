#pragma once
// The output of a run: one line per row, "shot point TAB value TAB value LF",
// every number in fixed notation with six decimals and a point, whatever the
// user's locale, so the file reads back anywhere.

#include "batch/AtomicFileWriter.hpp"
#include "batch/FileConversion.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kartoval {

// The lines of every row of the table, in row order.
[[nodiscard]] std::string FormatPointLines(const PointTable& table);

// Writes the lines of every row of the table, in row order, to `output`, a
// bounded chunk at a time. Throws OutputFileError when a write fails.
void WritePointLines(const PointTable& table, AtomicFileWriter& output);

// Makes `content` the content of the file `target`: written to a new file in
// the target's folder and renamed over the target only once complete, so a
// failure leaves the target as it was. An existing target keeps its
// permissions; a link is followed to the file it names. Gives the reason when
// the file can't be written, nothing on success.
[[nodiscard]] std::optional<std::string> ReplaceFileContent(const std::filesystem::path& target,
                                                            std::string_view content);

}  // namespace kartoval
