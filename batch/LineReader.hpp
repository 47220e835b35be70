#pragma once
// Reads a point file line by line through one fixed buffer, so that reading a
// whole file makes no allocation per line.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

namespace kartoval {

class LineReader {
public:
    enum class Result {
        Line,     // `line` holds the next line, without its LF or CR LF
        End,      // no more lines
        TooLong,  // the next line is longer than the limit; reading can't go on
        Failed,   // the file could not be read
    };

    // Opens `path` for reading; IsOpen() tells whether that worked. A folder is
    // not a file that can be opened.
    LineReader(const std::filesystem::path& path, std::size_t maxLineLength);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    [[nodiscard]] bool IsOpen() const { return file_ != nullptr; }

    // The next line; `line` stays valid until the following call. A last line
    // without a line end is a line; the empty text after a final line end is not.
    Result Next(std::string_view& line);

private:
    bool fill();

    std::FILE* file_ = nullptr;
    std::size_t maxLineLength_;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0;  // first unread character
    std::size_t end_ = 0;    // one past the last character in the buffer
    bool atEnd_ = false;
};

}  // namespace kartoval
