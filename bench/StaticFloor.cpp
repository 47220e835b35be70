// The floor of a whole kartoval-convert run: a statically linked program that
// reads "id longitude latitude" rows, parses the two numbers, projects them to
// UTM zone 29 North on WGS 84 with the same projection code, formats easting
// and northing with 4 decimals and writes "id TAB easting TAB northing" rows.
// No dynamic loader, no options, no tables, no checks: what no converting
// process can go below.
//
//   kartoval_static_floor INPUT OUTPUT

#include "geodesy/Angles.hpp"
#include "geodesy/GridProjection.hpp"
#include "refdata/UtmZones.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kZone29Position = 28;
constexpr int kDecimals = 4;

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view nextField(std::string_view& line)
{
    std::size_t start = 0;
    while (start < line.size() && blank(line[start])) ++start;
    std::size_t end = start;
    while (end < line.size() && !blank(line[end])) ++end;
    const std::string_view field = line.substr(start, end - start);
    line.remove_prefix(end);
    return field;
}

double number(std::string_view text)
{
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Fixed decimals through an integer of 1/10^kDecimals units: grid values are
// far inside its range, and a floor needs no correctly rounded last digit.
void append(std::string& out, double value)
{
    constexpr long long kScale = 10000;
    static_assert(kDecimals == 4);
    long long units = std::llround(value * kScale);
    if (units < 0) {
        out += '-';
        units = -units;
    }
    char buffer[32];
    const auto whole = std::to_chars(buffer, buffer + sizeof buffer, units / kScale);
    out.append(buffer, whole.ptr);
    const long long fraction = units % kScale;
    char digits[kDecimals] = {'0', '0', '0', '0'};
    std::to_chars(digits + kDecimals - (fraction >= 1000 ? 4 : fraction >= 100 ? 3 : fraction >= 10 ? 2 : 1),
                  digits + kDecimals, fraction);
    out += '.';
    out.append(digits, kDecimals);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: kartoval_static_floor INPUT OUTPUT\n", stderr);
        return 2;
    }
    std::FILE* in = std::fopen(argv[1], "rb");
    std::FILE* out = std::fopen(argv[2], "wb");
    if (in == nullptr || out == nullptr) {
        std::perror("kartoval_static_floor");
        return 1;
    }
    std::string text;
    char chunk[1 << 16];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) text.append(chunk, n);
    const kartoval::GridProjection projection(
        kartoval::EllipsoidParams{6378137.0, kartoval::EccentricityFromInverseFlattening(298.257223563)},
        kartoval::UtmZone(kZone29Position, kartoval::Hemisphere::North));
    std::string result;
    result.reserve(text.size() + text.size() / 2);
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const std::string_view id = nextField(line);
        const double longitude = number(nextField(line));
        const double latitude = number(nextField(line));
        const kartoval::GridPoint point = projection.Forward(longitude, latitude);
        result.append(id);
        result += '\t';
        append(result, point.Easting);
        result += '\t';
        append(result, point.Northing);
        result += '\n';
    }
    std::fwrite(result.data(), 1, result.size(), out);
    return std::fclose(out) == 0 && std::fclose(in) == 0 ? 0 : 1;
}
