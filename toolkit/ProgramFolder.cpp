#include "toolkit/ProgramFolder.hpp"

#include <system_error>

namespace kartoval {

std::filesystem::path ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || self.empty()) return std::filesystem::current_path(error);
    return self.parent_path();
}

}  // namespace kartoval
