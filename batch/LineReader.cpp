#include "batch/LineReader.hpp"

#include <cstring>
#include <system_error>

namespace kartoval {
namespace {

constexpr std::size_t kBufferSize = std::size_t{64} * 1024;

// A CR before the LF belongs to the line end, not to the line.
std::string_view withoutCr(const char* text, std::size_t length)
{
    if (length > 0 && text[length - 1] == '\r') --length;
    return {text, length};
}

}  // namespace

LineReader::LineReader(const std::filesystem::path& path, std::size_t maxLineLength)
    : maxLineLength_(maxLineLength)
{
    std::error_code error;
    if (path.empty() || std::filesystem::is_directory(path, error)) return;
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ != nullptr) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
}

LineReader::~LineReader()
{
    if (file_ != nullptr) std::fclose(file_);
}

bool LineReader::fill()
{
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const std::size_t got = std::fread(buffer_.get() + end_, 1, kBufferSize - end_, file_);
    end_ += got;
    if (got == 0) {
        if (std::ferror(file_) != 0) return false;
        atEnd_ = true;
    }
    return true;
}

LineReader::Result LineReader::Next(std::string_view& line)
{
    if (file_ == nullptr) return Result::Failed;
    // A line of the longest length may still carry a CR before its LF.
    const std::size_t longestRaw = maxLineLength_ + 1;
    for (;;) {
        const char* start = buffer_.get() + begin_;
        const std::size_t available = end_ - begin_;
        const auto* lf = static_cast<const char*>(std::memchr(start, '\n', available));
        if (lf != nullptr) {
            const auto length = static_cast<std::size_t>(lf - start);
            begin_ += length + 1;
            line = withoutCr(start, length);
            return line.size() > maxLineLength_ ? Result::TooLong : Result::Line;
        }
        if (available > longestRaw) return Result::TooLong;
        if (atEnd_) {
            if (available == 0) return Result::End;
            begin_ = end_;
            line = withoutCr(start, available);
            return line.size() > maxLineLength_ ? Result::TooLong : Result::Line;
        }
        if (!fill()) return Result::Failed;
    }
}

}  // namespace kartoval
