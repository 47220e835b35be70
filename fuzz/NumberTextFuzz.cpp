// The number text against the standard library: where both grammars read a
// text, both give the same double, bit for bit; an out-of-range text is
// refused exactly when it is too large, and reads as zero exactly when it is
// too small; what is read writes back and reads again to itself.

#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"
#include "toolkit/VisibleText.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The text a plain decimal reading (from_chars, strtod) sees: the trimmed text
// with '+' signs dropped and the separator as a point; nothing when our
// grammar and theirs don't overlap (hexadecimal, inf, nan are theirs only).
std::optional<std::string> plainForm(std::string_view text, char separator)
{
    std::string t = kartoval::Trim(text);
    std::string out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '+' && (i == 0 || t[i - 1] == 'e' || t[i - 1] == 'E')) {
            if (i + 1 < t.size() && (t[i + 1] == '+' || t[i + 1] == '-')) return std::nullopt;
            continue;
        }
        if (c == separator) {
            out += '.';
        } else if ((c >= '0' && c <= '9') || c == '-' || c == 'e' || c == 'E') {
            out += c;
        } else if (c == '.') {
            return std::nullopt;  // a point under a comma locale
        } else {
            return std::nullopt;
        }
    }
    return out;
}

[[noreturn]] void fail(const char* what) { std::fprintf(stderr, "%s\n", what), std::abort(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const char separator = (data[0] & 1U) != 0 ? ',' : '.';
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::optional<double> read = kartoval::TryStrToFloat(text, separator);
    try {
        const double thrown = kartoval::StrToFloat(text, separator);
        if (!read || std::memcmp(&thrown, &*read, sizeof thrown) != 0) fail("StrToFloat and TryStrToFloat differ");
    } catch (const kartoval::ConvertError& error) {
        if (read) fail("StrToFloat refused what TryStrToFloat read");
        const std::string message = error.what();
        if (std::strlen(error.what()) != message.size()) fail("a message holds a NUL");
    }
    // The file reading accepts the point besides the user's separator.
    try {
        const double file = kartoval::FileStrToFloat(text, separator);
        if (read && std::memcmp(&file, &*read, sizeof file) != 0) fail("FileStrToFloat differs");
    } catch (const kartoval::ConvertError&) {
        if (read) fail("FileStrToFloat refused what StrToFloat read");
    }

    const std::optional<std::string> plain = plainForm(text, separator);
    if (plain && plain->size() < 100000) {
        double expected = 0.0;
        const char* first = plain->data();
        const char* last = first + plain->size();
        const auto [end, ec] = std::from_chars(first, last, expected);
        const bool whole = end == last;
        if (ec == std::errc() && whole) {
            if (!read || std::memcmp(&expected, &*read, sizeof expected) != 0) fail("differs from from_chars");
        } else if (ec == std::errc::result_out_of_range && whole) {
            // strtod tells overflow (HUGE_VAL) from underflow (a zero or tiny value).
            const double c = std::strtod(plain->c_str(), nullptr);
            if (std::isinf(c)) {
                if (read) fail("an overflow was read");
            } else if (!read || *read != 0.0 || c != 0.0) {
                fail("an underflow was not read as zero");
            }
        } else if (read && text.find_first_of("eE") == std::string_view::npos) {
            fail("read what from_chars refuses");
        }
    }
    if (read && std::isfinite(*read)) {
        char buffer[64];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, *read);
        const std::optional<double> back = kartoval::TryStrToFloat(std::string_view(buffer, written.ptr), '.');
        if (!back || *back != *read) fail("the shortest text doesn't read back");
        // Fifteen digits round the largest doubles up past the largest finite
        // one (1.79769313486232E308), which then reads as an overflow.
        const std::string shown = kartoval::FloatToStr(*read, separator);
        const std::optional<double> again = kartoval::TryStrToFloat(shown, separator);
        const bool roundsPastLargest = std::fabs(*read) > 1.797693134862315e308;
        if (!roundsPastLargest && (!again || std::fabs(*again - *read) > 1e-14 * std::fabs(*read))) {
            fail("FloatToStr doesn't read back");
        }
    }
    const std::string visible = kartoval::VisibleText(text);
    if (visible.find('\0') != std::string::npos) fail("VisibleText kept a NUL");
    return 0;
}
