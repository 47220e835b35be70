#include "geodesy/DegreesText.hpp"

#include "toolkit/NumberText.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

namespace kartoval {
namespace {

constexpr int kMaxDecimals = 12;
constexpr int kMaxDmsDecimals = 9;
constexpr double kMinutesPerDegree = 60.0;
constexpr double kSecondsPerDegree = 3600.0;
constexpr std::uint64_t kSecondsPerDegreeInt = 3600;
constexpr std::uint64_t kSecondsPerMinuteInt = 60;
constexpr std::uint64_t kMinutesPerDegreeInt = 60;
// Doubles hold every integer below 2^53; above, the integer rounding below is not exact.
constexpr double kExactIntegers = 9007199254740992.0;
// The longest double in fixed notation: 309 integer digits, sign, point, decimals.
constexpr std::size_t kLongestFixed = 330;
// Packed DDDMMSS: at least DMMSS before the point.
constexpr std::size_t kShortestPacked = 5;

constexpr std::array<std::uint64_t, kMaxDecimals + 1> kPowersOfTen{
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000, 10000000000, 100000000000,
    1000000000000};

// "00" to "99", indexed by twice the number.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t k = 0; k < 100; ++k) {
        pairs[2 * k] = static_cast<char>('0' + k / 10);
        pairs[2 * k + 1] = static_cast<char>('0' + k % 10);
    }
    return pairs;
}();

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Digits with an optional minus, point and exponent and nothing else, read
// by the number-text layer so that a field follows the boxes' and tables'
// rule: an overflow is refused whatever its exponent's sign, an underflow is
// zero only when the value really is below the smallest double.
bool readPlain(std::string_view s, double& value)
{
    if (s.empty() || s.front() == '+' || isBlank(s.front()) || isBlank(s.back())) return false;
    const std::optional<double> read = TryStrToFloat(s, '.');
    if (!read) return false;
    value = *read;
    return true;
}

// 'N', 'S', 'E', 'W' (either case) as the upper-case letter, 0 otherwise.
char hemisphereLetter(char c)
{
    switch (c) {
    case 'N': case 'n': return 'N';
    case 'S': case 's': return 'S';
    case 'E': case 'e': return 'E';
    case 'W': case 'w': return 'W';
    default: return 0;
    }
}

// The length of the degree, minute or second mark at the start of `s`, 0 when
// there is none: ° º ′ ″ (UTF-8), d D : ' " and blanks.
std::size_t markLength(std::string_view s)
{
    const auto u = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    if (s.size() >= 2 && u(0) == 0xC2 && (u(1) == 0xB0 || u(1) == 0xBA)) return 2;         // ° º
    if (s.size() >= 3 && u(0) == 0xE2 && u(1) == 0x80 && (u(2) == 0xB2 || u(2) == 0xB3)) return 3;  // ′ ″
    switch (s[0]) {
    case 'd': case 'D': case ':': case '\'': case '"': case ' ': case '\t': return 1;
    default: return 0;
    }
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Steps back over the number that ends at `end` (digits and points); the
// position where it starts.
std::size_t numberStart(std::string_view s, std::size_t end)
{
    while (end > 0 && (isDigit(s[end - 1]) || s[end - 1] == '.')) --end;
    return end;
}

// "29d45m37.44s": the trailing s is the seconds' unit, not South, when it
// follows a number that follows a minutes' m (blanks allowed between them).
// "38.9S" and "29 45 37.44S" keep their hemisphere.
bool endsWithSecondsUnit(std::string_view s)
{
    if (s.size() < 2 || lowerAscii(s.back()) != 's') return false;
    std::size_t k = numberStart(s, s.size() - 1);
    if (k == s.size() - 1) return false;
    while (k > 0 && isBlank(s[k - 1])) --k;
    return k >= 2 && lowerAscii(s[k - 1]) == 'm' && numberStart(s, k - 1) != k - 1;
}

struct Component {
    std::string_view Digits;  // digits with at most one point
    char Unit = 0;            // 'd', 'm' or 's' written right after the number
};

// Splits "77°30'15.5"" or "29d45m37.44s" into its numbers; false when
// anything but numbers and marks is there, more than three numbers, or a unit
// letter in the wrong place (minutes first, seconds without minutes).
bool components(std::string_view s, std::array<Component, 3>& parts, int& count)
{
    count = 0;
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t start = i;
        bool point = false;
        while (i < s.size() && (isDigit(s[i]) || (s[i] == '.' && !point))) {
            point = point || s[i] == '.';
            ++i;
        }
        if (i == start) return false;
        if (count == 3) return false;
        Component part{s.substr(start, i - start)};
        std::size_t marks = 0;
        if (i < s.size()) {
            const char unit = lowerAscii(s[i]);
            const bool afterMinutes = count == 2 && parts[1].Unit == 'm';
            if (unit == 'd') {
                part.Unit = 'd';  // read as a mark below, as always
            } else if ((unit == 'm' && count == 1) || (unit == 's' && afterMinutes)) {
                part.Unit = unit;
                ++i;
                ++marks;
            } else if (unit == 'm' || unit == 's') {
                return false;
            }
        }
        parts[static_cast<std::size_t>(count++)] = part;
        while (i < s.size()) {
            const std::size_t length = markLength(s.substr(i));
            if (length == 0) break;
            i += length;
            ++marks;
        }
        if (marks == 0 && i < s.size()) return false;
    }
    return count > 0;
}

bool readUnsigned(std::string_view digits, double& value)
{
    if (digits == "." || digits.empty()) return false;
    return readPlain(digits, value);
}

bool isWhole(std::string_view digits) { return digits.find('.') == std::string_view::npos; }

}  // namespace

TextProblem ParsePlainNumber(std::string_view text, double& value)
{
    return readPlain(trimmed(text), value) ? TextProblem::None : TextProblem::NotANumber;
}

TextProblem ParseDegrees(std::string_view text, AngleAxis axis, bool westWithoutMinus, double& value)
{
    std::string_view s = trimmed(text);
    const bool westByDefault = westWithoutMinus && axis == AngleAxis::Longitude;
    if (readPlain(s, value)) {
        if (westByDefault) {
            if (s.front() == '-') return TextProblem::MinusNotAllowed;
            value = -value;
        }
        return TextProblem::None;
    }
    if (s.find_first_of("0123456789") == std::string_view::npos) return TextProblem::NotANumber;

    char letter = 0;
    if (const char first = hemisphereLetter(s.front()); first != 0 && s.size() > 1) {
        letter = first;
        s.remove_prefix(1);
        s = trimmed(s);
    }
    if (!s.empty() && !endsWithSecondsUnit(s)) {
        if (const char last = hemisphereLetter(s.back()); last != 0) {
            if (letter != 0) return TextProblem::TwoHemispheres;
            letter = last;
            s.remove_suffix(1);
            s = trimmed(s);
            if (!s.empty() && hemisphereLetter(s.back()) != 0 && !endsWithSecondsUnit(s)) {
                return TextProblem::TwoHemispheres;
            }
        }
    }
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        if (letter != 0) return TextProblem::TwoHemispheres;
        if (s.front() == '-' && westByDefault) return TextProblem::MinusNotAllowed;
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (letter != 0) {
        const bool latitudeLetter = letter == 'N' || letter == 'S';
        if (latitudeLetter != (axis == AngleAxis::Latitude)) return TextProblem::WrongHemisphere;
        negative = letter == 'S' || letter == 'W';
    } else if (westByDefault) {
        negative = true;
    }

    std::array<Component, 3> parts;
    int count = 0;
    if (!components(s, parts, count)) return TextProblem::NotANumber;
    double degrees = 0.0;
    double minutes = 0.0;
    double seconds = 0.0;
    std::string_view whole = parts[0].Digits.substr(0, parts[0].Digits.find('.'));
    if (count == 1 && letter != 0 && whole.size() >= kShortestPacked && s.size() == parts[0].Digits.size()) {
        // Packed DDDMMSS[.sss]: the last four digits before the point are minutes and seconds.
        const std::string_view digits = parts[0].Digits;
        const std::size_t secondsStart = whole.size() - 2;
        if (!readUnsigned(digits.substr(0, secondsStart - 2), degrees) ||
            !readUnsigned(digits.substr(secondsStart - 2, 2), minutes) ||
            !readUnsigned(digits.substr(secondsStart), seconds)) {
            return TextProblem::NotANumber;
        }
    } else {
        double* const targets[3] = {&degrees, &minutes, &seconds};
        for (int k = 0; k < count; ++k) {
            const std::string_view digits = parts[static_cast<std::size_t>(k)].Digits;
            // Only the last number may have a fraction: 77.5°30' means nothing.
            if (k + 1 < count && !isWhole(digits)) return TextProblem::NotANumber;
            if (!readUnsigned(digits, *targets[k])) return TextProblem::NotANumber;
        }
    }
    if (minutes >= kMinutesPerDegree) return TextProblem::MinutesTooLarge;
    if (seconds >= kMinutesPerDegree) return TextProblem::SecondsTooLarge;
    const double magnitude = degrees + minutes / kMinutesPerDegree + seconds / kSecondsPerDegree;
    value = negative ? -magnitude : magnitude;
    return TextProblem::None;
}

const char* ProblemText(TextProblem problem)
{
    switch (problem) {
    case TextProblem::None: return "is fine";
    case TextProblem::NotANumber: return "is not a number";
    case TextProblem::MinutesTooLarge: return "has minutes of 60 or more";
    case TextProblem::SecondsTooLarge: return "has seconds of 60 or more";
    case TextProblem::TwoHemispheres: return "has two hemisphere signs";
    case TextProblem::WrongHemisphere: return "has a hemisphere letter of the other axis";
    case TextProblem::MinusNotAllowed: return "has a minus sign, but longitudes are west without minuses";
    }
    return "is not a number";
}

std::string AngleProblemText(TextProblem problem, AngleAxis axis, bool westWithoutMinus, char decimalSeparator)
{
    // Houston: 29°45'37.44"N 95°22'11.28"W, the same place in each spelling.
    const bool latitude = axis == AngleAxis::Latitude;
    std::string decimal = latitude ? "29.760400" : (westWithoutMinus ? "95.369800" : "-95.369800");
    std::replace(decimal.begin(), decimal.end(), '.', decimalSeparator);
    std::string text = problem == TextProblem::NotANumber ? "is not an angle" : ProblemText(problem);
    text += latitude ? ": use 29d45m37.44s N, 29°45'37.44\"N or " : ": use 95d22m11.28s W, 95°22'11.28\"W or ";
    return text + decimal;
}

namespace {

// Writes `units` (of 10^-Decimals) in fixed notation backwards from `end`,
// two digits at a time; returns where the text starts. With the decimals a
// constant, the divisions are multiplications.
template <std::size_t Decimals>
char* writeUnits(char* end, std::uint64_t units)
{
    constexpr std::uint64_t kScale = kPowersOfTen[Decimals];
    char* first = end;
    if constexpr (Decimals > 0) {
        std::uint64_t fraction = units % kScale;
        for (std::size_t k = 0; k + 1 < Decimals; k += 2, fraction /= 100) {
            first -= 2;
            std::memcpy(first, &kDigitPairs[2 * (fraction % 100)], 2);
        }
        if constexpr (Decimals % 2 == 1) *--first = static_cast<char>('0' + fraction);
        *--first = '.';
    }
    const char* const wholeEnd = first;
    std::uint64_t whole = units / kScale;
    for (; whole >= 10; whole /= 100) {
        first -= 2;
        std::memcpy(first, &kDigitPairs[2 * (whole % 100)], 2);
    }
    // The odd digit left, or the zero of a value below one.
    if (whole > 0 || first == wholeEnd) *--first = static_cast<char>('0' + whole);
    return first;
}

template <std::size_t... Decimals>
constexpr std::array<char* (*)(char*, std::uint64_t), sizeof...(Decimals)> unitsWriters(
    std::index_sequence<Decimals...>)
{
    return {&writeUnits<Decimals>...};
}

constexpr auto kUnitsWriters = unitsWriters(std::make_index_sequence<kMaxDecimals + 1>());

}  // namespace

void AppendFixed(std::string& out, double value, int decimals)
{
    decimals = decimals < 0 ? 0 : (decimals > kMaxDecimals ? kMaxDecimals : decimals);
    const auto scale = static_cast<double>(kPowersOfTen[static_cast<std::size_t>(decimals)]);
    const double magnitude = std::fabs(value);
    const double p = magnitude * scale;
    if (p >= 1.0 && p < kExactIntegers) {
        // Rounded on integers, exactly as the general conversion rounds: the
        // scaled value p and its rounding error (one fused multiply-add) are
        // value x 10^d exactly, and ties go to the even digit. The error is at
        // most half a unit in p's last place, below p x 2^-53, so it can only
        // tip a p that close to a tie: any other is decided without it.
        const double whole = std::floor(p);
        double aboveHalf = p - whole - 0.5;  // exact: p - whole has p's last place
        if (std::fabs(aboveHalf) <= p * 0x1p-53) aboveHalf += std::fma(magnitude, scale, -p);
        auto units = static_cast<std::uint64_t>(whole);
        if (aboveHalf > 0.0 || (aboveHalf == 0.0 && (units & 1U) != 0)) ++units;
        std::array<char, 24> buffer;
        char* const end = buffer.data() + buffer.size();
        char* first = kUnitsWriters[static_cast<std::size_t>(decimals)](end, units);
        if (value < 0.0 && units != 0) *--first = '-';
        out.append(first, end);
        return;
    }
    std::array<char, kLongestFixed> buffer;
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    if (text.front() == '-' && text.find_first_of("123456789") == std::string_view::npos) text.remove_prefix(1);
    out += text;
}

namespace {

// The pieces both angle writers end with: two-digit minutes or seconds, a
// fraction of `decimals` digits after a point, the hemisphere letter.
char* appendTwoDigits(char* end, std::uint64_t value)
{
    *end++ = static_cast<char>('0' + value / 10);
    *end++ = static_cast<char>('0' + value % 10);
    return end;
}

char* appendFraction(char* end, std::uint64_t fraction, int decimals)
{
    if (decimals == 0) return end;
    *end++ = '.';
    for (int k = decimals - 1; k >= 0; --k) {
        end[k] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return end + decimals;
}

char hemisphere(AngleAxis axis, bool negative)
{
    if (axis == AngleAxis::Latitude) return negative ? 'S' : 'N';
    return negative ? 'W' : 'E';
}

// The whole degrees and the degree sign (UTF-8).
char* appendDegrees(char* end, char* last, std::uint64_t wholeDegrees)
{
    end = std::to_chars(end, last, wholeDegrees).ptr;
    *end++ = static_cast<char>(0xC2);
    *end++ = static_cast<char>(0xB0);
    return end;
}

}  // namespace

void AppendDms(std::string& out, double degrees, AngleAxis axis, int decimals)
{
    decimals = std::clamp(decimals, 0, kMaxDmsDecimals);
    const std::uint64_t perSecond = kPowersOfTen[static_cast<std::size_t>(decimals)];
    // Whole units of the last decimal of a second, rounded once, so that
    // 59.9996" carries into the next minute instead of printing 60.000.
    const auto units = static_cast<std::uint64_t>(
        std::llround(std::fabs(degrees) * kSecondsPerDegree * static_cast<double>(perSecond)));
    const std::uint64_t perMinute = perSecond * kSecondsPerMinuteInt;
    const std::uint64_t perDegree = perSecond * kSecondsPerDegreeInt;
    const std::uint64_t secondUnits = units % perMinute;

    std::array<char, 64> buffer;
    char* end = appendDegrees(buffer.data(), buffer.data() + buffer.size(), units / perDegree);
    end = appendTwoDigits(end, units % perDegree / perMinute);
    *end++ = '\'';
    end = appendTwoDigits(end, secondUnits / perSecond);
    end = appendFraction(end, secondUnits % perSecond, decimals);
    *end++ = '"';
    *end++ = hemisphere(axis, degrees < 0.0 && units != 0);
    out.append(buffer.data(), end);
}

void AppendDm(std::string& out, double degrees, AngleAxis axis, int decimals)
{
    decimals = std::clamp(decimals, 0, kMaxDmsDecimals);
    const std::uint64_t perMinute = kPowersOfTen[static_cast<std::size_t>(decimals)];
    // Whole units of the last decimal of a minute, rounded once, so that
    // 59.99996' carries into the next degree instead of printing 60.0000.
    const auto units = static_cast<std::uint64_t>(
        std::llround(std::fabs(degrees) * kMinutesPerDegree * static_cast<double>(perMinute)));
    const std::uint64_t perDegree = perMinute * kMinutesPerDegreeInt;
    const std::uint64_t minuteUnits = units % perDegree;

    std::array<char, 64> buffer;
    char* end = appendDegrees(buffer.data(), buffer.data() + buffer.size(), units / perDegree);
    end = appendTwoDigits(end, minuteUnits / perMinute);
    end = appendFraction(end, minuteUnits % perMinute, decimals);
    *end++ = '\'';
    *end++ = hemisphere(axis, degrees < 0.0 && units != 0);
    out.append(buffer.data(), end);
}

}  // namespace kartoval
