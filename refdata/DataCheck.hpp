#pragma once
// Whether the data tables are the ones shipped with Kartoval. The data folder
// holds SHA256SUMS (the `sha256sum` format) of the shipped tables. A table
// that differs is still used, since users may add ellipsoids and zones, but
// the program says so; a table that differs and can't be read is damaged.

#include "toolkit/Platform.hpp"

#include <string>
#include <vector>

namespace kartoval {

inline constexpr const char* kDataSumsFileName = "SHA256SUMS";

enum class DataState { Shipped, Changed, Damaged, Missing };

struct DataFileCheck {
    std::string File;    // "nad27.txt", "SHA256SUMS"
    DataState State = DataState::Shipped;
    std::string Detail;  // why a table is damaged: the error its reader gives
};

// "shipped", "changed", "damaged", "missing".
[[nodiscard]] const char* DataStateName(DataState state);

// Each table of the data folder (ellips.txt, nad27.txt, nad83.txt,
// zone_codes.txt) and the checksum list itself, read whole when it differs
// from the shipped one. Without the list no table counts as shipped.
[[nodiscard]] std::vector<DataFileCheck> CheckDataTables(const Platform& platform);

// The tables that are there and differ from the shipped ones, by digest
// alone (no table is read): "nad27.txt differs from the table shipped with
// Kartoval <version>", one sentence each.
[[nodiscard]] std::vector<std::string> ChangedTableNotes(const std::filesystem::path& dataFolder,
                                                         const std::string& version);

}  // namespace kartoval
