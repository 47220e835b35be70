#pragma once
// The output of a run, written so that it is either complete or not there:
// the content goes to a new file beside the target and is renamed over the
// target only at Commit, once it is on disk. A run that fails, throws or is
// abandoned leaves the target as it was and no temporary file behind.
//
// The target must be a regular file or a name that doesn't exist yet. A
// symbolic link is followed to the file it names; a dangling one creates that
// file. A folder, named pipe (FIFO), device or socket is refused before
// anything is created, so nothing ever replaces a file that isn't regular.
// The temporary is named ".kartoval-" and a few random letters, whatever
// the target's name, so any name the system accepts can be written; it is
// created with the permission bits the target will have (the old file's, or
// the umask's for a new one), so no byte is ever readable by more users than
// the target allows. While it exists it is locked, which tells a live run's
// temporary from one left by a killed run (LeftTemporaries). The signals that
// end a run from outside (InstallInterruptCleanup) remove it too.
//
// The new file keeps the permission bits of the file it replaces. What a
// replace can't keep: the owner and group of a file that belongs to another
// user (the new file is the writer's), and the link between hard links (the
// target's name gets the new file, other names keep the old content).

#include "toolkit/Errors.hpp"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kartoval {

// An output that can't be written. Its message names the file and the reason,
// "Can't write the output file <name>: <reason>."; it is shown with the
// caption kFileErrorCaption ("File error").
class OutputFileError : public CommandError {
public:
    using CommandError::CommandError;
};

class AtomicFileWriter {
public:
    // Checks the target and creates the temporary file beside it (beside the
    // link's target for a symbolic link). Throws OutputFileError when the
    // name is empty, the target is not a regular file, its folder is missing
    // (a dangling link's too), or the file isn't writable for the user.
    explicit AtomicFileWriter(const std::filesystem::path& target);
    [[nodiscard]] static AtomicFileWriter Open(const std::filesystem::path& target)
    {
        return AtomicFileWriter(target);
    }
    AtomicFileWriter(AtomicFileWriter&& other) noexcept;
    AtomicFileWriter& operator=(AtomicFileWriter&&) = delete;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    // Not committed: the temporary file is removed.
    ~AtomicFileWriter();

    // Appends `chunk`; buffered and written in chunks of bounded size. Throws
    // OutputFileError on a write failure (disk full, file size limit).
    void Write(std::string_view chunk);

    // Makes the written content the target's: flushes, gives the new file the
    // old one's permission bits, syncs it to disk, renames it over the target
    // and syncs the folder. Throws OutputFileError when any step fails; the
    // target is then unchanged. Once only.
    void Commit();

    // The name as the caller gave it, and the file that is really replaced
    // (the end of a chain of links).
    [[nodiscard]] const std::filesystem::path& Target() const { return target_; }
    [[nodiscard]] const std::filesystem::path& Destination() const { return destination_; }
    [[nodiscard]] const std::filesystem::path& Temporary() const { return temporary_; }

private:
    void flushBuffer();
    [[noreturn]] void fail(const std::string& reason) const;

    std::filesystem::path target_;
    std::filesystem::path destination_;
    std::filesystem::path temporary_;  // empty once renamed or removed
    int slot_ = -1;                    // where the interrupt cleanup knows the temporary
    int fd_ = -1;
    std::string buffer_;
};

// Temporaries in `folder` that no live run holds: left by a run that was
// killed outright. They are only named, never removed: the user decides.
[[nodiscard]] std::vector<std::filesystem::path> LeftTemporaries(const std::filesystem::path& folder);

// For a run that converted nothing and so commits nothing: "the output <name>
// was left as it was" or "no output file was created".
[[nodiscard]] std::string NoPointOutcome(const AtomicFileWriter& writer);

// Writes one note to `err` naming the temporaries that killed runs left in
// the writer's folder, if there are any.
void NoteLeftTemporaries(const AtomicFileWriter& writer, const char* program, std::FILE* err);

// From now on SIGINT, SIGTERM and SIGHUP remove every open writer's temporary,
// write "<program>: interrupted: <target> was left as it was." for each and
// end the process with status 128 + the signal (130, 143, 129). SIGXFSZ is
// ignored, so that passing the file size limit is a write error
// ("File too large") that the run reports and cleans up after.
void InstallInterruptCleanup(const char* program);

}  // namespace kartoval
