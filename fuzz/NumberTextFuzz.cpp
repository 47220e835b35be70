// The number text against the standard library: where both grammars read a
// text, both give the same double, bit for bit; an out-of-range text is
// refused exactly when it is too large, and reads as zero exactly when it is
// too small; what is read writes back and reads again to itself. The point
// files' own pieces likewise: their plain numbers against from_chars, their
// fixed notation against to_chars, and their field spans inside the line.

#include "batch/LineFields.hpp"
#include "geodesy/DegreesText.hpp"
#include "toolkit/Errors.hpp"
#include "toolkit/NumberText.hpp"
#include "toolkit/VisibleText.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The point files' plain number (no separator but the point) against
// from_chars on the same digits, a '+' after the exponent mark dropped.
void checkPlainNumber(std::string_view text)
{
    double value = 0.0;
    const bool read = kartoval::ParsePlainNumber(text, value) == kartoval::TextProblem::None;
    std::string digits;
    const std::string t = kartoval::Trim(text);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const bool exponentSign = t[i] == '+' && i > 0 && (t[i - 1] == 'e' || t[i - 1] == 'E');
        if (exponentSign && !(i + 1 < t.size() && (t[i + 1] == '+' || t[i + 1] == '-'))) continue;
        if (t[i] == '+' || t[i] == 'i' || t[i] == 'I' || t[i] == 'n' || t[i] == 'N' || t[i] == 'x' || t[i] == 'X' ||
            t[i] == 'p' || t[i] == 'P') {
            if (read) fail("ParsePlainNumber read a sign, infinity, nan or hexadecimal");
            return;
        }
        digits += t[i];
    }
    double expected = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), expected);
    const bool whole = end == digits.data() + digits.size();
    if (ec == std::errc() && whole) {
        if (!read || std::memcmp(&expected, &value, sizeof value) != 0) fail("ParsePlainNumber differs from from_chars");
    } else if (ec == std::errc::result_out_of_range && whole) {
        if (std::isinf(std::strtod(digits.c_str(), nullptr))) {
            if (read) fail("ParsePlainNumber read an overflow");
        } else if (!read || value != 0.0) {
            fail("ParsePlainNumber didn't read an underflow as zero");
        }
    } else if (read) {
        fail("ParsePlainNumber read what from_chars refuses");
    }
    if (!read) return;
    // An angle written as a plain number is that number, west or not.
    double angle = 0.0;
    if (kartoval::ParseDegrees(text, kartoval::AngleAxis::Latitude, false, angle) != kartoval::TextProblem::None ||
        std::memcmp(&angle, &value, sizeof value) != 0) {
        fail("ParseDegrees differs from ParsePlainNumber");
    }
}

// Fixed notation as to_chars writes it, a negative zero written as zero.
void checkFixed(double value, int decimals)
{
    std::string ours;
    kartoval::AppendFixed(ours, value, decimals);
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string_view expected(buffer, static_cast<std::size_t>(written.ptr - buffer));
    if (expected.starts_with('-') && expected.find_first_of("123456789") == std::string_view::npos) {
        expected.remove_prefix(1);
    }
    if (ours != expected) fail("AppendFixed differs from to_chars");
}

// Field spans lie in the line, in order and apart; blank-separated ones are
// neither empty nor blank at their ends.
void checkFields(std::string_view line, kartoval::Delimiter delimiter)
{
    std::vector<kartoval::FieldSpan> fields;
    std::size_t badField = 0;
    (void)kartoval::SplitFields(line, delimiter, fields, badField);
    std::size_t previousEnd = 0;
    std::string scratch;
    for (const kartoval::FieldSpan& field : fields) {
        if (field.Begin < previousEnd || field.End < field.Begin || field.End > line.size()) {
            fail("a field span lies outside its line or out of order");
        }
        previousEnd = field.End;
        const std::string_view value = kartoval::FieldValue(line, field, scratch);
        if (delimiter == kartoval::Delimiter::Whitespace &&
            (value.empty() || static_cast<unsigned char>(value.front()) <= 32 ||
             static_cast<unsigned char>(value.back()) <= 32)) {
            fail("a blank-separated field is empty or not trimmed");
        }
    }
}

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

    // The quick road reads a subset, to the same double.
    const std::optional<double> quick = separator == '.' ? kartoval::QuickPlainDecimal(text) : std::nullopt;
    if (quick) {
        if (!read || std::memcmp(&*quick, &*read, sizeof *quick) != 0) fail("QuickPlainDecimal differs");
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
    if (text.size() < 1000) {
        checkPlainNumber(text);
        if (read && std::isfinite(*read)) checkFixed(*read, (data[0] >> 1U) % 13);
        const kartoval::Delimiter delimiters[] = {kartoval::Delimiter::Whitespace, kartoval::Delimiter::Tab,
                                                       kartoval::Delimiter::Comma, kartoval::Delimiter::Semicolon,
                                                       kartoval::DetectDelimiter(text)};
        checkFields(text, delimiters[(data[0] >> 4U) % 5]);
    }
    const std::string visible = kartoval::VisibleText(text);
    if (visible.find('\0') != std::string::npos) fail("VisibleText kept a NUL");
    return 0;
}
