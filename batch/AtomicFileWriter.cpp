#include "batch/AtomicFileWriter.hpp"

#include "toolkit/VisibleText.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kartoval {
namespace {

constexpr std::size_t kChunkSize = std::size_t{64} * 1024;
constexpr int kTempNameAttempts = 16;
constexpr int kMaxLinkDepth = 40;  // as the system's own limit on a chain of links
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kAccessBits = 0777;
constexpr mode_t kNewFileBits = 0666;  // the umask narrows it, as for any new file
constexpr std::string_view kTemporaryMark = ".kartoval-";
constexpr std::size_t kTemporaryRandomLetters = 8;
constexpr std::string_view kNameLetters = "abcdefghijklmnopqrstuvwxyz0123456789";

// The writers whose temporaries a signal handler must remove. The handler may
// only read plain memory and call async-signal-safe functions, so the names
// are kept in fixed buffers, each slot claimed and published by one atomic.
constexpr std::size_t kSlotCount = 16;
constexpr std::size_t kSlotText = 4096;
enum SlotState : int { kFree, kFilling, kReady };
struct InterruptSlot {
    std::atomic<int> State{kFree};
    std::array<char, kSlotText> Temporary{};
    std::array<char, kSlotText> Message{};  // the line written when the run is interrupted
};
std::array<InterruptSlot, kSlotCount> interruptSlots;
std::atomic<const char*> interruptProgram{"kartoval"};

bool copyText(std::array<char, kSlotText>& buffer, std::string_view text)
{
    if (text.size() >= buffer.size()) return false;
    std::memcpy(buffer.data(), text.data(), text.size());
    buffer[text.size()] = '\0';
    return true;
}

// The slot now holding `temporary`, or -1 when every slot is taken (the
// temporary is then only removed by the usual paths).
int claimSlot(const std::filesystem::path& temporary, const std::filesystem::path& target)
{
    const std::string message = std::string(interruptProgram.load()) + ": interrupted: the output " +
                                VisibleText(target.string()) + " was left as it was.\n";
    for (std::size_t k = 0; k < interruptSlots.size(); ++k) {
        InterruptSlot& slot = interruptSlots[k];
        int expected = kFree;
        if (!slot.State.compare_exchange_strong(expected, kFilling)) continue;
        if (!copyText(slot.Temporary, temporary.native()) || !copyText(slot.Message, message)) {
            slot.State.store(kFree);
            return -1;
        }
        slot.State.store(kReady);
        return static_cast<int>(k);
    }
    return -1;
}

void releaseSlot(int& slot)
{
    if (slot >= 0) interruptSlots[static_cast<std::size_t>(slot)].State.store(kFree);
    slot = -1;
}

extern "C" void removeTemporariesAndExit(int signal)
{
    for (InterruptSlot& slot : interruptSlots) {
        if (slot.State.load() != kReady) continue;
        ::unlink(slot.Temporary.data());
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, slot.Message.data(), std::strlen(slot.Message.data()));
    }
    ::_exit(128 + signal);
}

bool isTemporaryName(const std::string& name)
{
    return name.starts_with('.') && name.find(kTemporaryMark) != std::string::npos;
}

std::string errnoText(int error) { return std::strerror(error); }

// Why a file of this kind is never replaced; empty for a regular file.
std::string refusedKind(mode_t mode)
{
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "it is a folder";
    if (S_ISFIFO(mode)) return "it is a named pipe (FIFO), not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
    if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
    return "it is not a regular file";
}

std::filesystem::path folderOf(const std::filesystem::path& file)
{
    const std::filesystem::path parent = file.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& target) : target_(target), destination_(target)
{
    if (target.empty()) fail("no file name was given");
    // Follow the links one by one, so that a dangling link still names the
    // file it was meant for, which is then created.
    struct stat info {};
    int depth = 0;
    while (::lstat(destination_.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (++depth > kMaxLinkDepth) fail(errnoText(ELOOP));
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(destination_, error);
        if (error) fail(error.message());
        destination_ = next.is_absolute() ? next : folderOf(destination_) / next;
    }
    mode_t createBits = kNewFileBits;
    if (::lstat(destination_.c_str(), &info) == 0) {
        if (const std::string kind = refusedKind(info.st_mode); !kind.empty()) fail(kind);
        createBits = info.st_mode & kAccessBits;
        // The replace only needs the folder's permission: ask for the file's
        // own, as writing it in place would.
        if (::access(destination_.c_str(), W_OK) != 0) fail(errnoText(errno));
    } else if (errno != ENOENT) {
        fail(errnoText(errno));
    } else {
        struct stat folder {};
        const std::filesystem::path parent = folderOf(destination_);
        if (::stat(parent.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
            fail("the folder " + VisibleText(parent.string()) + " does not exist");
        }
    }

    std::random_device random;
    std::uniform_int_distribution<std::size_t> letter(0, kNameLetters.size() - 1);
    for (int attempt = 0; attempt < kTempNameAttempts && fd_ < 0; ++attempt) {
        std::string name(kTemporaryMark);
        for (std::size_t k = 0; k < kTemporaryRandomLetters; ++k) name += kNameLetters[letter(random)];
        const std::filesystem::path candidate = folderOf(destination_) / name;
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createBits);
        if (fd_ >= 0) {
            temporary_ = candidate;
        } else if (errno != EEXIST) {
            fail(errnoText(errno));
        }
    }
    if (fd_ < 0) fail(errnoText(EEXIST));
    // Held until the file is renamed or removed: a temporary that nobody holds
    // was left by a run that was killed.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    slot_ = claimSlot(temporary_, target_);
    buffer_.reserve(kChunkSize);
}

AtomicFileWriter::AtomicFileWriter(AtomicFileWriter&& other) noexcept
    : target_(std::move(other.target_)),
      destination_(std::move(other.destination_)),
      temporary_(std::move(other.temporary_)),
      slot_(other.slot_),
      fd_(other.fd_),
      buffer_(std::move(other.buffer_))
{
    other.fd_ = -1;
    other.slot_ = -1;
    other.temporary_.clear();
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    if (fd_ >= 0) ::close(fd_);
    releaseSlot(slot_);
}

void AtomicFileWriter::fail(const std::string& reason) const
{
    throw OutputFileError("Can't write the output file " + VisibleText(target_.string()) + ": " + reason + ".");
}

void AtomicFileWriter::Write(std::string_view chunk)
{
    if (fd_ < 0) fail("it has already been closed");
    if (buffer_.size() + chunk.size() > kChunkSize) flushBuffer();
    if (chunk.size() >= kChunkSize) {
        buffer_ = chunk;  // one large write; the buffer grows for it once
        flushBuffer();
        return;
    }
    buffer_ += chunk;
}

void AtomicFileWriter::flushBuffer()
{
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t written = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            fail(errnoText(errno));
        }
        done += static_cast<std::size_t>(written);
    }
    buffer_.clear();
}

void AtomicFileWriter::Commit()
{
    if (fd_ < 0) fail("it has already been closed");
    flushBuffer();
    struct stat old {};
    if (::lstat(destination_.c_str(), &old) == 0) {
        // Checked again: the name may have become something else meanwhile.
        if (const std::string kind = refusedKind(old.st_mode); !kind.empty()) fail(kind);
        // Owner and group stay where the user may set them (root, or a group
        // the user belongs to); otherwise the new file is the user's own.
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd_, static_cast<uid_t>(-1), old.st_gid);
        }
        if (::fchmod(fd_, old.st_mode & kPermissionBits) != 0) fail(errnoText(errno));
    }
    if (::fsync(fd_) != 0) fail(errnoText(errno));
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) fail(errnoText(errno));
    if (::rename(temporary_.c_str(), destination_.c_str()) != 0) fail(errnoText(errno));
    temporary_.clear();
    releaseSlot(slot_);
    // The rename is on disk once the folder is; a file system that can't sync
    // a folder has nothing more to offer, and the content is in place anyway.
    const int folder = ::open(folderOf(destination_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

std::vector<std::filesystem::path> LeftTemporaries(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> left;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!isTemporaryName(it->path().filename().string()) || !it->is_regular_file(error)) continue;
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd >= 0) {
            const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
            ::close(fd);
            if (held) continue;
        }
        left.push_back(it->path());
    }
    std::sort(left.begin(), left.end());
    return left;
}

std::string NoPointOutcome(const AtomicFileWriter& writer)
{
    struct stat info {};
    if (::lstat(writer.Destination().c_str(), &info) == 0) {
        return "the output " + VisibleText(writer.Target().string()) + " was left as it was";
    }
    return "no output file was created";
}

void NoteLeftTemporaries(const AtomicFileWriter& writer, const char* program, std::FILE* err)
{
    const std::vector<std::filesystem::path> left = LeftTemporaries(folderOf(writer.Destination()));
    if (left.empty()) return;
    std::string names;
    for (const std::filesystem::path& file : left) {
        if (!names.empty()) names += ", ";
        names += VisibleText((writer.Destination().parent_path().empty() ? file.filename() : file).string());
    }
    std::fprintf(err, "%s: note: %s left by %s that did not finish: %s (remove %s once no longer needed)\n", program,
                 left.size() == 1 ? "a temporary file was" : "temporary files were",
                 left.size() == 1 ? "a run" : "runs", names.c_str(), left.size() == 1 ? "it" : "them");
}

void InstallInterruptCleanup(const char* program)
{
    interruptProgram.store(program);
    struct sigaction action {};
    action.sa_handler = removeTemporariesAndExit;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&action.sa_mask, signal);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace kartoval
