#include "batch/AtomicFileWriter.hpp"

#include "toolkit/VisibleText.hpp"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kartoval {
namespace {

constexpr std::size_t kChunkSize = std::size_t{64} * 1024;
constexpr int kTempNameAttempts = 16;
constexpr int kMaxLinkDepth = 40;  // as the system's own limit on a chain of links
constexpr mode_t kPermissionBits = 07777;

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
    if (::lstat(destination_.c_str(), &info) == 0) {
        if (const std::string kind = refusedKind(info.st_mode); !kind.empty()) fail(kind);
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
    for (int attempt = 0; attempt < kTempNameAttempts && fd_ < 0; ++attempt) {
        std::filesystem::path candidate = destination_;
        std::string name(1, '.');  // appended: GCC 12's -O2 sees a false overlap in "." + std::string&&
        name += destination_.filename().string();
        name += ".kartoval-";
        name += std::to_string(random());
        candidate.replace_filename(name);
        fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            temporary_ = candidate;
        } else if (errno != EEXIST) {
            fail(errnoText(errno));
        }
    }
    if (fd_ < 0) fail(errnoText(EEXIST));
    buffer_.reserve(kChunkSize);
}

AtomicFileWriter::AtomicFileWriter(AtomicFileWriter&& other) noexcept
    : target_(std::move(other.target_)),
      destination_(std::move(other.destination_)),
      temporary_(std::move(other.temporary_)),
      fd_(other.fd_),
      buffer_(std::move(other.buffer_))
{
    other.fd_ = -1;
    other.temporary_.clear();
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
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
    // The rename is on disk once the folder is; a file system that can't sync
    // a folder has nothing more to offer, and the content is in place anyway.
    const int folder = ::open(folderOf(destination_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

}  // namespace kartoval
