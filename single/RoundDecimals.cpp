#include "single/RoundDecimals.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace kartoval {

double RoundDecimals(double value, int decimals)
{
    if (value == 0.0) return 0.0;
    if (!std::isfinite(value)) return value;

    // Shortest round-trip text in scientific form, e.g. "-7.1e-03".
    std::array<char, 64> buffer{};
    const auto printed =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
    const std::string text(buffer.data(), printed.ptr);
    const std::size_t e = text.find('e');
    std::string digits;
    for (std::size_t k = 0; k < e; ++k) {
        if (text[k] >= '0' && text[k] <= '9') digits += text[k];
    }
    const int exponent = std::atoi(text.c_str() + e + 1);

    // digits[i] stands for the place 10^(exponent - i); keep the places down to 10^-decimals.
    const int keep = exponent + decimals + 1;
    if (keep >= static_cast<int>(digits.size())) return value;
    const bool roundUp = keep >= 0 && digits[static_cast<std::size_t>(keep)] >= '5';
    std::string kept = keep > 0 ? digits.substr(0, static_cast<std::size_t>(keep)) : std::string();
    if (roundUp) {
        int k = static_cast<int>(kept.size()) - 1;
        while (k >= 0 && kept[static_cast<std::size_t>(k)] == '9') kept[static_cast<std::size_t>(k--)] = '0';
        if (k >= 0) {
            ++kept[static_cast<std::size_t>(k)];
        } else {
            kept.insert(kept.begin(), '1');
        }
    }
    if (kept.empty()) return 0.0;

    const std::string rounded = (value < 0 ? "-" : "") + kept + "e" + std::to_string(-decimals);
    double result = 0.0;
    std::from_chars(rounded.data(), rounded.data() + rounded.size(), result);
    return result == 0.0 ? 0.0 : result;
}

}  // namespace kartoval
