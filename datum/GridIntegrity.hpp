#pragma once
// A grid is trusted only when its bytes are the ones listed for it in the
// grid folder's SHA256SUMS (the `sha256sum` format: digest, two blanks, file
// name). A damaged grid file decodes to shifts that look like any other, or to
// none; the sum catches both before PROJ reads a byte of it. Someone who adds
// or replaces a grid adds its line: `sha256sum my_grid.tif >> SHA256SUMS`.

#include "datum/ShiftGrids.hpp"

#include <filesystem>
#include <string>

namespace kartoval {

inline constexpr const char* kGridSumsFileName = "SHA256SUMS";

// What is wrong with the grid file `file` (its folder holding SHA256SUMS), as
// a whole sentence naming the file; empty when its digest matches its line.
[[nodiscard]] std::string GridChecksumProblem(const std::filesystem::path& file);

// GridChecksumProblem, then the whole grid decoded once (GridDecode.cpp, in
// the datum engine beside PROJ): a file that passed is not read again in this
// process.
[[nodiscard]] std::string GridFileProblem(const std::filesystem::path& file);

// The file's name as messages quote it.
[[nodiscard]] std::string GridFileName(const std::filesystem::path& file);

// A shift (metres) beyond what `grid` holds anywhere, plus a margin, can only
// come from damaged data: the sentence saying so, naming `file`; empty for a
// plausible shift.
[[nodiscard]] std::string ShiftSizeProblem(const ShiftGrid& grid, const std::filesystem::path& file,
                                           double northMetres, double eastMetres);

// From now on the TIFF library that PROJ reads the grids with keeps its
// messages for GridDecodeProblem instead of printing them on standard error.
void CaptureGridDecoderMessages();

// When the TIFF library failed to decode part of `file` since the last call:
// the sentence saying the file is damaged, with the library's own words;
// empty otherwise. Such a failure reads as "outside the grid" to PROJ, so it
// is asked after every shift, and a damaged grid is never passed over.
[[nodiscard]] std::string GridDecodeProblem(const std::filesystem::path& file);

}  // namespace kartoval
