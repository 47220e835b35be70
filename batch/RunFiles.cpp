#include "batch/RunFiles.hpp"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace kartoval {

std::optional<std::string> UnreadableReason(const std::filesystem::path& input)
{
    if (input.empty()) return "No input file is named.";
    // A pipe or a device would block or never end: only a plain file is read.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(input, error);
    if (std::filesystem::is_directory(status)) return "It is a folder.";
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) return "It is no plain file.";
    errno = 0;
    std::FILE* file = std::fopen(input.c_str(), "rb");
    if (file == nullptr) {
        const int reason = errno;
        return reason != 0 ? std::generic_category().message(reason) : std::string("It can't be opened.");
    }
    std::fclose(file);
    return std::nullopt;
}

bool NamesSameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    const bool same = std::filesystem::equivalent(a, b, error);
    return !error && same;
}

std::string FullPath(const std::filesystem::path& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute).string();
}

}  // namespace kartoval
