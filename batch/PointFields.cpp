#include "batch/PointFields.hpp"

namespace kartoval {
namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool isSeparator(char c) { return c == ' ' || c == '\t'; }

}  // namespace

PointFields SplitPointFields(std::string_view line)
{
    PointFields fields;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (fields.Count < kPointColumnCount) {
        while (i < n && isBlank(line[i])) ++i;
        if (i == n) break;
        const std::size_t start = i;
        while (i < n && !isSeparator(line[i])) ++i;
        std::size_t stop = i;
        while (isBlank(line[stop - 1])) --stop;  // line[start] is not blank
        fields.Field[static_cast<std::size_t>(fields.Count++)] = line.substr(start, stop - start);
    }
    return fields;
}

char ColumnLetter(int column) { return static_cast<char>('A' + column); }

}  // namespace kartoval
