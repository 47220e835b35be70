#pragma once
// The guards around a run's two files, shared by the File page and
// kartoval-convert: the input must be a plain readable file, the output may
// be the input only when asked, and the output goes through an
// AtomicFileWriter.

#include "batch/AtomicFileWriter.hpp"
#include "batch/BatchRun.hpp"

#include <filesystem>
#include <optional>
#include <string>

namespace kartoval {

// Why the input can't be read, in the system's words ("It is a folder.", "No
// such file or directory"); nothing when it can.
[[nodiscard]] std::optional<std::string> UnreadableReason(const std::filesystem::path& input);

// True when both names reach the same existing file.
[[nodiscard]] bool NamesSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The absolute form of a path for messages (the path itself when that fails).
[[nodiscard]] std::string FullPath(const std::filesystem::path& path);

// A run's output written through an AtomicFileWriter.
class WriterOutput : public BatchOutput {
public:
    explicit WriterOutput(AtomicFileWriter& writer) : writer_(writer) {}
    void Write(std::string_view chunk) override { writer_.Write(chunk); }

private:
    AtomicFileWriter& writer_;
};

}  // namespace kartoval
