#include "toolkit/LineReader.hpp"

#include "toolkit/ByteScan.hpp"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace kartoval {
namespace {

constexpr std::size_t kBufferSize = std::size_t{64} * 1024;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

LineReader::LineReader(const std::filesystem::path& path, std::size_t maxLineLength)
    : maxLineLength_(maxLineLength)
{
    std::error_code error;
    if (path.empty() || std::filesystem::is_directory(path, error)) return;
    file_ = std::fopen(path.c_str(), "rb");
    ownsFile_ = true;
}

LineReader::LineReader(std::FILE* stream, std::size_t maxLineLength)
    : file_(stream), maxLineLength_(maxLineLength)
{
}

LineReader::~LineReader()
{
    if (file_ != nullptr && ownsFile_) std::fclose(file_);
}

bool LineReader::fill()
{
    if (!buffer_) {
        // With a limit the buffer never needs to grow: a line is refused once
        // it passes the limit, and the limit and its line end fit.
        capacity_ = std::max(kBufferSize, maxLineLength_ + 2);
        buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
    }
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == capacity_) {  // one line fills the buffer, and there is no limit
        auto larger = std::make_unique_for_overwrite<char[]>(capacity_ * 2);
        std::memcpy(larger.get(), buffer_.get(), end_);
        buffer_ = std::move(larger);
        capacity_ *= 2;
    }
    const std::size_t got = std::fread(buffer_.get() + end_, 1, capacity_ - end_, file_);
    end_ += got;
    if (got == 0) {
        if (std::ferror(file_) != 0) return false;
        atEnd_ = true;
    }
    return true;
}

bool LineReader::ensureAvailable(std::size_t count)
{
    while (end_ - begin_ < count && !atEnd_) {
        if (!fill()) return false;
    }
    return true;
}

LineReader::Result LineReader::Next(std::string_view& line)
{
    if (file_ == nullptr) return Result::Failed;
    if (!started_) {
        started_ = true;
        if (!ensureAvailable(kUtf8ByteOrderMark.size())) return Result::Failed;
        if (std::string_view(buffer_.get() + begin_, end_ - begin_).starts_with(kUtf8ByteOrderMark)) {
            begin_ += kUtf8ByteOrderMark.size();
        }
    }
    if (skipLf_) {
        skipLf_ = false;
        if (!ensureAvailable(1)) return Result::Failed;
        if (begin_ < end_ && buffer_[begin_] == '\n') ++begin_;
    }
    std::size_t scanned = 0;  // characters from begin_ known to hold no line end
    for (;;) {
        const char* start = buffer_.get() + begin_;
        const std::size_t available = end_ - begin_;
        const char* stop = FindEitherByte(start + scanned, start + available, '\n', '\r');
        if (stop != start + available) {
            const auto length = static_cast<std::size_t>(stop - start);
            begin_ += length + 1;
            if (*stop == '\r') {
                if (begin_ < end_) {
                    if (buffer_[begin_] == '\n') ++begin_;
                } else {
                    skipLf_ = true;  // the LF, if any, is in the next read
                }
            }
            ++lineNumber_;
            if (maxLineLength_ != 0 && length > maxLineLength_) return Result::TooLong;
            line = {start, length};
            return Result::Line;
        }
        scanned = available;
        if (maxLineLength_ != 0 && available > maxLineLength_) {
            ++lineNumber_;
            return Result::TooLong;
        }
        if (atEnd_) {
            if (available == 0) return Result::End;
            begin_ = end_;
            ++lineNumber_;
            line = {start, available};
            return Result::Line;
        }
        if (!fill()) return Result::Failed;
    }
}

}  // namespace kartoval
