#include "batch/PointFileWriter.hpp"

#include "batch/PointNumberText.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#include <unistd.h>

namespace kartoval {
namespace {

// About the longest line of three ordinary numbers, to size the output once.
constexpr std::size_t kTypicalLineLength = 48;
constexpr int kTempNameAttempts = 16;

std::string errnoText(int error) { return std::strerror(error); }

// Removes the half-made file unless it has been renamed into place.
class TempFile {
public:
    explicit TempFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~TempFile()
    {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::filesystem::path path_;
};

// Creates a file of a new name beside `target`; never opens an existing one.
std::FILE* createBeside(const std::filesystem::path& target, std::filesystem::path& created, int& error)
{
    std::random_device random;
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        std::string name = ".";
        name += target.filename().string();
        name += ".kartoval-";
        name += std::to_string(random());
        std::filesystem::path candidate = target;
        candidate.replace_filename(name);
        std::FILE* file = std::fopen(candidate.c_str(), "wbx");
        if (file != nullptr) {
            created = candidate;
            return file;
        }
        error = errno;
        if (error != EEXIST) return nullptr;
    }
    return nullptr;
}

}  // namespace

std::string FormatPointLines(const PointTable& table)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(table.RowCount()) * kTypicalLineLength);
    for (int k = 1; k <= table.RowCount(); ++k) {
        const FilePoint& point = table.Record(k);
        AppendPointNumber(out, point.ShotPoint);
        out += '\t';
        AppendPointNumber(out, point.Lon);
        out += '\t';
        AppendPointNumber(out, point.Lat);
        out += '\n';
    }
    return out;
}

std::optional<std::string> ReplaceFileContent(const std::filesystem::path& target, std::string_view content)
{
    if (target.empty()) return "no file name was given";
    std::error_code error;
    std::filesystem::path destination = target;
    if (std::filesystem::is_symlink(destination, error)) {
        destination = std::filesystem::weakly_canonical(target, error);
        if (error) return error.message();
    }
    if (std::filesystem::is_directory(destination, error)) return "it is a folder";
    // The new content is renamed into place, which only needs the folder's
    // permission: ask for the file's own, as writing it in place would.
    if (std::filesystem::exists(destination, error) && ::access(destination.c_str(), W_OK) != 0) {
        return errnoText(errno);
    }

    std::filesystem::path created;
    int createError = 0;
    std::FILE* file = createBeside(destination, created, createError);
    if (file == nullptr) return errnoText(createError);
    TempFile temp(created);

    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) return errnoText(written ? errno : writeError);

    const std::filesystem::file_status existing = std::filesystem::status(destination, error);
    if (!error && std::filesystem::exists(existing)) {
        std::filesystem::permissions(temp.Path(), existing.permissions(), error);
        if (error) return error.message();
    }
    std::filesystem::rename(temp.Path(), destination, error);
    if (error) return error.message();
    temp.Keep();
    return std::nullopt;
}

}  // namespace kartoval
