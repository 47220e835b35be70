// The reader without a limit (as a command line reads any text) and on an
// open stream: a line longer than the buffer comes whole, and a CR LF split
// across two reads is still one line end.

#include "toolkit/LineReader.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace kartoval {
namespace {

TEST(LineReader, UnlimitedLinesFromAStream)
{
    const std::size_t bufferSize = 64 * 1024;  // the reader's first buffer
    const std::string longLine(3 * bufferSize + 7, 'x');
    // The long line makes the buffer grow twice, to 256 KiB, filled with the
    // bytes after the byte-order mark; this line's CR is then the last byte
    // held, and its LF comes with the next read: (196608 + 7) + 1 + 65527 + 1
    // = 262144 bytes.
    const std::string split(bufferSize - 9, 'y');
    const std::string bytes = "\xEF\xBB\xBF" + longLine + "\r" + split + "\r\nz";
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::rewind(stream);
    std::vector<std::string> lines;
    {
        LineReader reader(stream);
        std::string_view line;
        while (reader.Next(line) == LineReader::Result::Line) lines.emplace_back(line);
        EXPECT_EQ(reader.LineNumber(), 3U);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{longLine, split, "z"}));
    EXPECT_EQ(std::fclose(stream), 0);  // the reader left it open
}

}  // namespace
}  // namespace kartoval
