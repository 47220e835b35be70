#pragma once
// The output of a run: one line per row, "shot point TAB value TAB value LF",
// every number in fixed notation with six decimals and a point, whatever the
// user's locale, so the file reads back anywhere.

#include "batch/AtomicFileWriter.hpp"
#include "batch/FileConversion.hpp"

namespace kartoval {

// Writes the lines of every row of the table, in row order, to `output`, a
// bounded chunk at a time. Throws OutputFileError when a write fails.
void WritePointLines(const PointTable& table, AtomicFileWriter& output);

}  // namespace kartoval
