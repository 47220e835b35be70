#pragma once
// Rows of a committed reference table: lines opening with '#' are comments;
// a row is blank-separated fields, an optional leading word (a datum's name)
// and then numbers, read with from_chars so no locale can change them.

#include <charconv>
#include <fstream>
#include <string>
#include <vector>

namespace kartoval::testing {

struct ReferenceRow {
    std::string Word;  // empty when the table has no leading word
    std::vector<double> Numbers;
};

inline std::vector<ReferenceRow> ReadReferenceTable(const char* path, bool leadingWord)
{
    std::ifstream in(path);
    std::vector<ReferenceRow> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        ReferenceRow row;
        const char* p = line.data();
        const char* end = line.data() + line.size();
        if (leadingWord) {
            const std::size_t space = line.find(' ');
            row.Word = line.substr(0, space);
            p += space;
        }
        while (p < end) {
            while (p < end && *p == ' ') ++p;
            double value = 0.0;
            const auto [next, error] = std::from_chars(p, end, value);
            if (error != std::errc()) break;
            row.Numbers.push_back(value);
            p = next;
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace kartoval::testing
