#pragma once
// Finding the first of two bytes in a line, eight bytes at a time: the line
// splitting and line reading of the point files look for little else.

#include <bit>
#include <cstdint>
#include <cstring>

namespace kartoval {

// The first position in [first, last) holding `a` or `b`; `last` when none does.
inline const char* FindEitherByte(const char* first, const char* last, char a, char b)
{
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101U;
        constexpr std::uint64_t kHighBits = 0x8080808080808080U;
        const std::uint64_t aBytes = kOnes * static_cast<unsigned char>(a);
        const std::uint64_t bBytes = kOnes * static_cast<unsigned char>(b);
        for (; last - first >= 8; first += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, first, sizeof word);
            // A byte of x is zero where the word holds the byte sought. The
            // lowest flagged byte is always such a zero (a borrow only runs
            // upward from one), and the lowest is the one wanted.
            const std::uint64_t xa = word ^ aBytes;
            const std::uint64_t xb = word ^ bBytes;
            const std::uint64_t found = (((xa - kOnes) & ~xa) | ((xb - kOnes) & ~xb)) & kHighBits;
            if (found != 0) return first + std::countr_zero(found) / 8;
        }
    }
    while (first != last && *first != a && *first != b) ++first;
    return first;
}

}  // namespace kartoval
