#pragma once
// Reads a text file line by line through one buffer of bounded size, so that
// a whole file makes no allocation per line and an over-long line is refused
// without being held whole.
//
// A line ends at LF, at CR LF or at a lone CR, and a file may mix them, so
// files from any system (and old Mac or field-logger files) give the same
// lines. A UTF-8 byte-order mark at the very start of the file is skipped.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

namespace kartoval {

class LineReader {
public:
    enum class Result {
        Line,     // `line` holds the next line, without its line end
        End,      // no more lines
        TooLong,  // line LineNumber() passes the length limit; reading can't go on
        Failed,   // the file could not be read
    };

    // Opens `path` for reading; IsOpen() tells whether that worked. A folder is
    // not a file that can be opened. `maxLineLength` is the most characters
    // (bytes) a line may hold before its line end; 0 means no limit.
    explicit LineReader(const std::filesystem::path& path, std::size_t maxLineLength = 0);
    // Reads an open stream (standard input, say), which stays open afterwards.
    explicit LineReader(std::FILE* stream, std::size_t maxLineLength = 0);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    [[nodiscard]] bool IsOpen() const { return file_ != nullptr; }

    // The next line; `line` stays valid until the following call. A last line
    // without a line end is a line; the empty text after a final line end is
    // not. With a limit, a line is refused (TooLong) as soon as it passes it.
    Result Next(std::string_view& line);

    // The number (from 1) of the line the last call returned or refused.
    [[nodiscard]] std::uint64_t LineNumber() const { return lineNumber_; }

private:
    bool fill();
    bool ensureAvailable(std::size_t count);

    std::FILE* file_ = nullptr;
    bool ownsFile_ = false;
    std::size_t maxLineLength_;
    std::size_t capacity_ = 0;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0;  // first unread character
    std::size_t end_ = 0;    // one past the last character in the buffer
    bool atEnd_ = false;
    bool started_ = false;    // the byte-order mark has been looked for
    bool skipLf_ = false;     // the last line ended at a CR: an LF right after it belongs to that end
    std::uint64_t lineNumber_ = 0;
};

}  // namespace kartoval
