#include "toolkit/NumberText.hpp"

#include "toolkit/Errors.hpp"
#include "toolkit/VisibleText.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <system_error>

namespace kartoval {
namespace {

constexpr int kSignificantDigits = 15;
// Fixed notation from 1E-5 up to 15 integer digits, exponent form outside.
constexpr int kSmallestFixedExponent = -5;
constexpr int kLargestFixedExponent = 14;

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void throwNotANumber(std::string_view text)
{
    throw ConvertError(QuotedText(text) + " is not a valid floating point value");
}

// Checks the grammar and rewrites the text for from_chars: no '+', a point as
// separator. Returns false when the text is not a number.
bool normalise(std::string_view s, char separator, std::string& out)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') out += '-';
        ++i;
    }
    int mantissaDigits = 0;
    while (i < s.size() && isDigit(s[i])) { out += s[i++]; ++mantissaDigits; }
    if (i < s.size() && s[i] == separator) {
        out += '.';
        ++i;
        while (i < s.size() && isDigit(s[i])) { out += s[i++]; ++mantissaDigits; }
    }
    if (mantissaDigits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            if (s[i] == '-') out += '-';
            ++i;
        }
        int exponentDigits = 0;
        while (i < s.size() && isDigit(s[i])) { out += s[i++]; ++exponentDigits; }
        if (exponentDigits == 0) return false;
    }
    return i == s.size();
}

// Digits with an optional minus, point and exponent and nothing around them:
// how the files written here, and most others, hold their numbers. Such a
// text goes to from_chars as it stands, without the copies of the general
// path; both hand from_chars the same characters, so the value is the same.
bool isPlainDecimal(std::string_view s)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    if (i < n && s[i] == '-') ++i;
    std::size_t digits = 0;
    while (i < n && isDigit(s[i])) ++i, ++digits;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && isDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && s[i] == '-') ++i;
        const std::size_t exponentStart = i;
        while (i < n && isDigit(s[i])) ++i;
        if (i == exponentStart) return false;
    }
    return i == n;
}

// Powers of ten that a double holds exactly.
constexpr std::array<double, 23> kExactPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::uint64_t kExactIntegerLimit = std::uint64_t{1} << 53;
constexpr int kMostUnsignedDigits = 19;  // 10^19 - 1 fits an unsigned 64-bit integer

// Reads "-123.456" (an optional minus, digits, an optional point and digits,
// nothing else) when its digits make an integer a double holds exactly and
// its decimals are at most 22: the integer and the power of ten are then both
// exact, and one correctly rounded division gives the double nearest to the
// text, as from_chars would (Clinger's fast path). False for any other text,
// which from_chars reads instead.
bool readShortDecimal(std::string_view s, double& value)
{
    const char* p = s.data();
    const char* const end = p + s.size();
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    std::uint64_t digits = 0;
    int count = 0;
    for (; p != end && isDigit(*p); ++p, ++count) digits = digits * 10 + static_cast<unsigned>(*p - '0');
    int decimals = 0;
    if (p != end && *p == '.') {
        for (++p; p != end && isDigit(*p); ++p, ++decimals) digits = digits * 10 + static_cast<unsigned>(*p - '0');
    }
    count += decimals;
    if (p != end || count == 0 || count > kMostUnsignedDigits || digits > kExactIntegerLimit ||
        decimals >= static_cast<int>(kExactPowersOfTen.size())) {
        return false;
    }
    const double magnitude = static_cast<double>(digits) / kExactPowersOfTen[static_cast<std::size_t>(decimals)];
    value = negative ? -magnitude : magnitude;
    return true;
}

// A plain decimal (isPlainDecimal) as from_chars reads it; false for any
// other text and when from_chars doesn't read it whole (out of range, say).
bool readPlainDecimal(std::string_view s, double& value)
{
    if (readShortDecimal(s, value)) return true;
    if (!isPlainDecimal(s)) return false;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return error == std::errc() && end == s.data() + s.size();
}

// The decimal exponent of the first nonzero digit of a text `normalise`
// made, exponent included ("0.05e3" gives 1); a text of zeros gives 0. The
// exponent saturates far outside the range of double.
std::int64_t leadingExponent(std::string_view plain)
{
    constexpr std::int64_t kFarOutside = 1'000'000;
    const std::size_t e = std::min(plain.find('e'), plain.size());
    const std::string_view mantissa = plain.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    std::int64_t lead = first < point ? static_cast<std::int64_t>(point - first) - 1
                                      : -static_cast<std::int64_t>(first - point);
    if (e < plain.size()) {
        std::size_t k = e + 1;
        const bool negative = k < plain.size() && plain[k] == '-';
        if (negative) ++k;
        std::int64_t exponent = 0;
        for (; k < plain.size(); ++k) exponent = std::min(exponent * 10 + (plain[k] - '0'), kFarOutside);
        lead += negative ? -exponent : exponent;
    }
    return lead;
}

std::optional<double> tryParse(std::string_view text, char separator)
{
    const std::string trimmed = Trim(text);
    std::string plain;
    if (!normalise(trimmed, separator, plain)) return std::nullopt;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Out of range either way: a value whose first digit stands below the
        // units is too small for the smallest subnormal and rounds to zero, as
        // the nearest double is; any other is too large and is no number we
        // can compute with. The exponent's sign alone doesn't tell them apart.
        if (leadingExponent(plain) >= 0) return std::nullopt;
        return plain.front() == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    return value;
}

// The value's digits rounded to 15 significant places, with the decimal exponent
// of the first digit; trailing zeros removed.
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits significantDigits(double magnitude)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = text.find('e');
    Digits d;
    for (std::size_t k = 0; k < e; ++k) {
        if (isDigit(text[k])) d.digits += text[k];
    }
    d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

}  // namespace

std::string Trim(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

std::optional<double> QuickPlainDecimal(std::string_view text)
{
    double value = 0.0;
    if (readShortDecimal(text, value)) return value;
    return std::nullopt;
}

std::optional<double> TryStrToFloat(std::string_view text, char decimalSeparator)
{
    // A plain text with a point is what tryParse would hand from_chars
    // anyway: skip its trimmed and rewritten copies. Out of range or not,
    // anything from_chars doesn't read whole takes the general road.
    double value = 0.0;
    if (decimalSeparator == '.' && readPlainDecimal(text, value)) return value;
    return tryParse(text, decimalSeparator);
}

double StrToFloat(std::string_view text, char decimalSeparator)
{
    const std::optional<double> value = tryParse(text, decimalSeparator);
    if (!value) throwNotANumber(text);
    return *value;
}

double FileStrToFloat(std::string_view text, char decimalSeparator)
{
    double value = 0.0;
    if (readPlainDecimal(text, value)) return value;
    if (const std::optional<double> read = tryParse(text, '.')) return *read;
    if (decimalSeparator != '.') {
        if (const std::optional<double> read = tryParse(text, decimalSeparator)) return *read;
    }
    throwNotANumber(text);
}

std::string FloatToStr(double value, char decimalSeparator)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0.0) return "0";

    const Digits d = significantDigits(std::fabs(value));
    std::string out = value < 0 ? "-" : "";
    if (d.exponent < kSmallestFixedExponent || d.exponent > kLargestFixedExponent) {
        out += d.digits.front();
        if (d.digits.size() > 1) {
            out += decimalSeparator;
            out += d.digits.substr(1);
        }
        out += 'E';
        out += std::to_string(d.exponent);
        return out;
    }
    if (d.exponent < 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
        return out;
    }
    const auto integerDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= integerDigits) {
        out += d.digits;
        out.append(integerDigits - d.digits.size(), '0');
    } else {
        out += d.digits.substr(0, integerDigits);
        out += decimalSeparator;
        out += d.digits.substr(integerDigits);
    }
    return out;
}

std::string FixedToStr(double value, int decimals)
{
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace kartoval
