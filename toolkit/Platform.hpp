#pragma once
// What a command needs of the running program besides its page's controls.

#include "toolkit/Controls.hpp"

#include <filesystem>

namespace kartoval {

struct Platform {
    MessageBoxes& Messages;
    std::filesystem::path DataFolder;  // where ellips.txt, nad27.txt and nad83.txt are read
    char DecimalSeparator = '.';       // the user's locale's, for the edit boxes

    [[nodiscard]] std::filesystem::path DataFile(const char* fileName) const { return DataFolder / fileName; }
};

inline constexpr const char* kFileErrorCaption = "File error";
// The program's name: its window title and the caption of its own messages
// and questions that are not about a data file.
inline constexpr const char* kProgramCaption = "Kartoval";

}  // namespace kartoval
