// The eight-at-a-time byte search against a plain one, over lines that put
// the bytes sought at every place of an 8-byte block, after bytes one above
// and one below them and high-bit bytes (which a carry or borrow could turn
// into a false find).

#include "toolkit/ByteScan.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace kartoval {
namespace {

TEST(ByteScan, FindsTheFirstOfTwoBytesWhereverItIs)
{
    const std::string fillers[] = {"x", "!\x1F\x80\xFF", "\x0B\x21\x09\x20", "\x0C\x0E\x0A\x0D"};
    for (const auto& [a, b] : {std::pair{' ', '\t'}, std::pair{'\n', '\r'}}) {
        for (const std::string& filler : fillers) {
            for (std::size_t length = 0; length <= 24; ++length) {
                std::string line;
                for (std::size_t k = 0; line.size() < length; ++k) line += filler[k % filler.size()];
                for (std::size_t at = 0; at <= length; ++at) {
                    std::string probe = line;
                    if (at < length) probe[at] = (at % 2 == 0) ? a : b;
                    const char* first = probe.data();
                    const char* last = first + probe.size();
                    const char* expected = std::find_if(first, last, [&](char c) { return c == a || c == b; });
                    ASSERT_EQ(FindEitherByte(first, last, a, b), expected)
                        << "length " << length << ", sought at " << at << ", filler " << testing::PrintToString(filler);
                }
            }
        }
    }
}

}  // namespace
}  // namespace kartoval
