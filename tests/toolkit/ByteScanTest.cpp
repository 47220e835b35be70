// The eight-at-a-time byte search against a plain one: the sought byte at
// every place of a block, among bytes one above and below it and high-bit
// bytes, which a carry or borrow could turn into a false find.

#include "toolkit/ByteScan.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace kartoval {
namespace {

TEST(ByteScan, FindsTheFirstOfTwoBytesWhereverItIs)
{
    for (const std::string filler : {"x", "!\x1F\x80\xFF", "\x08\x21\x0A\x1F", "\x0C\x0E\x0B\x7F"}) {
        for (std::size_t length = 0; length <= 24; ++length) {
            for (std::size_t at = 0; at <= length; ++at) {
                std::string line;
                while (line.size() < length) line += filler[line.size() % filler.size()];
                if (at < length) line[at] = " \t\n\r"[at % 4];
                for (const auto& [a, b] : {std::pair{' ', '\t'}, std::pair{'\n', '\r'}}) {
                    const char* first = line.data();
                    const char* end = first + line.size();
                    const char* expected = std::find_if(first, end, [&](char c) { return c == a || c == b; });
                    ASSERT_EQ(FindEitherByte(first, end, a, b), expected) << length << " " << at;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kartoval
