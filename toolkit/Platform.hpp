#pragma once
// What a command needs of the running program besides its page's controls.

#include "toolkit/Controls.hpp"
#include "toolkit/Errors.hpp"

#include <filesystem>

namespace kartoval {

struct Platform {
    MessageBoxes& Messages;
    std::filesystem::path DataFolder;  // where ellips.txt, nad27.txt and nad83.txt are read
    char DecimalSeparator = '.';       // the user's locale's, for the edit boxes

    [[nodiscard]] std::filesystem::path DataFile(const char* fileName) const { return DataFolder / fileName; }
};

}  // namespace kartoval
