#include "batch/PointNumberText.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace kartoval {
namespace {

// Three numbers a row made the general fixed-notation conversion a third of a
// run, so ordinary magnitudes are rounded on integers instead. The rounding is
// exact, as the general conversion's is: the scaled value p and its rounding
// error (from one fused multiply-add) together are value x 10^6 exactly, and
// ties go to the even digit, as they do there.
constexpr double kScale = 1e6;
constexpr std::uint64_t kScaleInt = 1000000;
// Below this, value x 10^6 stays under 2^53, where doubles hold every integer.
constexpr double kIntegerLimit = 9.0e9;
// The longest double in fixed notation: 309 integer digits, sign, point, decimals.
constexpr std::size_t kLongestFixed = 320;

bool appendByIntegers(std::string& out, double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1.0 / kScale && magnitude < kIntegerLimit)) return false;
    const double p = magnitude * kScale;
    const double error = std::fma(magnitude, kScale, -p);  // magnitude x 10^6 == p + error exactly
    const double whole = std::floor(p);
    // Sign of (exact fraction - 1/2): p - whole and the subtraction of 1/2 are
    // exact, and a rounded sum has the sign of the exact one.
    const double aboveHalf = (p - whole - 0.5) + error;
    auto units = static_cast<std::uint64_t>(whole);
    if (aboveHalf > 0.0 || (aboveHalf == 0.0 && (units & 1U) != 0)) ++units;

    std::array<char, 32> buffer;
    char* end = buffer.data();
    if (value < 0.0 && units != 0) *end++ = '-';
    end = std::to_chars(end, buffer.data() + buffer.size(), units / kScaleInt).ptr;
    *end++ = '.';
    std::uint64_t fraction = units % kScaleInt;
    for (int k = kPointFileDecimals - 1; k >= 0; --k) {
        end[k] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    end += kPointFileDecimals;
    out.append(buffer.data(), end);
    return true;
}

}  // namespace

void AppendPointNumber(std::string& out, double value)
{
    if (appendByIntegers(out, value)) return;
    std::array<char, kLongestFixed> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, kPointFileDecimals);
    std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    if (text.front() == '-' && text.find_first_of("123456789") == std::string_view::npos) text.remove_prefix(1);
    out += text;
}

}  // namespace kartoval
